#include "runtime/standardformat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace tarvelo {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kDecimals = 2;

// The value times 100 as plain digits, rounded half away from zero at the
// last place, from its 15-significant-digit form.
std::string scaledDigits(double magnitude)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view written(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t ePos = written.find('e');

    std::string digits;
    for (const char c : written.substr(0, ePos)) {
        if (c != '.')
            digits.push_back(c);
    }
    int exponent = 0;
    const std::string_view exponentText = written.substr(ePos + 1);
    const char *exponentBegin = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(exponentBegin, exponentText.data() + exponentText.size(), exponent);

    // value = 0.<digits> × 10^(exponent + 1); scaled by 100 it has this many
    // digits before the point.
    const int integerDigits = exponent + 1 + kDecimals;
    if (integerDigits < 0)
        return "0";
    std::string scaled;
    for (int i = 0; i < integerDigits; ++i)
        scaled.push_back(i < kSignificantDigits ? digits[static_cast<std::size_t>(i)] : '0');
    const bool roundUp = integerDigits < kSignificantDigits && digits[static_cast<std::size_t>(integerDigits)] >= '5';
    if (roundUp) {
        int i = integerDigits - 1;
        for (; i >= 0 && scaled[static_cast<std::size_t>(i)] == '9'; --i)
            scaled[static_cast<std::size_t>(i)] = '0';
        if (i >= 0)
            ++scaled[static_cast<std::size_t>(i)];
        else
            scaled.insert(scaled.begin(), '1');
    }
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    return firstNonZero == std::string::npos ? "0" : scaled.substr(firstNonZero);
}

bool groupsFourDigits(const QLocale &locale)
{
    return locale.toString(1234).size() > 4;
}

} // namespace

FormattedNumber formatStandard(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return {locale.toString(value), value};

    std::string scaled = scaledDigits(std::fabs(value));
    if (scaled.size() < kDecimals + 1)
        scaled.insert(0, kDecimals + 1 - scaled.size(), '0');
    const std::string integerPart = scaled.substr(0, scaled.size() - kDecimals);
    const std::string fraction = scaled.substr(scaled.size() - kDecimals);
    const bool negative = value < 0 && scaled.find_first_not_of('0') != std::string::npos;

    FormattedNumber formatted;
    const std::string plain = (negative ? "-" : "") + integerPart + "." + fraction;
    std::from_chars(plain.data(), plain.data() + plain.size(), formatted.shown);

    const bool grouping = !(locale.numberOptions() & QLocale::OmitGroupSeparator);
    const std::size_t minimumGrouped = groupsFourDigits(locale) ? 4 : 5;
    const QString groupSeparator = locale.groupSeparator();
    QString text;
    if (negative)
        text += locale.negativeSign();
    for (std::size_t i = 0; i < integerPart.size(); ++i) {
        const std::size_t remaining = integerPart.size() - i;
        if (grouping && i > 0 && remaining % 3 == 0 && integerPart.size() >= minimumGrouped)
            text += groupSeparator;
        text += QLatin1Char(integerPart[i]);
    }
    text += locale.decimalPoint();
    text += QLatin1String(fraction.data(), static_cast<qsizetype>(fraction.size()));
    formatted.text = text;
    return formatted;
}

} // namespace tarvelo
