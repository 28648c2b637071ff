#pragma once
// Printing an HTML report as text on paper, with Qt's own rich-text engine
// rather than the browser view's printing: the browser gives every page as
// one large picture (megabytes a page, no text to search or copy, seconds a
// page) and cuts wide tables at the right edge. Here the table is laid out
// to the width between the margins, long names wrap inside their cells
// (breaking anywhere when a name has no space), its heading row is repeated
// at the top of every page, and a row never straddles two pages.
//
// Each page carries a header (the page's title at the left, "Page 2 of 5"
// at the right) and a footer (the page's address at the left, the date at
// the right), in the margins above and below the report.

#include "ui/PrintMargins.h"

#include <QString>

class QPrinter;

namespace ui {

struct THtmlPageTexts {
    // Where the page was read from ("file:///tmp/.../report-1.html").
    QString Address;
    // Today's date, as the user's locale writes it.
    QString Date;
};

// The title is the page's <title>, or its first heading when it has none
// (a report's heading is the folder it lists). Returns the number of pages
// printed, 0 when the printer could not be started.
int PrintHtml(QPrinter &printer, const QString &html, const THtmlPageTexts &texts,
              const TPrintMargins &margins = TPrintMargins());

} // namespace ui
