#include "listing/ReportColumns.h"

#include "listing/HtmlReport.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace listing {

using namespace explorer;

namespace {

const std::array<TReportColumnInfo, ReportColumnCount> Columns{{
    {rcPath, &TColumnOptions::Path, "path", "cbxPath", "Path", "Path", "Path", false, "Full name", nullptr},
    {rcName, &TColumnOptions::Name, "name", "cbxName", "Name", "Name", "Name", false, "Name", "Name"},
    {rcExt, &TColumnOptions::Ext, "ext", "cbxExt", "Extension", "Ext", "Ext", false, "Ext", nullptr},
    {rcSize, &TColumnOptions::Size, "size", "cbxSize", "Size", "Size", "Size[KB]", true, "Size", "Size"},
    {rcCreated, &TColumnOptions::Created, "created", "cbxCrt", "Created", "Created", "Created", false, "Created",
     "Date"},
    {rcModified, &TColumnOptions::Modified, "modified", "cbxMod", "Modified", "Modified", "Modified", false,
     "Modified", nullptr},
    {rcAccessed, &TColumnOptions::Accessed, "accessed", "cbxAcc", "Accessed", "Accessed", "Accessed", false,
     "Accessed", nullptr},
    {rcAttributes, &TColumnOptions::Attributes, "attrs", "cbxAttrs", "Attributes", "Attributes", "Attrs", false,
     "Attr", "Attributes"},
}};

// The combined field goes by the name of the name column.
const char *const CombinedHeader = "Name";

const QLatin1String CellStart("<td><font size=\"2\" face=\"verdana\">");
const QLatin1String RightCellStart("<td align=\"right\"><font size=\"2\" face=\"verdana\">");
const QLatin1String CellEnd("</font></td>");
// Room for most values, so that a cell is one allocation.
constexpr qsizetype CellValueRoom = 64;

// QString::number without a string of its own: a report writes two
// numbers a row.
void AppendNumber(QString &out, int64_t value)
{
    char digits[24];
    char *end = digits + sizeof digits;
    char *p = end;
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    out += QLatin1String(p, end - p);
}

TStamp StampOf(int column)
{
    return column == rcCreated ? stCreated : (column == rcModified ? stModified : stAccessed);
}

void AppendStamp(QString &out, int column, const TRowValues &row)
{
    const TStamp stamp = StampOf(column);
    row.Times.Append(out, StampValue(row.Data, stamp), StampRepeated(row.Data, stamp));
}

// Escapes what has been appended to Out since From; nothing to do for
// nearly every time stamp.
void EscapeTail(QString &out, qsizetype from)
{
    const QStringView tail = QStringView(out).mid(from);
    if (std::none_of(tail.begin(), tail.end(), IsHtmlSpecial))
        return;
    const QString plain = tail.toString();
    out.truncate(from);
    AppendHtmlEscaped(out, plain);
}

void AppendHtmlValue(QString &cell, int field, const TRowValues &row, const QString &indent)
{
    const TFileData &d = row.Data;
    switch (field) {
    case CombinedName: AppendHtmlEscaped(cell, row.Parts->Combined(row.Columns)); break;
    case rcPath: AppendHtmlEscaped(cell, row.Parts->Folder); break;
    case rcName:
        cell += indent;
        AppendHtmlEscaped(cell, row.Parts->Base);
        break;
    case rcExt:
        // An empty cell would lose its borders in old browsers.
        if (row.Parts->Ext.trimmed().isEmpty())
            cell += QLatin1String("&nbsp;");
        else
            AppendHtmlEscaped(cell, row.Parts->Ext);
        break;
    case rcSize:
        if (d.Directory)
            cell += QLatin1String("&lt;DIR&gt;  ");
        else
            cell += QString::number(std::llround(static_cast<long double>(d.Size) / 1024));
        break;
    case rcCreated:
    case rcModified:
    case rcAccessed: {
        const qsizetype from = cell.size();
        AppendStamp(cell, field, row);
        EscapeTail(cell, from);
        break;
    }
    case rcAttributes: cell += AttributesToText(d.Attributes); break;
    }
}

} // namespace

const std::array<TReportColumnInfo, ReportColumnCount> &ReportColumns()
{
    return Columns;
}

const TReportColumnInfo *FindReportColumn(const QString &optionName)
{
    for (const TReportColumnInfo &c : Columns)
        if (optionName == QLatin1String(c.OptionName))
            return &c;
    return nullptr;
}

