#include "listing/CsvReport.h"

#include "explorer/FieldFormat.h"
#include "listing/ReportColumns.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace listing {

using namespace explorer;

namespace {

// Whether Text holds any of the four code units. Nearly no field does, and
// every character of every field is looked at: eight at a time where the
// processor can.
bool HoldsAnyOf(QStringView text, char16_t a, char16_t b, char16_t c, char16_t d)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
#ifdef __SSE2__
    const __m128i va = _mm_set1_epi16(short(a)), vb = _mm_set1_epi16(short(b)), vc = _mm_set1_epi16(short(c)),
                  vd = _mm_set1_epi16(short(d));
    for (; end - p >= 8; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i found = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)),
                                           _mm_or_si128(_mm_cmpeq_epi16(v, vc), _mm_cmpeq_epi16(v, vd)));
        if (_mm_movemask_epi8(found) != 0)
            return true;
    }
#endif
    for (; p < end; ++p)
        if (*p == a || *p == b || *p == c || *p == d)
            return true;
    return false;
}

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
        // The delimiter is one character or none (never a quote or line
        // break), so one look at each character answers.
        const char16_t delimiter = fDelimiter.isEmpty() ? u'"' : fDelimiter.front().unicode();
        return HoldsAnyOf(field, u'"', u'\n', u'\r', delimiter)
               || (fDelimiter.size() > 1 && field.contains(fDelimiter));
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

QString HeaderLine(const QString &delimiter, const std::vector<int> &fields)
{
    QString buffer;
    TFieldLine line(delimiter, buffer);
    for (const int field : fields)
        line.Add(CsvHeader(field));
    return line.Line();
}

const QString &RowLine(const QString &delimiter, const std::vector<int> &fields, const TRowValues &row,
                       QString &buffer)
{
    TFieldLine line(delimiter, buffer);
    for (const int field : fields) {
        AppendCsvValue(line.Text(), field, row);
        line.Next();
    }
    return line.Line();
}

} // namespace

bool IsCsvDelimiter(QStringView delimiter)
{
    return delimiter.isEmpty()
           || (delimiter.size() == 1 && delimiter != u"\"" && delimiter != u"\n" && delimiter != u"\r");
}

TReportParts CsvParts(const QString &delimiter, const TReportSource &source)
{
    const std::vector<int> fields = ReportFields(source.Columns);
    TReportParts parts = RowsOnly(source);
    parts.Head = [=](const TLineSink &sink) { sink(HeaderLine(delimiter, fields)); };
    parts.Rows = [=](const TLineSink &sink, size_t first, size_t last, TStampTexts &times) {
        QString buffer;
        ForEachReportRow(source, fields, first, last, times,
                         [&](const TRowValues &row) { sink(RowLine(delimiter, fields, row, buffer)); });
    };
    return parts;
}

void WriteCSV(const TLineSink &sink, const QString &delimiter, const TReportSource &source)
{
    WriteParts(CsvParts(delimiter, source), sink);
}

void ExportCSV(QStringList &report, const QString &delimiter, const TReportSource &source)
{
    report.clear();
    WriteCSV([&report](const QString &line) { report.append(line); }, delimiter, source);
}

} // namespace listing
