#pragma once

#include <QLocale>
#include <QString>

namespace tarvelo {

struct FormattedNumber {
    QString text;
    // The number the text shows, read from our own digits (never back from
    // the localised text), as the nearest double.
    double shown = 0.0;
};

// The named format "standard": two decimals with the locale's decimal and
// group separators. The value is first written to 15 significant digits and
// then rounded half away from zero at the second decimal, so 78.12499999999999
// shows as 78,13. Grouping is by threes; a locale that leaves four-digit
// numbers ungrouped (Spanish: 1234,50) keeps them so.
FormattedNumber formatStandard(double value, const QLocale &locale = QLocale());

} // namespace tarvelo
