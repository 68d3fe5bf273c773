// Fuzzes the number reading and the whole calculation on two arbitrary texts:
// the input's bytes up to the first NUL are the height, the rest the weight.

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "calc/bands.h"
#include "calc/indexcalculation.h"
#include "runtime/numbers.h"

using namespace tarvelo;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isTwoDecimalText(const QString &text)
{
    // es_ES: digits, optional "." groups, a comma and exactly two decimals.
    const qsizetype size = text.size();
    if (size < 4 || text[size - 3] != u',' || !text[size - 2].isDigit() || !text[size - 1].isDigit())
        return false;
    for (qsizetype i = 0; i < size - 3; ++i) {
        if (!(text[i] >= u'0' && text[i] <= u'9') && text[i] != u'.')
            return false;
    }
    return text[0] != u'.';
}

void checkNumber(const QString &text)
{
    const bool numeric = isNumeric(text);
    require(numeric == readDecimal(text).has_value());
    const auto single = toSingle(text);
    const auto integer = toInteger16(text);
    // Blanks as pasted around a number change nothing.
    const QString pasted = QStringLiteral("\u00A0\r\n") + text + QStringLiteral("\u2029\u202F\t");
    require(isNumeric(pasted) == numeric && toSingle(pasted) == single && toInteger16(pasted) == integer);
    if (!numeric) {
        require(!single && !integer);
        return;
    }
    if (single && integer) {
        // Both read the same decimal; they differ by rounding alone.
        const double gap = std::fabs(double(*single) - double(*integer));
        require(gap <= 0.5 + std::fabs(double(*single)) * 1e-6);
    }
}

void checkCalculation(const QString &height, const QString &weight)
{
    const IndexCalculation result = calculateIndex(height, weight);
    const QString expectedRefusal = [&] {
        if (!isNumeric(height))
            return QString::fromUtf16(refusal::kHeightNotNumeric);
        if (!isNumeric(weight))
            return QString();
        const auto h = toSingle(height);
        if (!h || !(*h > 0.0f))
            return QString::fromUtf16(refusal::kHeightInvalid);
        const auto w = toInteger16(weight);
        if (!w || *w < 1)
            return QString::fromUtf16(refusal::kWeightInvalid);
        return QString();
    }();
    require(result.refusal.value_or(QString()) == expectedRefusal);

    const bool shouldAccept = expectedRefusal.isEmpty() && isNumeric(weight);
    require(result.accepted() == shouldAccept);
    if (result.accepted()) {
        require(isTwoDecimalText(result.index.text()));
        require(std::isfinite(result.index.number()) && result.index.number() >= 0.0);
    }
    const QString caption = statusCaption(result.index);
    require(caption.startsWith(u"IMC ") || caption == u"Se considera a partir de 16.5");
    require(result.accepted() || !bandToFrame(result.index));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    const void *nul = std::memchr(bytes, 0, size);
    const std::size_t heightSize = nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - bytes) : size;
    const QString height = QString::fromUtf8(bytes, qsizetype(heightSize));
    const QString weight
        = heightSize < size ? QString::fromUtf8(bytes + heightSize + 1, qsizetype(size - heightSize - 1)) : QString();
    checkNumber(height);
    checkNumber(weight);
    checkCalculation(height, weight);
    return 0;
}
