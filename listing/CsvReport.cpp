#include "listing/CsvReport.h"

#include "explorer/FieldFormat.h"

namespace listing {

using namespace explorer;

namespace {

// Fields joined by the delimiter: each field is followed by it, and the
// trailing one is cut at the end, which keeps an empty delimiter harmless.
class TFieldLine {
public:
    explicit TFieldLine(const QString &delimiter) : fDelimiter(delimiter) { fText.reserve(160); }
    void Add(QStringView value)
    {
        fText += value;
        fText += fDelimiter;
    }
    QString &Text() { return fText; }
    void AddDateTime(TDateTimeTexts &times, TDateTime value)
    {
        times.Append(fText, value);
        fText += fDelimiter;
    }
    QString Line() const { return fText.left(fText.size() - fDelimiter.size()); }

private:
    const QString &fDelimiter;
    QString fText;
};

QString HeaderLine(const QString &delimiter, const TColumnOptions &c)
{
    TFieldLine line(delimiter);
    if (c.Separate) {
        if (c.Path)
            line.Add(QStringLiteral("Path"));
        if (c.Name)
            line.Add(QStringLiteral("Name"));
        if (c.Ext)
            line.Add(QStringLiteral("Ext"));
    } else if (c.Path || c.Name || c.Ext) {
        line.Add(QStringLiteral("Name"));
    }
    if (c.Size)
        line.Add(QStringLiteral("Size"));
    if (c.Created)
        line.Add(QStringLiteral("Created"));
    if (c.Modified)
        line.Add(QStringLiteral("Modified"));
    if (c.Accessed)
        line.Add(QStringLiteral("Accessed"));
    if (c.Attributes)
        line.Add(QStringLiteral("Attributes"));
    return line.Line();
}

QString RowLine(const QString &delimiter, const TFileData &d, const TReportSource &source,
                TDateTimeTexts &times)
{
    const TColumnOptions &c = source.Columns;
    TFieldLine line(delimiter);
    if (c.Path || c.Name || c.Ext) {
        const TNameParts parts(d);
        if (!c.Separate) {
            line.Add(parts.Combined(c));
        } else {
            if (c.Path)
                line.Add(parts.Folder);
            if (c.Name)
                line.Add(parts.Base);
            if (c.Ext)
                line.Add(parts.Ext);
        }
    }
    if (c.Size)
        line.Add(QString::number(d.Size));
    if (c.Created)
        line.AddDateTime(times, d.Created);
    if (c.Modified)
        line.AddDateTime(times, d.Modified);
    if (c.Accessed)
        line.AddDateTime(times, d.Accessed);
    if (c.Attributes)
        line.Add(QString::number(d.Attributes));
    return line.Line();
}

} // namespace

void WriteCSV(const TLineSink &sink, const QString &delimiter, const TReportSource &source)
{
    sink(HeaderLine(delimiter, source.Columns));
    TDateTimeTexts times(source.Formats);
    for (const int index : source.Order)
        sink(RowLine(delimiter, source.List.FileData[size_t(index)], source, times));
}

void ExportCSV(QStringList &report, const QString &delimiter, const TReportSource &source)
{
    report.clear();
    WriteCSV([&report](const QString &line) { report.append(line); }, delimiter, source);
}

} // namespace listing
