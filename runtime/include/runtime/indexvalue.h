#pragma once

#include <QString>

namespace tarvelo {

// What the calculation returns: the index written with the named format
// "standard", or Empty when the input was refused. Empty is not the empty
// text: compared with a number it counts as 0. A text compares as the number
// it shows (two decimals), so "24,22" lies between 20.5 and 25.49 whatever
// the locale's separators.
class IndexValue {
public:
    IndexValue() = default;
    static IndexValue fromIndex(double index);

    bool isEmpty() const { return m_empty; }
    // The text of the value: the formatted index, or "" for Empty.
    const QString &text() const { return m_text; }
    double number() const { return m_number; }

    bool isGreaterThan(double bound) const { return m_number > bound; }
    bool isAtLeast(double bound) const { return m_number >= bound; }
    bool isAtMost(double bound) const { return m_number <= bound; }

    bool operator==(const IndexValue &) const = default;

private:
    bool m_empty = true;
    QString m_text;
    double m_number = 0.0;
};

} // namespace tarvelo
