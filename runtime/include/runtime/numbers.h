#pragma once

// How the program reads the numbers people type. One rule for every field:
// blanks around the number are ignored (spaces, tabs, line breaks and no-break
// spaces, as pasted from spreadsheets and web pages); an optional sign directly
// before the digits; ASCII digits with at most one decimal mark, "," or ".";
// at least one digit; an optional exponent (e/E, optional sign, digits).
// Digits are read with std::from_chars, never with the C library, whose
// reading follows the user's locale once the Qt application exists.

#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

namespace tarvelo {

// A decimal number exactly as written: value = ±0.digits × 10^pointPosition.
struct DecimalNumber {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    std::int64_t pointPosition = 0;
    // Set when non-zero digits beyond what `digits` keeps were dropped; the
    // kept digits are enough for any rounding a 16- or 32-bit result needs.
    bool inexactTail = false;
};

// A character that may stand around a number: space, tab, CR, LF, U+2028,
// U+2029, U+00A0 or U+202F.
bool isNumberBlank(char16_t c);

// The text without the blanks at both of its ends.
QStringView withoutNumberBlanks(QStringView text);

std::optional<DecimalNumber> readDecimal(QStringView text);

bool isNumeric(QStringView text);

// Correctly rounded to the nearest float; nullopt when the text is not
// numeric or its value lies beyond the float range (values too small for a
// float become zero, as rounding gives them).
std::optional<float> toSingle(QStringView text);

// The exact decimal value rounded to nearest, ties to even; nullopt when the
// text is not numeric or the result lies outside -32768..32767.
std::optional<std::int16_t> toInteger16(QStringView text);

// Plain decimal digits, no leading blanks or zeros.
QString integerToText(std::int16_t value);

} // namespace tarvelo
