#pragma once

#include <QProxyStyle>

namespace tarvelo {

// The desktop's own style, untouched, except for how two of Fusion's images
// are read. Fusion loads the menu bar's extension arrow and the group-box
// frame by file name, which makes Qt load every image plugin to guess their
// format before the first paint; here they are read as the PNGs they are.
// Other styles pass straight through.
class ImageLoadingStyle : public QProxyStyle {
    Q_OBJECT

public:
    ImageLoadingStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                       const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;

private:
    bool baseIsFusion() const;
};

} // namespace tarvelo
