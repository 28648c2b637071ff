#include "ui/PrintMargins.h"

#include <QPrinter>

namespace ui {

namespace {
constexpr double MillimetresPerInch = 25.4;
} // namespace

QRectF TPrintMargins::Within(QPrinter &printer) const
{
    printer.setFullPage(true);
    const double dotsPerMm = printer.resolution() / MillimetresPerInch;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    return QRectF(paper.left() + Left * dotsPerMm, paper.top() + Top * dotsPerMm,
                  paper.width() - (Left + Right) * dotsPerMm, paper.height() - (Top + Bottom) * dotsPerMm);
}

} // namespace ui
