#pragma once

#include <functional>
#include <memory>

#include <QtGlobal>

// Inflates a gzip or deflate body piece by piece: what comes out goes on at once in pieces of at
// most OutputPiece bytes, so a small input that inflates to gigabytes costs no more memory than
// one piece, and whoever takes the pieces can stop at its own limit.
class Inflater
{
public:
    enum Format {
        Gzip,
        Deflate // zlib-wrapped, or raw deflate as some servers send it
    };
    static constexpr int OutputPiece = 64 * 1024;

    explicit Inflater(Format format);
    ~Inflater();
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Feeds compressed bytes; each inflated piece goes to take, which returns false to stop.
    // False when the data is corrupt or take stopped (then stopped() is true).
    bool feed(const char* data, qint64 size, const std::function<bool(const char*, qint64)>& take);
    // The compressed stream has reached its end (bytes after it are ignored).
    bool isFinished() const { return finished; }
    bool isCorrupt() const { return corrupt; }

private:
    struct Stream;
    bool begin(const char* data, qint64 size);
    bool feedStarted(const char* data, qint64 size, const std::function<bool(const char*, qint64)>& take);

    Format format;
    std::unique_ptr<Stream> stream;
    bool started = false;
    bool finished = false;
    bool corrupt = false;
};
