#include "link/linktransport.h"

#include <chrono>

qint64 LinkTransport::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
