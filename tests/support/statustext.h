#pragma once

#include <QString>

namespace tarvelo::testing {

inline const QString kBelowBands = QStringLiteral("Se considera a partir de 16.5");

// The status line for an index text and a class text (which starts with a blank).
inline QString statusText(const char *indexText, const char *classText)
{
    return QStringLiteral("IMC ") + QString::fromUtf8(indexText) + QStringLiteral(" Kg/m²")
        + QString::fromUtf8(classText);
}

} // namespace tarvelo::testing
