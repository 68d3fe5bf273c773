#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>

#include "runtime/indexvalue.h"

namespace tarvelo {

// The refusals, in the order the checks run.
namespace refusal {
inline constexpr char16_t kHeightNotNumeric[] = u"debe ingresar un Número: Ej: 100";
inline constexpr char16_t kHeightInvalid[] = u"Debe ingresar una altura valida, Ej: 169";
inline constexpr char16_t kWeightInvalid[] = u"Debe ingresar un peso valido, Ej: 70";
} // namespace refusal

struct IndexCalculation {
    // The message to show before anything else, if any. A non-numeric weight
    // is refused without one.
    std::optional<QString> refusal;
    // Empty whenever the input was refused.
    IndexValue index;

    bool accepted() const { return !index.isEmpty(); }
};

// A multiplication of the formula produced an invalid or infinite result.
// Unreachable for input that passes the checks; it exists so that such a
// fault is never silent.
class FloatingPointError : public std::runtime_error {
public:
    FloatingPointError();
};

// Validates the height (cm) and weight (kg) texts in a fixed order and
// computes the index: 10000 × (w × (1 / h²)), h a float widened to double,
// w a 16-bit integer. The widths and the order of the operations decide the
// last decimal (height 1,1 and weight 2 give 16.528,92, not ,93).
IndexCalculation calculateIndex(QStringView heightText, QStringView weightText);

} // namespace tarvelo
