#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <optional>

#include "runtime/indexvalue.h"

namespace tarvelo {

struct BandRow {
    double lower; // inclusive
    double upper; // inclusive
    // Status line class text; null for the row below the bands, whose caption
    // is a fixed sentence instead.
    const char *classText;
    // Whether the main window has a label for the band, framed while the index
    // lies in it.
    bool labelled;
};

// Tested in this order; the first row holding the index wins. Bounds are the
// doubles nearest the decimals written, and the integers 0, 30, 40 and 100.
inline constexpr std::array<BandRow, 7> kBandTable{{
    {16.5, 18.49, " Infrapeso", true},
    {18.5, 20.49, " Bajo peso", true},
    {20.5, 25.49, " Peso normal", true},
    {25.5, 29.99, " Obesidad tipo I", true},
    {30, 39.99, " Obesidad premorbida", true},
    {40, 100, " Obesidad morbida", false},
    {0, 16.49, nullptr, false},
}};

inline constexpr std::size_t kLabelledRows
    = std::count_if(kBandTable.begin(), kBandTable.end(), [](const BandRow &row) { return row.labelled; });

// The first row that holds the value.
std::optional<std::size_t> findBandRow(const IndexValue &value);

// The row whose label to frame for an accepted index; none leaves every label
// plain.
std::optional<std::size_t> bandToFrame(const IndexValue &value);

// The status line caption for the value (Empty reads as 0).
QString statusCaption(const IndexValue &value);

} // namespace tarvelo
