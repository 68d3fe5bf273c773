#include "runtime/numbers.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>

namespace tarvelo {

namespace {

// Far more digits than any float or 16-bit rounding depends on; the rest of a
// long paste only decides whether the tail is non-zero.
constexpr std::size_t kMaxKeptDigits = 800;
constexpr std::int64_t kExponentCap = 1'000'000'000;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

bool isNumberBlank(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case u'\r':
    case u'\n':
    case u'\u2028':
    case u'\u2029':
    case u'\u00A0':
    case u'\u202F':
        return true;
    default:
        return false;
    }
}

QStringView withoutNumberBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isNumberBlank(text[begin].unicode()))
        ++begin;
    while (end > begin && isNumberBlank(text[end - 1].unicode()))
        --end;
    return text.sliced(begin, end - begin);
}

std::optional<DecimalNumber> readDecimal(QStringView whole)
{
    const QStringView text = withoutNumberBlanks(whole);
    const qsizetype end = text.size();

    DecimalNumber number;
    qsizetype pos = 0;
    if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
        number.negative = text[pos] == u'-';
        ++pos;
    }

    std::int64_t digitsBeforeMark = 0;
    std::int64_t leadingZeros = 0;
    std::int64_t digitCount = 0;
    bool seenMark = false;
    bool seenNonZero = false;
    for (; pos < end; ++pos) {
        const char16_t c = text[pos].unicode();
        if (isDigit(c)) {
            ++digitCount;
            if (!seenMark)
                ++digitsBeforeMark;
            if (!seenNonZero && c == u'0') {
                ++leadingZeros;
                continue;
            }
            seenNonZero = true;
            if (number.digits.size() < kMaxKeptDigits)
                number.digits.push_back(static_cast<char>(c));
            else if (c != u'0')
                number.inexactTail = true;
        } else if ((c == u',' || c == u'.') && !seenMark) {
            seenMark = true;
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return std::nullopt;

    std::int64_t exponent = 0;
    if (pos < end && (text[pos] == u'e' || text[pos] == u'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
            negativeExponent = text[pos] == u'-';
            ++pos;
        }
        const qsizetype exponentStart = pos;
        for (; pos < end && isDigit(text[pos].unicode()); ++pos) {
            // Saturate: beyond the cap the value is out of every range anyway.
            if (exponent < kExponentCap)
                exponent = exponent * 10 + (text[pos].unicode() - u'0');
        }
        if (pos == exponentStart)
            return std::nullopt;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (pos != end)
        return std::nullopt;

    while (!number.digits.empty() && number.digits.back() == '0')
        number.digits.pop_back();
    number.pointPosition = digitsBeforeMark - leadingZeros + exponent;
    return number;
}

bool isNumeric(QStringView text)
{
    return readDecimal(text).has_value();
}

std::optional<float> toSingle(QStringView text)
{
    const auto number = readDecimal(text);
    if (!number)
        return std::nullopt;
    const float zero = number->negative ? -0.0f : 0.0f;
    if (number->digits.empty() || number->pointPosition < -60)
        return zero;
    if (number->pointPosition > 40)
        return std::nullopt;

    // Rewrite as "0.<digits>[1]e<point>"; the appended 1 stands for the dropped
    // non-zero tail so that rounding still sees it.
    std::string normalized = "0.";
    normalized += number->digits;
    if (number->inexactTail)
        normalized += '1';
    normalized += 'e';
    normalized += std::to_string(number->pointPosition);

    float value = 0.0f;
    const auto [ptr, ec] = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (ec == std::errc::result_out_of_range)
        return number->pointPosition > 0 ? std::nullopt : std::optional<float>(zero);
    if (ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return number->negative ? -value : value;
}

std::optional<std::int16_t> toInteger16(QStringView text)
{
    const auto number = readDecimal(text);
    if (!number)
        return std::nullopt;
    const std::string &digits = number->digits;
    const std::int64_t point = number->pointPosition;
    if (digits.empty() || point < 0)
        return std::int16_t{0};
    if (point > 5)
        return std::nullopt;

    std::int32_t whole = 0;
    for (std::int64_t i = 0; i < point; ++i) {
        const auto index = static_cast<std::size_t>(i);
        whole = whole * 10 + (index < digits.size() ? digits[index] - '0' : 0);
    }
    const auto roundIndex = static_cast<std::size_t>(point);
    const int roundDigit = roundIndex < digits.size() ? digits[roundIndex] - '0' : 0;
    const bool restNonZero = digits.size() > roundIndex + 1 || number->inexactTail;
    if (roundDigit > 5 || (roundDigit == 5 && (restNonZero || whole % 2 == 1)))
        ++whole;

    const std::int32_t value = number->negative ? -whole : whole;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

QString integerToText(std::int16_t value)
{
    return QString::number(value);
}

} // namespace tarvelo
