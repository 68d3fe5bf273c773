#include "calc/indexcalculation.h"

#include <cmath>

#include "runtime/numbers.h"

namespace tarvelo {

namespace {

IndexCalculation refuse(const char16_t *message)
{
    return {QString::fromUtf16(message), IndexValue()};
}

void checkFloatingPoint(double product)
{
    if (!std::isfinite(product))
        throw FloatingPointError();
}

} // namespace

FloatingPointError::FloatingPointError() : std::runtime_error("floating-point error in the index formula") { }

IndexCalculation calculateIndex(QStringView heightText, QStringView weightText)
{
    if (!isNumeric(heightText))
        return refuse(refusal::kHeightNotNumeric);
    if (!isNumeric(weightText))
        return {};
    // A numeric height beyond the float range is as unusable as a negative one.
    const std::optional<float> height = toSingle(heightText);
    if (!height || !(*height > 0.0f))
        return refuse(refusal::kHeightInvalid);
    // Likewise a weight outside the 16-bit range.
    const std::optional<std::int16_t> weight = toInteger16(weightText);
    if (!weight || !(*weight > 0))
        return refuse(refusal::kWeightInvalid);

    const double h = static_cast<double>(*height);
    const double s = h * h;
    const double r = 1.0 / s;
    const double w = static_cast<double>(*weight);
    const double p = r * w;
    checkFloatingPoint(p);
    const double index = 10000.0 * p;
    checkFloatingPoint(index);
    return {std::nullopt, IndexValue::fromIndex(index)};
}

} // namespace tarvelo
