#pragma once
// The plain-text print engine: lines in the viewer's font, page after page
// within fixed margins, never wrapped (a line longer than the page is cut
// at the right margin, as the viewer shows it unwrapped too).

#include "ui/PrintMargins.h"

#include <QFont>
#include <QStringList>

class QPrinter;

namespace ui {

// Font sizes given in screen pixels are printed at the same size in points
// they have on a 96-dpi screen. Returns the number of pages printed.
int PrintPlainText(QPrinter &printer, const QStringList &lines, const QFont &font,
                   qreal tabStopPixels, const TPrintMargins &margins = TPrintMargins());

} // namespace ui
