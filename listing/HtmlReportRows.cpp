#include "listing/HtmlReportRows.h"

namespace listing {

namespace {
const QString RowStart = QStringLiteral("<tr>");
const QString TableEnd = QStringLiteral("</table>");
const QString TitleStart = QStringLiteral("<h2>");
const QString LineBreak = QStringLiteral("\r\n");
} // namespace

THtmlReportRows::THtmlReportRows(const QStringList &report) : fReport(report)
{
    const qsizetype heading = fReport.indexOf(RowStart);
    const qsizetype end = fReport.lastIndexOf(TableEnd);
    if (heading < 0 || end < heading) {
        fRowStarts.push_back(fReport.size());
        return;
    }
    fCut = true;
    for (qsizetype line = 0; line < heading; ++line) {
        if (fReport.at(line).startsWith(TitleStart))
            fTitle = line;
    }
    // The first "<tr>" is the heading row, which every page repeats.
    for (qsizetype line = heading + 1; line < end; ++line) {
        if (fReport.at(line) == RowStart)
            fRowStarts.push_back(line);
    }
    fRowStarts.push_back(end);
}

void THtmlReportRows::Append(QStringList &out, qsizetype from, qsizetype to, qsizetype skipped) const
{
    for (qsizetype line = from; line < to; ++line) {
        if (line != skipped)
            out.append(fReport.at(line));
    }
}

QString THtmlReportRows::Document(qsizetype first, qsizetype last) const
{
    const qsizetype rows = RowCount();
    first = qBound<qsizetype>(0, first, rows);
    last = qBound(first, last, rows);
    if (!fCut)
        return fReport.join(LineBreak);
    QStringList out;
    // The head ends where the first row begins, the heading row included.
    Append(out, 0, fRowStarts.front(), first > 0 ? fTitle : -1);
    Append(out, fRowStarts[size_t(first)], fRowStarts[size_t(last)]);
    if (last == rows)
        Append(out, fRowStarts.back(), fReport.size());
    else
        Append(out, fRowStarts.back(), fRowStarts.back() + 1);  // the table's end alone
    return out.join(LineBreak);
}

} // namespace listing
