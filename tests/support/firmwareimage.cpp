#include "tests/support/firmwareimage.h"

QByteArray firmwareImage(int size)
{
    QByteArray image(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        image[i] = char((i * 7 + i / 1024) % 251);
    return image;
}
