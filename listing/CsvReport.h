#pragma once
// The CSV report: a header naming the chosen columns, then one line a row.
// Nothing is quoted: a name holding the delimiter has more fields than the
// header, as readers of these files expect.

#include "listing/ReportSource.h"

namespace listing {

// Delimiter as the user typed it, possibly empty.
void WriteCSV(const TLineSink &sink, const QString &delimiter, const TReportSource &source);

// Clears Report and fills it.
void ExportCSV(QStringList &report, const QString &delimiter, const TReportSource &source);

} // namespace listing
