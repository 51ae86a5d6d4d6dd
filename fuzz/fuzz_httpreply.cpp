// A web server's reply: any bytes are read or refused without harm, within the head's limits, and
// the body read is the same however the bytes are split.
#include "firmware/httpreply.h"
#include "fuzzcheck.h"

#include <cstdint>

namespace {

struct Reading
{
    QByteArray body;
    HttpReplyReader::Fault fault;
    bool done;
    bool stopped = false;
};

Reading read(const QByteArray& reply, int piece)
{
    HttpReplyReader reader;
    Reading reading;
    reader.onBody = [&reading](const char* data, qint64 size) {
        FUZZ_CHECK(size > 0 && size <= 64 * 1024);
        reading.body.append(data, int(size));
        reading.stopped = reading.body.size() > 4 * 1024 * 1024; // a small input inflating without end
        return !reading.stopped;
    };
    for (int at = 0; at < reply.size() && reader.feed(reply.mid(at, piece)); at += piece) { }
    reader.endOfStream();
    reading.fault = reader.fault();
    reading.done = reader.isDone();
    FUZZ_CHECK(!reading.done || reading.fault == HttpReplyReader::NoFault);
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), int(size));
    const Reading whole = read(reply, qMax(1, reply.size()));
    const Reading bytewise = read(reply, 1);
    if (whole.stopped || bytewise.stopped)
        return 0; // where a piece ends depends on how the input came
    FUZZ_CHECK(whole.fault == bytewise.fault && whole.done == bytewise.done);
    // A refused reply's body is thrown away; how much of a corrupt stream inflated before the
    // fault shows depends on where its pieces ended.
    FUZZ_CHECK(whole.fault != HttpReplyReader::NoFault || whole.body == bytewise.body);
    return 0;
}
