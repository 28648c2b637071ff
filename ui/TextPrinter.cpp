#include "ui/TextPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextOption>

namespace ui {

namespace {
constexpr double ScreenDpi = 96.0;
} // namespace

int PrintPlainText(QPrinter &printer, const QStringList &lines, const QFont &font, qreal tabStopPixels,
                   const TPrintMargins &margins)
{
    const QRectF area = margins.Within(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont printFont = font;
    if (font.pixelSize() > 0)
        printFont.setPointSizeF(font.pixelSize() * 72.0 / ScreenDpi);
    painter.setFont(printFont);
    const QFontMetricsF metrics(printFont, &printer);
    const qreal lineHeight = metrics.lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(tabStopPixels * printer.resolution() / ScreenDpi);

    int pages = 1;
    qreal y = area.top();
    for (const QString &line : lines) {
        if (y + lineHeight > area.bottom() && y > area.top()) {
            printer.newPage();
            ++pages;
            y = area.top();
        }
        painter.save();
        painter.setClipRect(area);
        painter.drawText(QRectF(area.left(), y, area.width(), lineHeight), line, option);
        painter.restore();
        y += lineHeight;
    }
    painter.end();
    return pages;
}

} // namespace ui
