#include "ui/HtmlChunk.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <cmath>

namespace ui {

namespace {

constexpr int DotsPerMetreAt96Dpi = 3780;

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
QTextTable *PrepareTable(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setHeaderRowCount(1);
            table->setFormat(format);
            ThinGrid(*table);
            return table;
        }
    }
    return nullptr;
}

} // namespace

THtmlChunk::THtmlChunk(const QString &html, const QSizeF &pageSize) : fScreen(1, 1, QImage::Format_RGB32)
{
    fScreen.setDotsPerMeterX(DotsPerMetreAt96Dpi);
    fScreen.setDotsPerMeterY(DotsPerMetreAt96Dpi);
    // Metrics without screen hinting, so that a line measured at 96 dpi
    // still fits when drawn at the printer's resolution.
    fDocument.setUseDesignMetrics(true);
    // Without ligatures: "fi" in a name must be read back from the print as
    // two letters, not as one sign.
    QFont font = fDocument.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    fDocument.setDefaultFont(font);
    QTextOption wrap = fDocument.defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fDocument.setDefaultTextOption(wrap);
    fDocument.setUndoRedoEnabled(false);
    fDocument.setHtml(html);
    fTable = PrepareTable(fDocument);
    // Laid out once, after the changes above: changing a laid-out table
    // cell by cell would lay it out again for each. A layout made without a
    // page size lays nothing out (the default size is not empty, and would
    // have it lay the report out for the screen first).
    fDocument.setPageSize(QSizeF(0, 0));
    fDocument.documentLayout()->setPaintDevice(&fScreen);
    fDocument.setPageSize(pageSize);
}

int THtmlChunk::PageCount() const
{
    return fDocument.pageCount();
}

int THtmlChunk::Rows() const
{
    return fTable ? fTable->rows() - 1 : 0;
}

int THtmlChunk::PageOf(qreal y) const
{
    return int(std::floor(y / fDocument.pageSize().height()));
}

// A block's place is known once the layout has reached it, which for a
// table's cells is after the first pass.
int THtmlChunk::PageOfRowTop(int row) const
{
    const QTextBlock block = fTable->cellAt(row + 1, 0).firstCursorPosition().block();
    return PageOf(fDocument.documentLayout()->blockBoundingRect(block).top());
}

int THtmlChunk::PageOfRowBottom(int row) const
{
    qreal bottom = 0;
    for (int column = 0; column < fTable->columns(); ++column) {
        const QTextBlock block = fTable->cellAt(row + 1, column).lastCursorPosition().block();
        bottom = qMax(bottom, fDocument.documentLayout()->blockBoundingRect(block).bottom());
    }
    // The bottom edge itself belongs to the page above.
    return PageOf(bottom - 1);
}

int THtmlChunk::FirstRowFrom(int page) const
{
    // Rows only go down the pages: the first on the page is found by halves.
    int low = 0, high = Rows();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (PageOfRowTop(middle) < page)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

QString THtmlChunk::Title() const
{
    const QString title = fDocument.metaInformation(QTextDocument::DocumentTitle).trimmed();
    if (!title.isEmpty())
        return title;
    for (QTextBlock block = fDocument.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            return block.text().trimmed();
    }
    return QString();
}

void THtmlChunk::PaintPage(QPainter &painter, int page, const QRectF &body) const
{
    const QSizeF size = fDocument.pageSize();
    painter.save();
    painter.translate(body.topLeft());
    painter.scale(body.width() / size.width(), body.height() / size.height());
    painter.translate(0, -page * size.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(QPointF(0, page * size.height()), size);
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip);
    fDocument.documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace ui
