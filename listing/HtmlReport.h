#pragma once
// The HTML report: one page from a fixed template, a style sheet made of
// five colours, a heading and a table row per listed row. Every text taken
// from the listing or the options is escaped, so a file named
// "<img src=x onerror=...>" shows as its name and runs nothing.

#include "listing/ReportParts.h"
#include "listing/ReportSource.h"

namespace listing {

// The parts refer to Layout and Source, which must outlive them. Note, when
// given, is a paragraph of its own after the table.
TReportParts HtmlParts(const THtmlLayout &layout, const TReportSource &source, const QString &note = QString());
void WriteHTML(const TLineSink &sink, const THtmlLayout &layout, const TReportSource &source,
               const QString &note = QString());

// Clears Report and fills it.
void ExportHTML(QStringList &report, const THtmlLayout &layout, const TReportSource &source);

// &, <, > and " as character references.
QString HtmlEscape(QStringView text);
void AppendHtmlEscaped(QString &out, QStringView text);
// True for the characters the two above replace.
bool IsHtmlSpecial(QChar c);

} // namespace listing
