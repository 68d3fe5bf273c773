// Fuzzes what a screen reader is told of a field's text: any text (UTF-16
// from the input's bytes after the first four), any offset, boundary and
// side. Every question answers, within the text, with an item that holds the
// offset asked about.

#include <QString>

#include <cstdint>
#include <cstdlib>

#include "desktop/fieldaccessible.h"

using namespace tarvelo;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data + 4), qsizetype((size - 4) / 2));
    const int length = int(text.size());
    // Offsets from -3 to the length + 3, as a client may ask.
    const int offset = int(data[0] % (length + 7)) - 3;
    const auto boundary = QAccessible::TextBoundaryType(data[1] % 6);
    const auto side = TextSide(data[2] % 3);
    const TextSpan span = textSpan(text, offset, boundary, side);
    if (offset < -1 || offset > length) {
        require(span == TextSpan{});
        return 0;
    }
    require(0 <= span.start && span.start <= span.end && span.end <= length);
    const int at = offset == -1 ? length : offset;
    if (side == TextSide::At && at < length)
        require(span.start <= at && at < span.end);
    if (side == TextSide::Before)
        require(span.end <= at);
    if (side == TextSide::After)
        require(span.start >= at);
    return 0;
}
