#pragma once

#include <QLabel>

namespace tarvelo {

// A label that draws plain text from its top-left corner, with no indent or
// margin, an optional single-line border (border style 0 or 1) and, when
// auto-sized, a box that follows its text and border while its left and top
// edges stay.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    enum class Sizing { Fixed, AutoSize };

    CaptionLabel(const QString &caption, Sizing sizing, QWidget *parent);

    // A label named `name` (its object name), placed in `box`.
    static CaptionLabel *create(const QString &name, const QString &caption, Sizing sizing, const QRect &box,
                                QWidget *parent);

    // Sets the box; an auto-sized label then fits its caption from that corner.
    void place(const QRect &box);

    void setCaption(const QString &caption);
    QString caption() const { return text(); }

    void setBorderStyle(int style);
    int borderStyle() const { return m_borderStyle; }

    bool isAutoSized() const { return m_sizing == Sizing::AutoSize; }

signals:
    void clicked();
    void resized();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void fitToCaption();

    Sizing m_sizing;
    int m_borderStyle = 0;
    // Room above the first line for ink that rises past the font's ascent.
    int m_inkRoom = 0;
};

} // namespace tarvelo
