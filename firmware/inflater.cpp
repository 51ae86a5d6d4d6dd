#include "firmware/inflater.h"

#ifdef ZQ_QT_ZLIB
#include <QtZlib/zlib.h>
#else
#include <zlib.h>
#endif

#include <cstring>
#include <string>
#include <vector>

struct Inflater::Stream
{
    z_stream z;
    std::vector<unsigned char> out = std::vector<unsigned char>(OutputPiece);
    std::string head; // the first bytes, until the wrapper is known
};

Inflater::Inflater(Format format) : format(format), stream(new Stream)
{
    std::memset(&stream->z, 0, sizeof stream->z);
}

Inflater::~Inflater()
{
    if (started)
        inflateEnd(&stream->z);
}

bool Inflater::begin(const char* data, qint64 size)
{
    // 16 + 15: a gzip wrapper. For deflate, a zlib header is two bytes whose value is a multiple of
    // 31 with method 8; anything else is taken as raw deflate, which some servers send instead.
    int windowBits = 16 + MAX_WBITS;
    if (format == Deflate) {
        if (size < 2)
            return false; // wait for the header
        const unsigned cmf = static_cast<unsigned char>(data[0]);
        const unsigned flg = static_cast<unsigned char>(data[1]);
        const bool zlibWrapped = (cmf & 0x0F) == 8 && (cmf * 256 + flg) % 31 == 0;
        windowBits = zlibWrapped ? MAX_WBITS : -MAX_WBITS;
    }
    if (inflateInit2(&stream->z, windowBits) != Z_OK) {
        corrupt = true;
        return false;
    }
    started = true;
    return true;
}

bool Inflater::feed(const char* data, qint64 size, const std::function<bool(const char*, qint64)>& take)
{
    if (corrupt)
        return false;
    if (finished || size <= 0)
        return true;
    if (!started) {
        // A deflate body tells its wrapper in its first two bytes, which may come apart.
        stream->head.append(data, size_t(size));
        if (!begin(stream->head.data(), qint64(stream->head.size())))
            return !corrupt;
        const std::string head = std::move(stream->head);
        return feedStarted(head.data(), qint64(head.size()), take);
    }
    return feedStarted(data, size, take);
}

bool Inflater::feedStarted(const char* data, qint64 size, const std::function<bool(const char*, qint64)>& take)
{
    z_stream& z = stream->z;
    while (size > 0 && !finished) {
        // zlib counts in uInt: feed at most 1 GiB at a time.
        const uInt piece = uInt(qMin<qint64>(size, 1 << 30));
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        z.avail_in = piece;
        do {
            z.next_out = stream->out.data();
            z.avail_out = OutputPiece;
            const int result = inflate(&z, Z_NO_FLUSH);
            if (result == Z_STREAM_END)
                finished = true;
            else if (result != Z_OK && result != Z_BUF_ERROR) {
                corrupt = true;
                return false;
            }
            const qint64 made = OutputPiece - z.avail_out;
            if (made > 0 && !take(reinterpret_cast<const char*>(stream->out.data()), made))
                return false;
            if (result == Z_BUF_ERROR && made == 0)
                break; // needs more input
        } while (!finished && (z.avail_in > 0 || z.avail_out == 0));
        data += piece;
        size -= piece;
    }
    return true;
}
