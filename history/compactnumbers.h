#pragma once

#include <QtGlobal>

#include <vector>

// A column of numbers as the records wrote them, four bytes each where it can: every number is
// kept as a whole count of a power of ten (tenths, seconds) from a base, and read back as exactly
// the double it was given. A number that would not come back exactly (too many digits, a
// fraction finer than the others, an exponent) turns the column into plain doubles from then on.
class CompactNumbers
{
public:
    // base: what the counts count from (a time column's first time); 0 for readings.
    explicit CompactNumbers(double base = 0) : base(base) { }

    // Appends number (NaN for none), whose last digit has the weight 10^digit (-1 for "18.6").
    void append(double number, int digit);
    double at(size_t i) const;
    size_t size() const { return wide ? doubles.size() : counts.size(); }
    bool isEmpty() const { return size() == 0; }
    // Whether it still keeps four bytes a number.
    bool isCompact() const { return !wide; }
    // The bytes it holds, for the benchmark's accounting.
    qint64 memoryBytes() const;

    // The weight of the last digit of a time given in milliseconds: 3 for whole seconds.
    static int lastDigitOf(double milliseconds);

private:
    bool fits(double number, qint32* count) const;
    double fromCount(qint32 count) const;
    bool rescale(int digit);
    void widen();

    double base;
    int unit = 9; // counts are of 10^unit
    bool wide = false;
    std::vector<qint32> counts;
    std::vector<double> doubles;
    qint64 largest = 0; // the greatest magnitude among the counts, to know whether a rescale fits
};
