#include "ui/captionlabel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "desktop/scalechange.h"

namespace tarvelo {

CaptionLabel::CaptionLabel(const QString &caption, Sizing sizing, QWidget *parent) : QLabel(parent), m_sizing(sizing)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A framed QLabel indents its text by default; this one never does.
    setIndent(0);
    setMargin(0);
    setWordWrap(sizing == Sizing::Fixed);
    setText(caption);
}

CaptionLabel *CaptionLabel::create(const QString &name, const QString &caption, Sizing sizing, const QRect &box,
                                   QWidget *parent)
{
    auto *label = new CaptionLabel(caption, sizing, parent);
    label->setObjectName(name);
    label->place(box);
    return label;
}

void CaptionLabel::place(const QRect &box)
{
    setGeometry(box);
    fitToCaption();
}

void CaptionLabel::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    fitToCaption();
}

void CaptionLabel::setBorderStyle(int style)
{
    // Every computation clears all five band labels: only a real change
    // is worth measuring the caption again.
    if ((style == 1 ? 1 : 0) == m_borderStyle)
        return;
    m_borderStyle = style == 1 ? 1 : 0;
    setFrameStyle(m_borderStyle == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(1);
    fitToCaption();
}

namespace {

// How far the text's ink reaches right and down, in logical pixels from its
// top-left corner, as it is drawn on a screen of this ratio: hinting (at the
// larger pixel size of ratios other than 1, or across as Windows' renderers
// hint) can make it larger than the plain metrics say.
QSize drawnInkExtent(const QFont &font, const QString &text, qreal ratio, const QPoint &origin)
{
    // Drawn from the same place as in the label: at fractional ratios the
    // origin's position within a device pixel moves the ink.
    const QFontMetricsF metrics(font);
    const QSizeF box(origin.x() + metrics.horizontalAdvance(text) + 2 * metrics.height(),
                     origin.y() + 2 * metrics.height());
    QImage image((box * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QRectF(QPointF(origin), box), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    QSize extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(reinterpret_cast<const QRgb *>(image.constScanLine(y))[x]) != 0)
                extent = extent.expandedTo(QSize(qCeil((x + 1) / ratio), qCeil((y + 1) / ratio)));
        }
    }
    return extent - QSize(origin.x(), origin.y());
}

} // namespace

void CaptionLabel::fitToCaption()
{
    // Some glyphs (capitals with accents) rise above the font's ascent, where
    // a label's first line starts: room for them inside the box. (A border
    // owns the margins; no bordered caption has such a glyph.)
    if (m_borderStyle == 0) {
        const QFontMetricsF metrics(font());
        const int inkRoom = std::max(0, qCeil(-metrics.tightBoundingRect(text()).top() - metrics.ascent()));
        if (inkRoom != m_inkRoom) {
            m_inkRoom = inkRoom;
            setContentsMargins(0, inkRoom, 0, 0);
        }
    }
    if (m_sizing != Sizing::AutoSize)
        return;
    adjustSize();
    const qreal ratio = devicePixelRatioF();
    if (!text().isEmpty()) {
        const QSize overflow = drawnInkExtent(font(), text(), ratio, contentsRect().topLeft()) - contentsRect().size();
        resize(size() + overflow.expandedTo(QSize(0, 0)));
    }
    emit resized();
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void CaptionLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToCaption();
}

bool CaptionLabel::event(QEvent *event)
{
    const bool handled = QLabel::event(event);
    // On a screen of another scale the ink of the same text reaches further.
    if (isDevicePixelRatioChange(event))
        fitToCaption();
    return handled;
}

} // namespace tarvelo
