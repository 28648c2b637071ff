#pragma once
// Printing an HTML report as text on paper, with Qt's own rich-text engine
// rather than the browser view's printing: the browser gives every page as
// one large picture (megabytes a page, no text to search or copy, seconds a
// page) and cuts wide tables at the right edge.
//
// Each page carries a header (the report's title at the left, "Page 2 of 5"
// at the right) and a footer (the page's address at the left, the date at
// the right), in the margins above and below the report.
//
// A report of any size prints in bounded memory: its rows are laid out a
// run at a time (THtmlChunk), each run continuing on a fresh page just where
// the last full page of the run before it ended, so the pages are those one
// document of the whole report would have (but that the columns' widths
// may differ a little from run to run, each run's table being sized by its
// own rows). To number the pages "of M", every run is laid out twice, first
// to count its pages and then to paint them: the count takes under half
// the print's time (33 of 91 seconds for 173,000 rows), and a total that
// is always right is worth it.

#include "ui/PrintMargins.h"
#include "ui/PrintProgress.h"

#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace ui {

struct THtmlPageTexts {
    // Where the page was read from ("file:///tmp/.../report-1.html").
    QString Address;
    // Today's date, as the user's locale writes it.
    QString Date;
};

// A report's table as runs of rows.
struct THtmlRows {
    // Below the heading row.
    qsizetype Count = 0;
    // A page of its own holding rows First to Last (Last excluded) under the
    // heading row; with the title when First is 0 and with what follows the
    // table when Last is Count.
    std::function<QString(qsizetype first, qsizetype last)> Document;
};

struct THtmlPrintSettings {
    TPrintMargins Margins;
    // Rows laid out at a time: each run of them is a pause of the window and
    // tens of megabytes.
    qsizetype RowsAtATime = 1000;
};

// A print in two steps: the pages are counted before any is painted, so a
// print cancelled while they are counted never reaches the printer.
class THtmlPrint {
public:
    // Device: the paper's size and resolution, in full-page coordinates.
    // Rows and Texts must outlive the print.
    THtmlPrint(const QPagedPaintDevice &device, const THtmlRows &rows, const THtmlPageTexts &texts,
               const THtmlPrintSettings &settings = THtmlPrintSettings());
    ~THtmlPrint();
    THtmlPrint(const THtmlPrint &) = delete;
    THtmlPrint &operator=(const THtmlPrint &) = delete;

    // Lays the rows out a run at a time to count the pages; Progress is
    // asked after each run. False when it stopped the count.
    bool CountPages(const TPrintProgress &progress);
    int Pages() const;
    // Paints the pages counted on Device through Painter, already begun on
    // it; ending the print is the caller's. Progress is asked after every
    // page.
    TPrintResult Paint(QPainter &painter, QPagedPaintDevice &device, const TPrintProgress &progress);

private:
    class TImpl;
    std::unique_ptr<TImpl> fImpl;
};

} // namespace ui
