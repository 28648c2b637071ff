#pragma once
// The margins of a printed page, shared by the text and the HTML prints so
// that both kinds of report sit alike on paper.

#include <QRectF>

class QPrinter;

namespace ui {

struct TPrintMargins {  // millimetres
    double Left = 25;
    double Right = 15;
    double Top = 25;
    double Bottom = 25;

    // The part of the paper inside the margins, in the printer's device
    // pixels, counted from the paper's corner (the printer is switched to
    // full-page coordinates for that).
    QRectF Within(QPrinter &printer) const;
};

} // namespace ui
