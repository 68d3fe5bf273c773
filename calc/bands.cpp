#include "calc/bands.h"

namespace tarvelo {

std::optional<std::size_t> findBandRow(const IndexValue &value)
{
    for (std::size_t row = 0; row < kBandTable.size(); ++row) {
        const BandRow &band = kBandTable[row];
        const bool belowUpper = value.isAtMost(band.upper);
        const bool aboveLower = value.isAtLeast(band.lower);
        if (belowUpper && aboveLower)
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> bandToFrame(const IndexValue &value)
{
    const auto row = findBandRow(value);
    if (row && kBandTable[*row].labelled)
        return row;
    return std::nullopt;
}

QString statusCaption(const IndexValue &value)
{
    const auto row = findBandRow(value);
    if (row && !kBandTable[*row].classText)
        return QStringLiteral("Se considera a partir de 16.5");
    // Above 100 no row holds the index; the caption still names it, without a
    // class, rather than keep an earlier index's caption.
    QString caption = QStringLiteral("IMC ") + value.text() + QStringLiteral(" ") + QStringLiteral("Kg/m²");
    if (row)
        caption += QLatin1String(kBandTable[*row].classText);
    return caption;
}

} // namespace tarvelo
