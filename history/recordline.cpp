#include "history/recordline.h"

namespace {

template <typename Char> int code(Char c)
{
    return int(c);
}
int code(QChar c)
{
    return c.unicode();
}

bool isBlank(int c)
{
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads the characters of one line through a cursor.
template <typename Line> class Cursor
{
public:
    explicit Cursor(const Line& line) : line(line) { }

    int peek() const { return at < line.size() ? code(line.at(at)) : -1; }
    bool atEnd() const { return at >= line.size(); }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            ++at;
    }
    // Takes from min to max digits; false when fewer than min are there.
    bool digits(int min, int max)
    {
        int taken = 0;
        while (taken < max && peek() >= '0' && peek() <= '9') {
            ++at;
            ++taken;
        }
        return taken >= min;
    }
    bool take(int c)
    {
        if (peek() != c)
            return false;
        ++at;
        return true;
    }

private:
    const Line& line;
    int at = 0;
};

template <typename Line> bool matches(const Line& line)
{
    Cursor<Line> cursor(line);
    cursor.skipBlanks();
    if (!cursor.digits(4, 4))
        return false;
    const int mark = cursor.peek();
    if (mark != '-' && mark != '/' && mark != '.')
        return false;
    cursor.take(mark);
    if (!cursor.digits(1, 2) || !cursor.take(mark) || !cursor.digits(1, 2))
        return false;
    // The date and the time: one or more blanks, or an ISO 'T'.
    if (!cursor.take('T')) {
        if (!isBlank(cursor.peek()))
            return false;
        cursor.skipBlanks();
    }
    if (!cursor.digits(1, 2) || !cursor.take(':') || !cursor.digits(2, 2))
        return false;
    if (cursor.take(':') && !cursor.digits(2, 2))
        return false;
    // A fraction of a second may follow; then the time ends.
    if (cursor.take('.') && !cursor.digits(1, 9))
        return false;
    return cursor.atEnd() || isBlank(cursor.peek());
}

} // namespace

bool startsWithDateTime(const QByteArray& line)
{
    return matches(line);
}

bool startsWithDateTime(const QStringRef& line)
{
    return matches(line);
}
