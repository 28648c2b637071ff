#pragma once
// The margins of a printed page, shared by the text and the HTML prints so
// that both kinds of report sit alike on paper.

#include <QRectF>

class QPagedPaintDevice;

namespace ui {

struct TPrintMargins {  // millimetres
    double Left = 25;
    double Right = 15;
    double Top = 25;
    double Bottom = 25;

    // The part of the paper inside the margins, in the device's pixels,
    // counted from the paper's corner: the device must be set to full-page
    // coordinates (QPageLayout::FullPageMode) before it is painted on.
    QRectF Within(const QPagedPaintDevice &device) const;
};

} // namespace ui
