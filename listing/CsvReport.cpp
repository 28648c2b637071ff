#include "listing/CsvReport.h"

#include "explorer/FieldFormat.h"

namespace listing {

using namespace explorer;

namespace {

// Fields joined by the delimiter: each field is followed by it, and the
// trailing one is cut at the end, which keeps an empty delimiter harmless.
// The text is one buffer reused from row to row.
//
// A field holding the delimiter, a double quote or a line break is quoted
// the RFC 4180 way, or a reader would split the record at a name such as
// "a;b" or one with a newline in it. Every other field stays bare, so that
// reports of ordinary folders read exactly as they always have.
class TFieldLine {
public:
    TFieldLine(const QString &delimiter, QString &buffer) : fDelimiter(delimiter), fText(buffer)
    {
        fText.truncate(0);
    }
    void Add(QStringView value)
    {
        fText += value;
        Next();
    }
    // The field being written is the text after the last Next.
    QString &Text() { return fText; }
    void Next()
    {
        QuoteIfNeeded();
        fText += fDelimiter;
        fStart = fText.size();
    }
    const QString &Line()
    {
        fText.chop(fDelimiter.size());
        return fText;
    }

private:
    bool NeedsQuotes(QStringView field) const
    {
        for (const QChar c : field)
            if (c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                return true;
        return !fDelimiter.isEmpty() && field.contains(fDelimiter);
    }
    void QuoteIfNeeded()
    {
        if (!NeedsQuotes(QStringView(fText).mid(fStart)))
            return;
        QString field = fText.mid(fStart);
        field.replace(QLatin1Char('"'), QLatin1String("\"\""));
        fText.truncate(fStart);
        fText += QLatin1Char('"');
        fText += field;
        fText += QLatin1Char('"');
    }

    const QString &fDelimiter;
    QString &fText;
    qsizetype fStart = 0;
};

QString HeaderLine(const QString &delimiter, const TColumnOptions &c)
{
    QString buffer;
    TFieldLine line(delimiter, buffer);
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

const QString &RowLine(const QString &delimiter, const TFileData &d, const TReportSource &source,
                       TDateTimeTexts &times, QString &buffer)
{
    const TColumnOptions &c = source.Columns;
    TFieldLine line(delimiter, buffer);
    if (c.Path || c.Name || c.Ext) {
        const TNameParts parts(d);
        if (!c.Separate) {
            parts.AppendCombined(line.Text(), c);
            line.Next();
        } else {
            if (c.Path)
                line.Add(parts.Folder);
            if (c.Name)
                line.Add(parts.Base);
            if (c.Ext)
                line.Add(parts.Ext);
        }
    }
    if (c.Size) {
        line.Text() += QString::number(d.Size);
        line.Next();
    }
    if (c.Created) {
        times.Append(line.Text(), d.Created);
        line.Next();
    }
    if (c.Modified) {
        times.Append(line.Text(), d.Modified);
        line.Next();
    }
    if (c.Accessed) {
        times.Append(line.Text(), d.Accessed);
        line.Next();
    }
    if (c.Attributes)
        line.Add(QString::number(d.Attributes));
    return line.Line();
}

} // namespace

void WriteCSV(const TLineSink &sink, const QString &delimiter, const TReportSource &source)
{
    sink(HeaderLine(delimiter, source.Columns));
    TDateTimeTexts times(source.Formats);
    QString buffer;
    for (const int index : source.Order)
        sink(RowLine(delimiter, source.List.FileData[size_t(index)], source, times, buffer));
}

void ExportCSV(QStringList &report, const QString &delimiter, const TReportSource &source)
{
    report.clear();
    WriteCSV([&report](const QString &line) { report.append(line); }, delimiter, source);
}

} // namespace listing
