#include "captionlabel.h"

#include <QMouseEvent>

namespace tarvelo {

CaptionLabel::CaptionLabel(const QString &caption, Sizing sizing, QWidget *parent)
    : QLabel(parent)
    , m_sizing(sizing)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A framed QLabel indents its text by default; the classic label does not.
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
    m_borderStyle = style == 1 ? 1 : 0;
    setFrameStyle(m_borderStyle == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(1);
    fitToCaption();
}

void CaptionLabel::fitToCaption()
{
    if (m_sizing != Sizing::AutoSize)
        return;
    adjustSize();
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

} // namespace tarvelo
