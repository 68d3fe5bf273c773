#pragma once

#include <array>

#include "calc/bands.h"
#include "ui/captionlabel.h"

namespace tarvelo {

// Where the main window shows the label of a band of kBandTable, in twips
// from the client area's corner.
struct BandLabelPlace {
    std::size_t band; // its row in kBandTable
    const char *name;
    const char *caption;
    CaptionLabel::Sizing sizing;
    int left;
    int top;
    int width;
    int height;
};

// One place for each labelled band, in the order the labels are made.
inline constexpr std::array<BandLabelPlace, kLabelledRows> kBandLabelPlaces{{
    {3, "Label25", "25,5 a 30 Obesidad I", CaptionLabel::Sizing::AutoSize, 2670, 4200, 1485, 225},
    {2, "Label20", "20,5 a 25,5 Peso normal", CaptionLabel::Sizing::Fixed, 1680, 4200, 945, 435},
    {0, "Label16", "16,5 a 18,5 Infrapeso", CaptionLabel::Sizing::AutoSize, 60, 4200, 1515, 225},
    {1, "Label18", "18,5 a 20,5 Bajo peso", CaptionLabel::Sizing::AutoSize, 60, 4440, 1560, 225},
    {4, "Label30", "30 a 40 Ob. premorbida", CaptionLabel::Sizing::AutoSize, 2670, 4440, 1665, 225},
}};

// Each labelled band has exactly one place.
constexpr bool placesEveryLabelledBandOnce()
{
    for (std::size_t band = 0; band < kBandTable.size(); ++band) {
        const auto count = std::count_if(kBandLabelPlaces.begin(), kBandLabelPlaces.end(),
                                         [band](const BandLabelPlace &place) { return place.band == band; });
        if (count != (kBandTable[band].labelled ? 1 : 0))
            return false;
    }
    return true;
}
static_assert(placesEveryLabelledBandOnce());

} // namespace tarvelo
