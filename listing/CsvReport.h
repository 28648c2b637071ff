#pragma once
// The CSV report: a header naming the chosen columns, then one line a row.
// Fields are bare, except one holding the delimiter, a double quote, CR or LF:
// that one is quoted with its inner quotes doubled, so that every entry stays
// one record whatever its name.

#include "listing/ReportParts.h"
#include "listing/ReportSource.h"

namespace listing {

// Delimiter as the user typed it, possibly empty. The parts refer to
// Source, which must outlive them.
TReportParts CsvParts(const QString &delimiter, const TReportSource &source);
void WriteCSV(const TLineSink &sink, const QString &delimiter, const TReportSource &source);

// One character or none, and neither a double quote nor a line break: the
// quoting that keeps each entry one record could not be told from those.
bool IsCsvDelimiter(QStringView delimiter);

// Clears Report and fills it.
void ExportCSV(QStringList &report, const QString &delimiter, const TReportSource &source);

} // namespace listing
