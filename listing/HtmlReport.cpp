#include "listing/HtmlReport.h"

#include "explorer/FieldFormat.h"
#include "listing/ReportColumns.h"

namespace listing {

using namespace explorer;

namespace {

void WriteHead(const TLineSink &sink, const THtmlLayout &l)
{
    const QString grid = HtmlEscape(l.GridColor), header = HtmlEscape(l.HeaderColor),
                  headerFont = HtmlEscape(l.HeaderFontColor), cell = HtmlEscape(l.CellColor),
                  cellFont = HtmlEscape(l.CellFontColor);
    sink(QStringLiteral("<html>"));
    sink(QStringLiteral("<head>"));
    sink(QStringLiteral("<meta name=\"generator\" content=\"Zelko Tamarel\"/>"));
    sink(QStringLiteral("<meta name=\"author\" content=\"Zelko\"/>"));
    sink(QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html\"/>"));
    sink(QStringLiteral("<meta charset=\"%1\"/>").arg(HtmlEscape(l.Charset)));
    sink(QStringLiteral("<style type=\"text/css\">"));
    if (l.Grid) {
        sink(QStringLiteral("table {border: solid %1; border-top-width:1; border-left-width:0; "
                            "border-bottom-width:0; border-right-width:1;}").arg(grid));
        sink(QStringLiteral("th {background-color: %1; color: %2; border: solid %3; "
                            "border-top-width:0; border-left-width:1; border-bottom-width:1; "
                            "border-right-width:0;}").arg(header, headerFont, grid));
        sink(QStringLiteral("td {background-color: %1; color: %2; border: solid %3; "
                            "border-top-width:0; border-left-width:1; border-bottom-width:1; "
                            "border-right-width:0;}").arg(cell, cellFont, grid));
        sink(QStringLiteral("td.space {background-color: %1; color: %2; border: solid %3; "
                            "border-top-width:0; border-left-width:0; border-bottom-width:1; "
                            "border-right-width:0;}").arg(cell, cellFont, grid));
    } else {
        sink(QStringLiteral("table {background-color: %1; color: %2; }").arg(cell, cellFont));
        sink(QStringLiteral("th {background-color: %1; color: %2; }").arg(header, headerFont));
    }
    sink(QStringLiteral("</style>"));
    sink(QStringLiteral("</head>"));
    sink(QStringLiteral("<body>"));
    sink(QStringLiteral("<center>"));
    sink(QStringLiteral("<h2>%1</h2>").arg(HtmlEscape(ReportText(l.Title))));
    sink(l.Grid ? QStringLiteral("<table border=\"0\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">")
                : QStringLiteral("<table border=\"0\" cellspacing=\"2\" cellpadding=\"2\" width=\"100%\">"));
}

void WriteHeaderRow(const TLineSink &sink, const std::vector<int> &fields)
{
    sink(QStringLiteral("<tr>"));
    for (const int field : fields)
        sink(HtmlHeaderCell(field));
    sink(QStringLiteral("</tr>"));
}

int Depth(const QString &fullName)
{
    return int(fullName.count(QLatin1Char('/')));
}

// Tree simulation: a separate name is pushed right by its depth below the
// first row's folder.
QString TreeIndent(int depth, const THtmlLayout &l)
{
    constexpr int SpacesPerLevel = 3;
    return l.Tree && depth > 0 ? QStringLiteral("&nbsp;").repeated(SpacesPerLevel * depth + 1) : QString();
}

void WriteRow(const TLineSink &sink, const std::vector<int> &fields, const TRowValues &row, const QString &indent)
{
    sink(QStringLiteral("<tr>"));
    for (const int field : fields)
        sink(HtmlCell(field, row, indent));
    sink(QStringLiteral("</tr>"));
}

} // namespace

QString HtmlEscape(QStringView text)
{
    QString out;
    AppendHtmlEscaped(out, text);
    return out;
}

namespace {

const char *EntityOf(QChar c)
{
    switch (c.unicode()) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
    }
}

} // namespace

bool IsHtmlSpecial(QChar c)
{
    return EntityOf(c) != nullptr;
}

void AppendHtmlEscaped(QString &out, QStringView text)
{
    // Runs without a character to escape go in whole.
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const char *entity = EntityOf(text[i])) {
            out += text.mid(plain, i - plain);
            out += QLatin1String(entity);
            plain = i + 1;
        }
    }
    out += text.mid(plain);
}

TReportParts HtmlParts(const THtmlLayout &layout, const TReportSource &source, const QString &note)
{
    const std::vector<int> fields = ReportFields(source.Columns);
    const int base = source.Order.empty()
                         ? 0
                         : Depth(source.List.FileData[size_t(source.Order.front())].FullName());
    TReportParts parts = RowsOnly(source);
    parts.Head = [&layout, fields](const TLineSink &sink) {
        WriteHead(sink, layout);
        WriteHeaderRow(sink, fields);
    };
    parts.Rows = [&layout, source, fields, base](const TLineSink &sink, size_t first, size_t last,
                                                 TStampTexts &times) {
        ForEachReportRow(source, fields, first, last, times, [&](const TRowValues &row) {
            WriteRow(sink, fields, row, TreeIndent(Depth(row.Data.FullName()) - base, layout));
        });
    };
    parts.Tail = [&layout, note](const TLineSink &sink) {
        sink(QStringLiteral("</table>"));
        if (!layout.Grid)
            sink(QStringLiteral("<hr/>"));
        if (!note.isEmpty())
            sink(QStringLiteral("<p>%1</p>").arg(HtmlEscape(note)));
        sink(QStringLiteral("</center>"));
        sink(QStringLiteral("</body>"));
        sink(QStringLiteral("</html>"));
    };
    return parts;
}

void WriteHTML(const TLineSink &sink, const THtmlLayout &layout, const TReportSource &source, const QString &note)
{
    WriteParts(HtmlParts(layout, source, note), sink);
}

void ExportHTML(QStringList &report, const THtmlLayout &layout, const TReportSource &source)
{
    report.clear();
    WriteHTML([&report](const QString &line) { report.append(line); }, layout, source);
}

} // namespace listing
