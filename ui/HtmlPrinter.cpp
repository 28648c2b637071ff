#include "ui/HtmlPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace ui {

namespace {

// The report is laid out as a browser would lay it out on a 96-dpi screen,
// where a pixel of its style sheet (a border, a cell's padding) is 1/96
// inch, and then scaled to the printer. Laid out at the printer's own
// resolution, such a pixel would shrink to a hairline.
constexpr double LayoutDpi = 96.0;
constexpr int DotsPerMetreAt96Dpi = 3780;
constexpr double MillimetresPerInch = 25.4;
// Between the report and the header or footer line.
constexpr double HeaderGapMm = 4;
constexpr double HeaderPointSize = 8;

// The report's style sheet draws its grid one pixel wide, each cell giving
// its left and bottom line and the table the right one. The rich-text engine
// reads the cells' widths but draws them three pixels wide until they are
// set on the cell format itself, and it has no right line for the table:
// the last column draws it.
void ThinGrid(QTextTable &table)
{
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            QTextTableCell cell = table.cellAt(row, column);
            QTextTableCellFormat format = cell.format().toTableCellFormat();
            format.setTopBorder(format.topBorder());
            format.setBottomBorder(format.bottomBorder());
            format.setLeftBorder(format.leftBorder());
            format.setRightBorder(column + 1 == table.columns() ? format.leftBorder() : format.rightBorder());
            cell.setFormat(format);
        }
    }
}

// The report's table: its grid as on screen, its heading row repeated on
// every page it spans.
void PrepareTable(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setHeaderRowCount(1);
            table->setFormat(format);
            ThinGrid(*table);
            return;
        }
    }
}

QString PageTitle(const QTextDocument &document)
{
    const QString title = document.metaInformation(QTextDocument::DocumentTitle).trimmed();
    if (!title.isEmpty())
        return title;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            return block.text().trimmed();
    }
    return QString();
}

// Left and right texts on one line; the left one gives way (shortened in
// the middle) when both do not fit.
void PaintLine(QPainter &painter, const QRectF &line, const QString &left, const QString &right)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal rightWidth = metrics.horizontalAdvance(right);
    const qreal room = line.width() - rightWidth - metrics.averageCharWidth() * 2;
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(left, Qt::ElideMiddle, room));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, right);
}

// The report laid out in pages of PageSize, in 96-dpi pixels.
void LayOut(QTextDocument &document, QPaintDevice &screen, const QString &html, const QSizeF &pageSize)
{
    // Metrics without screen hinting, so that a line measured at 96 dpi
    // still fits when drawn at the printer's resolution.
    document.setUseDesignMetrics(true);
    // Without ligatures: "fi" in a name must be read back from the print as
    // two letters, not as one sign.
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    QTextOption wrap = document.defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrap);
    document.setUndoRedoEnabled(false);
    document.setHtml(html);
    PrepareTable(document);
    // Laid out once, after the changes above: changing a laid-out table
    // cell by cell would lay it out again for each.
    document.documentLayout()->setPaintDevice(&screen);
    document.setPageSize(pageSize);
}

// Page Index (from 0) of the laid-out document into Body, in device pixels.
void PaintPage(QPainter &painter, QTextDocument &document, int index, const QRectF &body)
{
    const QSizeF page = document.pageSize();
    painter.save();
    painter.translate(body.topLeft());
    painter.scale(body.width() / page.width(), body.height() / page.height());
    painter.translate(0, -index * page.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, index * page.height()), page);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace

int PrintHtml(QPrinter &printer, const QString &html, const THtmlPageTexts &texts, const TPrintMargins &margins)
{
    const QRectF body = margins.Within(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QImage screen(1, 1, QImage::Format_RGB32);
    screen.setDotsPerMeterX(DotsPerMetreAt96Dpi);
    screen.setDotsPerMeterY(DotsPerMetreAt96Dpi);
    QTextDocument document;
    LayOut(document, screen, html, body.size() * LayoutDpi / printer.resolution());
    const int pages = document.pageCount();
    const QString title = PageTitle(document);

    QFont lineFont = document.defaultFont();
    lineFont.setPointSizeF(HeaderPointSize);
    painter.setFont(lineFont);
    const qreal gap = HeaderGapMm * printer.resolution() / MillimetresPerInch;
    const qreal lineHeight = QFontMetricsF(lineFont, &printer).height();
    const QRectF header(body.left(), body.top() - gap - lineHeight, body.width(), lineHeight);
    const QRectF footer(body.left(), body.bottom() + gap, body.width(), lineHeight);
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            printer.newPage();
        PaintPage(painter, document, p, body);
        PaintLine(painter, header, title, QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages));
        PaintLine(painter, footer, texts.Address, texts.Date);
    }
    painter.end();
    return pages;
}

} // namespace ui
