#include "ui/TextPrinter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextOption>

namespace ui {

namespace {
constexpr double ScreenDpi = 96.0;
} // namespace

TPrintResult PrintPlainText(QPainter &painter, QPagedPaintDevice &device, const QStringList &lines,
                            const QFont &font, qreal tabStopPixels, const TPrintProgress &progress,
                            const TPrintMargins &margins)
{
    const QRectF area = margins.Within(device);
    const int resolution = device.logicalDpiY();
    QFont printFont = font;
    if (font.pixelSize() > 0)
        printFont.setPointSizeF(font.pixelSize() * 72.0 / ScreenDpi);
    painter.setFont(printFont);
    const qreal lineHeight = QFontMetricsF(printFont, &device).lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStopPixels * resolution / ScreenDpi);
    // At least one line a page, however large the font.
    const qsizetype perPage = qMax<qsizetype>(1, qsizetype(area.height() / lineHeight));
    const qsizetype count = qMax<qsizetype>(1, lines.size());
    TPrintStatus status{0, count, 0, int((count + perPage - 1) / perPage)};

    for (qsizetype first = 0; first < count; first += perPage) {
        if (first > 0)
            device.newPage();
        const qsizetype last = qMin(lines.size(), first + perPage);
        painter.save();
        painter.setClipRect(area);
        for (qsizetype i = first; i < last; ++i)
            painter.drawText(QRectF(area.left(), area.top() + (i - first) * lineHeight, area.width(), lineHeight),
                             lines.at(i), option);
        painter.restore();
        ++status.Page;
        status.Done = qMin(count, first + perPage);
        if (!progress(status))
            return {status.Page, true};
    }
    return {status.Page, false};
}

} // namespace ui
