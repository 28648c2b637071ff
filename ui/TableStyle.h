#pragma once
// The look both tables share where the desktop's style would differ from
// it: check boxes drawn dark, so that an unticked folder stands out on the
// white table (the common styles draw an unticked box in a faint grey); and
// no focus rectangle of the style's own, which some styles fill with a
// tint of their highlight over the row, its pictures included: the table
// frames its highlighted row itself.

#include <QProxyStyle>

namespace ui {

class TTableStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Draws everything else as the application's style does.
    TTableStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

} // namespace ui
