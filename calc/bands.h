#pragma once

#include <QString>

#include <array>
#include <optional>

#include "runtime/indexvalue.h"

namespace tarvelo {

enum class BandLabel { None, Label16, Label18, Label20, Label25, Label30 };

// The five band labels in the order they are cleared.
inline constexpr std::array<BandLabel, 5> kBandLabels{BandLabel::Label16, BandLabel::Label18, BandLabel::Label20,
                                                      BandLabel::Label25, BandLabel::Label30};

struct BandRow {
    double lower; // inclusive
    double upper; // inclusive
    // Status line class text; null for the row below the bands, whose caption
    // is a fixed sentence instead.
    const char *classText;
    BandLabel label;
};

// Tested in this order; the first row holding the index wins. Bounds are the
// doubles nearest the decimals written, and the integers 0, 30, 40 and 100.
inline constexpr std::array<BandRow, 7> kBandTable{{
    {16.5, 18.49, " Infrapeso", BandLabel::Label16},
    {18.5, 20.49, " Bajo peso", BandLabel::Label18},
    {20.5, 25.49, " Peso normal", BandLabel::Label20},
    {25.5, 29.99, " Obesidad tipo I", BandLabel::Label25},
    {30, 39.99, " Obesidad premorbida", BandLabel::Label30},
    {40, 100, " Obesidad morbida", BandLabel::None},
    {0, 16.49, nullptr, BandLabel::None},
}};

// Only the first five rows carry a label to frame.
inline constexpr std::size_t kLabelledRows = 5;

// The first row among the first `rowCount` that holds the value.
std::optional<std::size_t> findBandRow(const IndexValue &value, std::size_t rowCount = kBandTable.size());

// Which band label to frame for an accepted index; None leaves all five plain.
BandLabel labelToFrame(const IndexValue &value);

// The status line caption for the value (Empty reads as 0).
QString statusCaption(const IndexValue &value);

} // namespace tarvelo
