#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

class Inflater;

// Reads one HTTP/1.1 reply from the bytes of its connection, as they arrive, with every part
// bounded: the head (status line, header lines, chunk trailers) by its size and its number of
// lines, a chunk-size line by its length. The body is framed by Content-Length, by chunks, or by
// the end of the connection, and is handed on decoded (gzip and deflate are inflated piece by
// piece, never whole), so whoever takes it counts the bytes it really is. Interim replies (1xx)
// are skipped. No byte is looked at twice, whatever the sizes of the pieces fed.
//     HttpReplyReader reader;
//     reader.onHead = [&] { ... reader.status() ... };
//     reader.onBody = [&](const char* data, qint64 size) { return keep(data, size); };
//     reader.feed(socket.readAll()); ... reader.endOfStream();
class HttpReplyReader
{
public:
    enum Fault {
        NoFault,
        NotHttp, // the status line or a header line is not HTTP, or the length is unreadable
        HeadTooLarge, // more than maxHeadBytes or maxHeadLines in the head (or the trailers)
        BadChunk, // a chunk size line that is not one, or data not followed by its line end
        UnknownEncoding, // a content or transfer coding other than gzip, deflate, chunked, identity
        CorruptEncoding, // compressed data that does not inflate
        EndedEarly // the connection closed before the body's announced end
    };

    static constexpr int MaxHeadBytes = 64 * 1024;
    static constexpr int MaxHeadLines = 100;

    HttpReplyReader();
    ~HttpReplyReader();

    // Called once the final status line and its headers are in, before any body byte; false ends
    // the reading there.
    std::function<bool()> onHead;
    // Gets the body, decoded, in pieces of at most 64 KiB; false ends the reading (isDone stays
    // false, fault() NoFault).
    std::function<bool(const char* data, qint64 size)> onBody;

    // Takes the next bytes of the connection. False once the reply has ended, failed or was
    // refused by onBody: nothing more need be read.
    bool feed(const char* data, qint64 size);
    bool feed(const QByteArray& bytes) { return feed(bytes.constData(), bytes.size()); }
    // The connection has closed: a body framed by the close ends here, any other is cut short.
    void endOfStream();

    // The whole body has come (and inflated to its end, when compressed).
    bool isDone() const { return state == Done; }
    Fault fault() const { return failure; }
    // The coding that was refused (UnknownEncoding), as the server wrote it, at most 40 characters.
    QByteArray refusedCoding() const { return refused; }

    bool headSeen() const { return state > Head; }
    int status() const { return statusCode; }
    QByteArray reason() const { return reasonPhrase; }
    // Content-Length as announced (bytes on the wire), -1 when there is none or the body is chunked.
    qint64 contentLength() const { return announced; }
    // Whether the body was compressed (then contentLength counts the compressed bytes).
    bool isEncoded() const { return inflater != nullptr; }
    QByteArray location() const { return locationHeader; }
    // Body bytes received as sent (before any decoding, chunk framing included).
    qint64 wireBodyBytes() const { return bodyWire; }

private:
    enum State { Head, Body, ChunkSize, ChunkData, ChunkDataEnd, Trailer, Done, Failed };

    bool fail(Fault fault);
    bool takeHeadLine(const QByteArray& line);
    bool takeHeader(const QByteArray& name, const QByteArray& value);
    bool startBody();
    bool deliver(const char* data, qint64 size);
    bool finishBody();
    // Collects a line of the head or a chunk size; true once it is whole (in `line`).
    bool collectLine(const char*& data, const char* end, int limit);

    State state = Head;
    Fault failure = NoFault;
    QByteArray line;
    int headBytes = 0;
    int headLines = 0;
    bool statusLineSeen = false;
    int statusCode = 0;
    QByteArray reasonPhrase;
    qint64 announced = -1;
    bool chunked = false;
    QByteArray contentCoding;
    QByteArray locationHeader;
    QByteArray refused;
    qint64 remaining = 0; // of the length-framed body, or of the current chunk
    qint64 bodyWire = 0;
    bool stoppedByTaker = false;
    std::unique_ptr<Inflater> inflater;
};
