#pragma once
// The plain-text print engine: lines in the viewer's font, page after page
// within fixed margins, never wrapped (a line longer than the page is cut
// at the right margin, as the viewer shows it unwrapped too).

#include "ui/PrintMargins.h"
#include "ui/PrintProgress.h"

#include <QFont>
#include <QStringList>

class QPagedPaintDevice;
class QPainter;

namespace ui {

// Paints on Device through Painter, already begun on it in full-page
// coordinates; ending the print is the caller's. Font sizes given in screen
// pixels are printed at the size in points they have on a 96-dpi screen.
// Progress is asked after every page.
TPrintResult PrintPlainText(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines,
                            const QFont &font, qreal tabStopPixels, const TPrintProgress &progress,
                            const TPrintMargins &margins = TPrintMargins());

} // namespace ui
