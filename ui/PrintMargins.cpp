#include "ui/PrintMargins.h"

#include <QPagedPaintDevice>

namespace ui {

namespace {
constexpr double MillimetresPerInch = 25.4;
} // namespace

QRectF TPrintMargins::Within(const QPagedPaintDevice &device) const
{
    const int resolution = device.logicalDpiX();
    const double dotsPerMm = resolution / MillimetresPerInch;
    const QRectF paper = device.pageLayout().fullRectPixels(resolution);
    return QRectF(paper.left() + Left * dotsPerMm, paper.top() + Top * dotsPerMm,
                  paper.width() - (Left + Right) * dotsPerMm, paper.height() - (Top + Bottom) * dotsPerMm);
}

} // namespace ui
