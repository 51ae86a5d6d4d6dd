#include "firmware/httpreply.h"

#include "firmware/inflater.h"

#include <QList>

#include <cctype>
#include <cstring>

namespace {

// A chunk size line: the size in hexadecimal and perhaps extensions; anything longer is no size.
constexpr int MaxChunkLine = 1024;
// A body piece handed on at once, compressed or not.
constexpr qint64 MaxPiece = Inflater::OutputPiece;
constexpr int MaxCodingShown = 40;

// Digits only, without sign or blanks inside, and no larger than a file can be.
bool readLength(const QByteArray& text, qint64* length)
{
    if (text.isEmpty() || text.size() > 15)
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    *length = text.toLongLong();
    return true;
}

} // namespace

HttpReplyReader::HttpReplyReader() = default;

HttpReplyReader::~HttpReplyReader() = default;

bool HttpReplyReader::fail(Fault fault)
{
    state = Failed;
    failure = fault;
    return false;
}

bool HttpReplyReader::collectLine(const char*& data, const char* end, int limit)
{
    const char* newline = static_cast<const char*>(std::memchr(data, '\n', size_t(end - data)));
    const char* stop = newline ? newline + 1 : end;
    if (line.size() + (stop - data) > limit) {
        data = end;
        line.clear();
        return false;
    }
    line.append(data, int(stop - data));
    data = stop;
    return newline != nullptr;
}

bool HttpReplyReader::feed(const char* data, qint64 size)
{
    const char* end = data + size;
    while (data < end) {
        switch (state) {
        case Head:
        case Trailer: {
            // The head and the trailers share the limits; a line counts towards them as it grows.
            if (!collectLine(data, end, MaxHeadBytes - headBytes)) {
                if (line.isEmpty())
                    return fail(HeadTooLarge);
                break;
            }
            headBytes += line.size();
            if (++headLines > MaxHeadLines)
                return fail(HeadTooLarge);
            const QByteArray text = line.endsWith("\r\n") ? line.left(line.size() - 2) : line.left(line.size() - 1);
            line.clear();
            if (!takeHeadLine(text))
                return false;
            break;
        }
        case ChunkSize: {
            if (!collectLine(data, end, MaxChunkLine)) {
                if (line.isEmpty())
                    return fail(BadChunk);
                break;
            }
            bodyWire += line.size();
            QByteArray text = line.trimmed();
            line.clear();
            const int extension = text.indexOf(';');
            if (extension >= 0)
                text = text.left(extension).trimmed();
            bool ok = !text.isEmpty() && text.size() <= 12;
            for (const char c : text)
                ok = ok && std::isxdigit(static_cast<unsigned char>(c));
            if (!ok)
                return fail(BadChunk);
            remaining = text.toLongLong(nullptr, 16);
            state = remaining > 0 ? ChunkData : Trailer;
            break;
        }
        case ChunkData:
        case Body: {
            const qint64 take = remaining >= 0 ? qMin<qint64>(remaining, end - data) : end - data;
            bodyWire += take;
            if (remaining >= 0)
                remaining -= take;
            const char* piece = data;
            data += take;
            if (!deliver(piece, take))
                return false;
            if (remaining == 0) {
                if (state == ChunkData)
                    state = ChunkDataEnd;
                else
                    return finishBody();
            }
            break;
        }
        case ChunkDataEnd: {
            // The line end after a chunk's data, and nothing else.
            if (!collectLine(data, end, 2)) {
                if (line.isEmpty())
                    return fail(BadChunk);
                break;
            }
            bodyWire += line.size();
            const bool ok = line == "\r\n" || line == "\n";
            line.clear();
            if (!ok)
                return fail(BadChunk);
            state = ChunkSize;
            break;
        }
        case Done:
        case Failed:
            return false;
        }
    }
    return state != Done && state != Failed && !stoppedByTaker;
}

