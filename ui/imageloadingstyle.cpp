#include "imageloadingstyle.h"

#include "programlook.h"

#include <QFile>
#include <QGroupBox>
#include <QStyleOption>
#include <qdrawutil.h>

namespace tarvelo {

namespace {

// Qt 6.4's own resource names for Fusion's images.
const QString kCommonImages = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");

// Fusion's spacing between a group box's top and its frame.
constexpr int kGroupBoxTopMargin = 3;

} // namespace

ImageLoadingStyle::ImageLoadingStyle() = default;

bool ImageLoadingStyle::baseIsFusion() const
{
    return baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

QIcon ImageLoadingStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                      const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton || !baseIsFusion())
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    const bool rightToLeft = (option ? option->direction : (widget ? widget->layoutDirection() : Qt::LeftToRight))
                             == Qt::RightToLeft;
    const QString stem = rightToLeft ? QStringLiteral("toolbar-ext-h-rtl-") : QStringLiteral("toolbar-ext-h-");
    QIcon icon;
    for (const char *size : {"16.png", "32.png"}) {
        if (QFile::exists(kCommonImages + stem + QLatin1String(size)))
            icon.addPixmap(readPng(kCommonImages + stem + QLatin1String(size)));
    }
    return icon.isNull() ? QProxyStyle::standardIcon(standardIcon, option, widget) : icon;
}

void ImageLoadingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                      const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || !baseIsFusion()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's own drawing of the frame, with its image read as a PNG.
    static const QPixmap frame = readPng(kCommonImages + QStringLiteral("fusion_groupbox.png"));
    int topMargin = kGroupBoxTopMargin;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        topMargin += qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    qDrawBorderPixmap(painter, option->rect.adjusted(0, topMargin, 0, 0), QMargins(6, 6, 6, 6), frame);
}

} // namespace tarvelo
