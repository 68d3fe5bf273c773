#include "runtime/indexvalue.h"

#include "runtime/standardformat.h"

namespace tarvelo {

IndexValue IndexValue::fromIndex(double index)
{
    const FormattedNumber formatted = formatStandard(index);
    IndexValue value;
    value.m_empty = false;
    value.m_text = formatted.text;
    value.m_number = formatted.shown;
    return value;
}

} // namespace tarvelo