bool HttpReplyReader::takeHeadLine(const QByteArray& text)
{
    if (state == Trailer)
        return text.isEmpty() ? finishBody() : true; // trailers are counted, not used
    if (!statusLineSeen) {
        // "HTTP/1.1 200 OK": the version, three digits, and a reason that may be empty.
        if (!text.startsWith("HTTP/1.") || text.size() < 12 || text.at(8) != ' ')
            return fail(NotHttp);
        const QByteArray code = text.mid(9, 3);
        if (!std::isdigit(static_cast<unsigned char>(code.at(0)))
            || !std::isdigit(static_cast<unsigned char>(code.at(1)))
            || !std::isdigit(static_cast<unsigned char>(code.at(2))) || (text.size() > 12 && text.at(12) != ' '))
            return fail(NotHttp);
        statusCode = code.toInt();
        reasonPhrase = text.mid(13).left(MaxCodingShown);
        statusLineSeen = true;
        return true;
    }
    if (text.isEmpty()) {
        // An interim reply (100 Continue and the like) is followed by the real one.
        if (statusCode >= 100 && statusCode < 200 && statusCode != 101) {
            statusLineSeen = false;
            announced = -1;
            chunked = false;
            contentCoding.clear();
            locationHeader.clear();
            return true;
        }
        return startBody();
    }
    if (text.startsWith(' ') || text.startsWith('\t'))
        return true; // an old-style folded continuation: nothing this reader uses is folded
    const int colon = text.indexOf(':');
    if (colon <= 0 || text.left(colon).contains(' ') || text.left(colon).contains('\t'))
        return fail(NotHttp);
    return takeHeader(text.left(colon).toLower(), text.mid(colon + 1).trimmed());
}

bool HttpReplyReader::takeHeader(const QByteArray& name, const QByteArray& value)
{
    if (name == "content-length") {
        qint64 length = -1;
        // Two different lengths leave the body's end unknown.
        if (!readLength(value, &length) || (announced >= 0 && length != announced))
            return fail(NotHttp);
        announced = length;
    } else if (name == "transfer-encoding") {
        for (const QByteArray& coding : value.toLower().split(',')) {
            const QByteArray token = coding.trimmed();
            if (token == "chunked")
                chunked = true;
            else if (!token.isEmpty() && token != "identity") {
                refused = token.left(MaxCodingShown);
                return fail(UnknownEncoding);
            }
        }
    } else if (name == "content-encoding") {
        for (const QByteArray& coding : value.toLower().split(',')) {
            const QByteArray token = coding.trimmed();
            if (token.isEmpty() || token == "identity")
                continue;
            // One compression at most: a body compressed twice is refused rather than inflated twice.
            if (!contentCoding.isEmpty() || (token != "gzip" && token != "x-gzip" && token != "deflate")) {
                refused = token.left(MaxCodingShown);
                return fail(UnknownEncoding);
            }
            contentCoding = token;
        }
    } else if (name == "location") {
        locationHeader = value;
    }
    return true;
}

bool HttpReplyReader::startBody()
{
    if (chunked)
        announced = -1; // the chunks frame the body, whatever length is claimed
    if (!contentCoding.isEmpty())
        inflater.reset(new Inflater(contentCoding == "deflate" ? Inflater::Deflate : Inflater::Gzip));
    state = Body;
    if (onHead && !onHead()) {
        stoppedByTaker = true;
        return false;
    }
    if (statusCode == 204 || statusCode == 304 || announced == 0) {
        inflater.reset(); // no body at all, so nothing to inflate
        return finishBody();
    }
    state = chunked ? ChunkSize : Body;
    remaining = chunked ? 0 : announced;
    return true;
}

bool HttpReplyReader::deliver(const char* data, qint64 size)
{
    if (size <= 0 || !onBody)
        return true;
    if (inflater) {
        if (inflater->feed(data, size, onBody))
            return true;
        if (inflater->isCorrupt())
            return fail(CorruptEncoding);
        stoppedByTaker = true;
        return false;
    }
    for (qint64 at = 0; at < size; at += MaxPiece) {
        if (!onBody(data + at, qMin(MaxPiece, size - at))) {
            stoppedByTaker = true;
            return false;
        }
    }
    return true;
}

bool HttpReplyReader::finishBody()
{
    // A compressed body whose stream did not end was cut or is not what it claims.
    if (inflater && !inflater->isFinished())
        return fail(CorruptEncoding);
    state = Done;
    return false;
}

void HttpReplyReader::endOfStream()
{
    if (state == Body && remaining < 0)
        finishBody();
    else if (state != Done && state != Failed && !stoppedByTaker)
        fail(EndedEarly);
}
