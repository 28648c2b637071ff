#pragma once
// An HTML report cut where its table's rows begin, for a reader that cannot
// take a large report whole: a print lays out a few thousand rows at a time,
// as the whole of 170,000 rows would take gigabytes. Each run of rows
// becomes a page of its own that reads as a part of the report: the same
// style sheet, the same heading row; the title only before the first row,
// and what follows the table (a note, the closing rule) only after the
// last.
//
// The lines are those WriteHTML writes: a row begins with the line "<tr>"
// and the table ends with the line "</table>". No name can make such a
// line, as every text in the report is escaped. Lines of another shape are
// one run of no rows that gives them back whole.

#include <QStringList>
#include <vector>

namespace listing {

class THtmlReportRows {
public:
    // Keeps its own copy (shared, not duplicated) of the lines, so a report
    // built anew meanwhile does not change what is being read.
    explicit THtmlReportRows(const QStringList &report);

    // The rows below the heading row.
    qsizetype RowCount() const { return qsizetype(fRowStarts.size()) - 1; }
    // A page of rows First to Last (Last excluded; 0 <= First <= Last <=
    // RowCount), its lines joined by CR LF. Document(0, RowCount()) is the
    // whole report.
    QString Document(qsizetype first, qsizetype last) const;

private:
    void Append(QStringList &out, qsizetype from, qsizetype to, qsizetype skipped = -1) const;

    QStringList fReport;
    bool fCut = false;  // false: not a report's shape, given back whole
    qsizetype fTitle = -1;  // the line of the title, before the table
    // The line each row begins on, then the line the table ends on.
    std::vector<qsizetype> fRowStarts;
};

} // namespace listing
