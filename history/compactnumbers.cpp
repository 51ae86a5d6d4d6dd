#include "history/compactnumbers.h"

#include <cmath>
#include <limits>

namespace {

// Marks a number that is none; never a count.
constexpr qint32 NoCount = std::numeric_limits<qint32>::min();
constexpr qint64 MostCount = std::numeric_limits<qint32>::max();
// Powers of ten up to here are exact doubles, so that dividing by one rounds correctly.
constexpr int MostDigits = 9;

double power(int n)
{
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

double CompactNumbers::fromCount(qint32 count) const
{
    if (count == NoCount)
        return std::numeric_limits<double>::quiet_NaN();
    // Dividing by an exact power of ten gives the double nearest the decimal, as reading it did.
    return unit >= 0 ? base + double(count) * power(unit) : base + double(count) / power(-unit);
}

bool CompactNumbers::fits(double number, qint32* count) const
{
    const double scaled = unit >= 0 ? (number - base) / power(unit) : (number - base) * power(-unit);
    if (!(std::fabs(scaled) < double(MostCount)))
        return false;
    *count = qint32(std::llround(scaled));
    return fromCount(*count) == number;
}

bool CompactNumbers::rescale(int digit)
{
    if (digit < -MostDigits || unit - digit > MostDigits)
        return false;
    const qint64 factor = qint64(power(unit - digit));
    if (largest * factor > MostCount)
        return false;
    for (qint32& count : counts) {
        if (count != NoCount)
            count = qint32(count * factor);
    }
    largest *= factor;
    unit = digit;
    return true;
}

void CompactNumbers::widen()
{
    doubles.reserve(counts.capacity());
    for (const qint32 count : counts)
        doubles.push_back(fromCount(count));
    std::vector<qint32>().swap(counts);
    wide = true;
}

void CompactNumbers::append(double number, int digit)
{
    if (wide) {
        doubles.push_back(number);
        return;
    }
    if (std::isnan(number)) {
        counts.push_back(NoCount);
        return;
    }
    // While every count is naught the unit may change freely.
    if (largest == 0)
        unit = qBound(-MostDigits, digit, MostDigits);
    qint32 count = 0;
    if ((digit < unit && !rescale(digit)) || !fits(number, &count) || count == NoCount) {
        widen();
        doubles.push_back(number);
        return;
    }
    counts.push_back(count);
    largest = qMax(largest, qAbs(qint64(count)));
}

double CompactNumbers::at(size_t i) const
{
    return wide ? doubles[i] : fromCount(counts[i]);
}

qint64 CompactNumbers::memoryBytes() const
{
    return qint64(counts.capacity() * sizeof(qint32) + doubles.capacity() * sizeof(double));
}

int CompactNumbers::lastDigitOf(double milliseconds)
{
    if (!std::isfinite(milliseconds))
        return 0;
    const qint64 ms = qint64(milliseconds);
    if (double(ms) != milliseconds)
        return 0;
    int digit = 0;
    for (qint64 rest = ms; digit < 3 && rest % 10 == 0; rest /= 10)
        ++digit;
    return digit;
}