std::vector<int> ReportFields(const TColumnOptions &columns)
{
    std::vector<int> fields;
    for (const TReportColumnInfo &c : Columns) {
        if (!(columns.*c.Chosen))
            continue;
        const bool namePart = c.Column == rcPath || c.Column == rcName || c.Column == rcExt;
        if (!namePart || columns.Separate)
            fields.push_back(c.Column);
        else if (fields.empty() || fields.back() != CombinedName)
            fields.push_back(CombinedName);
    }
    return fields;
}

bool IsNameField(int field)
{
    return field == CombinedName || field == rcPath || field == rcName || field == rcExt;
}

void ForEachReportRow(const TReportSource &source, const std::vector<int> &fields, size_t first, size_t last,
                      TStampTexts &times, const std::function<void(const TRowValues &row)> &write)
{
    const bool names = std::any_of(fields.begin(), fields.end(), IsNameField);
    TFolderTexts folders;
    // Rows come in sorted order, records in the order they were found: each
    // row's record and name lie somewhere else in memory, and waiting for
    // them took most of a row's time. They are asked for a few rows ahead,
    // the record first, its name once the record is there.
    constexpr size_t RecordAhead = 16, NameAhead = 8;
    const auto record = [&source](size_t row) -> const TFileData & {
        return source.List.FileData[size_t(source.Order[row])];
    };
    for (size_t row = first; row < first + RecordAhead && row < last; ++row)
        __builtin_prefetch(&record(row));
    for (size_t row = first; row < last; ++row) {
        if (row + RecordAhead < last)
            __builtin_prefetch(&record(row + RecordAhead));
        if (names && row + NameAhead < last)
            __builtin_prefetch(record(row + NameAhead).Name.constData());
        const TFileData &d = record(row);
        // Splitting the name is the dearest part of a row: only when asked.
        std::optional<TNameParts> parts;
        if (names)
            parts.emplace(d, folders);
        write(TRowValues{d, parts ? &*parts : nullptr, source.Columns, times});
    }
}

QString CsvHeader(int field)
{
    return QLatin1String(field == CombinedName ? CombinedHeader : Columns[size_t(field)].CsvHeader);
}

void AppendCsvValue(QString &out, int field, const TRowValues &row)
{
    const TFileData &d = row.Data;
    switch (field) {
    case CombinedName: row.Parts->AppendCombined(out, row.Columns); break;
    case rcPath: out += row.Parts->Folder; break;
    case rcName: out += row.Parts->Base; break;
    case rcExt: out += row.Parts->Ext; break;
    case rcSize: AppendNumber(out, d.Size); break;
    case rcCreated:
    case rcModified:
    case rcAccessed: AppendStamp(out, field, row); break;
    case rcAttributes: AppendNumber(out, d.Attributes); break;
    }
}

QString HtmlHeaderCell(int field)
{
    const bool combined = field == CombinedName;
    const char *caption = combined ? CombinedHeader : Columns[size_t(field)].HtmlHeader;
    const bool right = !combined && Columns[size_t(field)].RightAligned;
    return QStringLiteral("<th align=\"%1\"><font size=\"1\" face=\"arial\">%2</font></th>")
        .arg(QLatin1String(right ? "right" : "left"), QLatin1String(caption));
}

QString HtmlCell(int field, const TRowValues &row, const QString &indent)
{
    QString cell;
    cell.reserve(RightCellStart.size() + CellValueRoom + CellEnd.size());
    cell += field == rcSize ? RightCellStart : CellStart;
    AppendHtmlValue(cell, field, row, indent);
    cell += CellEnd;
    return cell;
}

QString ListText(TReportColumn column, const TFileData &d, const QString &timestampFormat,
                 const TRegionalFormats &formats)
{
    switch (column) {
    case rcPath: return ReportText(d.FullName());
    case rcName: return ReportText(ExtractBaseName(d.Name));
    case rcExt: return ReportText(d.Ext());
    case rcSize: return d.Directory ? FolderSizeText : FormatFileSize(d.Size, formats);
    case rcCreated:
    case rcModified:
    case rcAccessed: return FormatTimestamp(StampValue(d, StampOf(column)), timestampFormat, formats);
    case rcAttributes: return AttributesToText(d.Attributes);
    case ReportColumnCount: break;
    }
    return QString();
}

} // namespace listing
