#include "listing/HtmlReport.h"

#include "explorer/FieldFormat.h"

#include <cmath>

namespace listing {

using namespace explorer;

namespace {

const QString PlainCell = QStringLiteral("<td><font size=\"2\" face=\"verdana\">%1</font></td>");

QString HeaderCell(const char *caption, const char *align = "left")
{
    return QStringLiteral("<th align=\"%1\"><font size=\"1\" face=\"arial\">%2</font></th>")
        .arg(QLatin1String(align), QLatin1String(caption));
}

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

void WriteHeaderRow(const TLineSink &sink, const TColumnOptions &c)
{
    sink(QStringLiteral("<tr>"));
    if (c.Separate) {
        if (c.Path)
            sink(HeaderCell("Path"));
        if (c.Name)
            sink(HeaderCell("Name"));
        if (c.Ext)
            sink(HeaderCell("Ext"));
    } else if (c.Path || c.Name || c.Ext) {
        sink(HeaderCell("Name"));
    }
    if (c.Size)
        sink(HeaderCell("Size[KB]", "right"));
    if (c.Created)
        sink(HeaderCell("Created"));
    if (c.Modified)
        sink(HeaderCell("Modified"));
    if (c.Accessed)
        sink(HeaderCell("Accessed"));
    if (c.Attributes)
        sink(HeaderCell("Attrs"));
    sink(QStringLiteral("</tr>"));
}

int Depth(const QString &fullName)
{
    return int(fullName.count(QLatin1Char('/')));
}

QString SizeCell(const TFileData &d)
{
    if (d.Directory)
        return QStringLiteral("<td align=\"right\"><font size=\"2\" face=\"verdana\">&lt;DIR&gt;  </font></td>");
    const long long kilobytes = std::llround(static_cast<long double>(d.Size) / 1024);
    return QStringLiteral("<td align=\"right\"><font size=\"2\" face=\"verdana\">%1</font></td>")
        .arg(kilobytes);
}

void WriteRow(const TLineSink &sink, const TFileData &d, int depth, const THtmlLayout &l,
              const TReportSource &source, TDateTimeTexts &times)
{
    const TColumnOptions &c = source.Columns;
    sink(QStringLiteral("<tr>"));
    if (c.Path || c.Name || c.Ext) {
        const TNameParts parts(d);
        if (!c.Separate) {
            sink(PlainCell.arg(HtmlEscape(parts.Combined(c))));
        } else {
            if (c.Path)
                sink(PlainCell.arg(HtmlEscape(parts.Folder)));
            if (c.Name) {
                QString indent;
                if (l.Tree && depth > 0)
                    indent = QStringLiteral("&nbsp;").repeated(3 * depth + 1);
                sink(PlainCell.arg(indent + HtmlEscape(parts.Base)));
            }
            if (c.Ext)
                sink(PlainCell.arg(parts.Ext.trimmed().isEmpty() ? QStringLiteral("&nbsp;")
                                                                 : HtmlEscape(parts.Ext)));
        }
    }
    if (c.Size)
        sink(SizeCell(d));
    if (c.Created)
        sink(PlainCell.arg(HtmlEscape(times.Text(d.Created))));
    if (c.Modified)
        sink(PlainCell.arg(HtmlEscape(times.Text(d.Modified))));
    if (c.Accessed)
        sink(PlainCell.arg(HtmlEscape(times.Text(d.Accessed))));
    if (c.Attributes)
        sink(PlainCell.arg(AttributesToText(d.Attributes)));
    sink(QStringLiteral("</tr>"));
}

} // namespace

QString HtmlEscape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

void WriteHTML(const TLineSink &sink, const THtmlLayout &layout, const TReportSource &source)
{
    WriteHead(sink, layout);
    WriteHeaderRow(sink, source.Columns);
    const int base = source.Order.empty()
                         ? 0
                         : Depth(source.List.FileData[size_t(source.Order.front())].FullName());
    TDateTimeTexts times(source.Formats);
    for (const int index : source.Order) {
        const TFileData &d = source.List.FileData[size_t(index)];
        WriteRow(sink, d, Depth(d.FullName()) - base, layout, source, times);
    }
    sink(QStringLiteral("</table>"));
    if (!layout.Grid)
        sink(QStringLiteral("<hr/>"));
    sink(QStringLiteral("</center>"));
    sink(QStringLiteral("</body>"));
    sink(QStringLiteral("</html>"));
}

void ExportHTML(QStringList &report, const THtmlLayout &layout, const TReportSource &source)
{
    report.clear();
    WriteHTML([&report](const QString &line) { report.append(line); }, layout, source);
}

} // namespace listing
