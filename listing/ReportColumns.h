#pragma once
// Every column a listing can be shown or reported with, described once: the
// option that chooses it, its name on tamarel-list's command line, its box
// on the List page, its header and value in the CSV and HTML reports, and
// its caption and text in the List table. The writers, the List table and
// the command line all read this table, so a column cannot mean one thing
// in a report and another on screen.

#include "explorer/FieldFormat.h"
#include "listing/ReportSource.h"
#include "listing/StampTexts.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

namespace listing {

// Also the List table's columns, in its order: its first column shows the
// full name where reports have the path.
enum TReportColumn { rcPath, rcName, rcExt, rcSize, rcCreated, rcModified, rcAccessed, rcAttributes, ReportColumnCount };

struct TReportColumnInfo {
    TReportColumn Column;
    bool TColumnOptions::*Chosen;  // the option that puts it into reports
    const char *OptionName;        // in tamarel-list's --columns: "path"
    const char *BoxName;           // its box on the List page, and its stored setting
    const char *BoxCaption;        // "Path"
    const char *CsvHeader;         // "Path"
    const char *HtmlHeader;        // "Path", "Size[KB]"
    bool RightAligned;             // in the HTML header and the List table
    const char *ListCaption;       // "Full name"
    const char *ListToolTip;       // the List header's tooltip, or nullptr
};

const std::array<TReportColumnInfo, ReportColumnCount> &ReportColumns();
// The column of a --columns name, or nullptr.
const TReportColumnInfo *FindReportColumn(const QString &optionName);

// A field of a report line: a column, or CombinedName, the path, name and
// extension chosen written as one "Name" field (when they are not asked
// for separately).
constexpr int CombinedName = ReportColumnCount;
// The fields of a report with these columns, in the order written.
std::vector<int> ReportFields(const TColumnOptions &columns);
// True when a field needs the row's name parts.
bool IsNameField(int field);

// What a row writes into a report field.
struct TRowValues {
    const explorer::TFileData &Data;
    const TNameParts *Parts;  // set when a name field is written
    const TColumnOptions &Columns;
    TStampTexts &Times;
};

// Runs Write for rows First to Last (exclusive) of Source, in order, with
// what the row writes into the fields. Times: the caller's, kept from one
// run of rows to the next, since the stamps of a listing cluster.
void ForEachReportRow(const TReportSource &source, const std::vector<int> &fields, size_t first, size_t last,
                      TStampTexts &times, const std::function<void(const TRowValues &row)> &write);

QString CsvHeader(int field);
// Appends the field's value, not yet quoted.
void AppendCsvValue(QString &out, int field, const TRowValues &row);

QString HtmlHeaderCell(int field);
// The field's whole cell, "<td>...</td>", texts escaped. Indent goes before
// a separate name.
QString HtmlCell(int field, const TRowValues &row, const QString &indent);

// The List table's cell of a record; time stamps by TimestampFormat.
QString ListText(TReportColumn column, const explorer::TFileData &d, const QString &timestampFormat,
                 const explorer::TRegionalFormats &formats);

} // namespace listing
