#include "listing/JsonReport.h"

#include "explorer/FieldFormat.h"
#include "listing/StampTexts.h"
#include "platform/FindData.h"
#include "platform/NameCodec.h"

namespace listing {

namespace {

const char *TypeOf(const explorer::TFileData &d)
{
    if (d.Attributes & platform::faReparsePoint)
        return "link";
    return d.Directory ? "dir" : "file";
}

void AppendHex(QString &out, unsigned value, int digits)
{
    static const char Hex[] = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += QLatin1Char(Hex[(value >> shift) & 0xF]);
}

void AppendStampField(QString &out, const char *key, const explorer::TFileData &d, TStamp stamp, bool utc)
{
    out += QLatin1String(key);
    out += QLatin1Char('"');
    AppendIsoDateTime(out, StampValue(d, stamp), StampRepeated(d, stamp), utc);
    out += QLatin1Char('"');
}

// The reports' name split on the exact name: base before the last dot, the
// extension after it (at most 255 characters, as in the other reports).
void AppendRow(QString &out, const explorer::TFileData &d, bool utc)
{
    const qsizetype dot = d.Name.lastIndexOf(QLatin1Char('.'));
    const QStringView name(d.Name);
    out += QLatin1String("{\"path\":");
    AppendJsonString(out, d.FullName());
    out += QLatin1String(",\"name\":");
    AppendJsonString(out, dot < 0 ? name : name.left(dot));
    out += QLatin1String(",\"ext\":");
    AppendJsonString(out, dot < 0 ? QStringView() : name.mid(dot + 1, explorer::MaxExtension));
    out += QLatin1String(",\"type\":\"");
    out += QLatin1String(TypeOf(d));
    out += QLatin1String("\",\"size\":");
    out += QString::number(d.Size);
    AppendStampField(out, ",\"modified\":", d, stModified, utc);
    AppendStampField(out, ",\"created\":", d, stCreated, utc);
    AppendStampField(out, ",\"accessed\":", d, stAccessed, utc);
    out += QLatin1String(",\"attributes\":");
    out += QString::number(uint32_t(d.Attributes));
    out += QLatin1Char('}');
}

} // namespace

void AppendJsonString(QString &out, QStringView text)
{
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (u == '"' || u == '\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == '\n') {
            out += QLatin1String("\\n");
        } else if (u < 0x20 || c.isSurrogate()) {
            // Control characters must be escaped; a lone surrogate (in a name
            // only an undecodable byte makes one) cannot be written as UTF-8.
            out += QLatin1String("\\u");
            AppendHex(out, u, 4);
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
}

TReportParts JsonParts(TTimeStyle style, const TReportSource &source)
{
    TReportParts parts = RowsOnly(source);
    const bool utc = style == tsUtc;
    parts.Rows = [source, utc](const TLineSink &sink, size_t first, size_t last, TStampTexts &) {
        QString line;
        for (size_t row = first; row < last; ++row) {
            line.truncate(0);
            AppendRow(line, source.List.FileData[size_t(source.Order[row])], utc);
            sink(line);
        }
    };
    return parts;
}

} // namespace listing
