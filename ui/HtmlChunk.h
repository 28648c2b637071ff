#pragma once
// One run of an HTML report's rows laid out in pages by Qt's rich-text
// engine, as its own document: the print lays out a bounded number of rows
// at a time, since one document of a whole large report takes gigabytes and
// minutes before its first page.
//
// The table is laid out to the page's width, long names wrap inside their
// cells (breaking anywhere when a name has no space), and its heading row is
// repeated at the top of every page. A row of several lines may be split
// between two pages.

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextDocument>

class QPainter;
class QPagedPaintDevice;
class QTextTable;

namespace ui {

class THtmlChunk {
public:
    // The report is laid out as a browser lays it out on a 96-dpi screen,
    // where a pixel of its style sheet (a border, a cell's padding) is 1/96
    // inch, and then scaled to the printer: laid out at the printer's own
    // resolution such a pixel would shrink to a hairline.
    static constexpr double LayoutDpi = 96.0;

    // Lays Html out in pages of PageSize, in LayoutDpi pixels.
    THtmlChunk(const QString &html, const QSizeF &pageSize);
    THtmlChunk(const THtmlChunk &) = delete;
    THtmlChunk &operator=(const THtmlChunk &) = delete;

    // All pages, what follows the table included. It costs a second pass
    // over the layout: the rich-text engine lays a table out once and then
    // again when asked for what comes after it.
    int PageCount() const;
    // The rows of the table's body (below the heading row), 0 without a
    // table.
    int Rows() const;
    // The pages (from 0) where a row of the body, counted from 0, begins and
    // ends: the same but for a row taller than a page. Row must exist.
    int PageOfRowTop(int row) const;
    int PageOfRowBottom(int row) const;
    // The first row of the body that begins on Page or after it; Rows()
    // when none does.
    int FirstRowFrom(int page) const;
    // The page's <title>, or its first heading (a report's heading is the
    // folder it lists).
    QString Title() const;
    // Paints Page (from 0) into Body, a rectangle of the painter's device.
    void PaintPage(QPainter &painter, int page, const QRectF &body) const;

private:
    int PageOf(qreal y) const;

    QImage fScreen;
    mutable QTextDocument fDocument;  // its layout is made on demand
    QTextTable *fTable = nullptr;
};

} // namespace ui
