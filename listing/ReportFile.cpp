#include "listing/ReportFile.h"

#include "platform/ErrorText.h"
#include "platform/NameCodec.h"
#include "platform/ReplacingFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace listing {

namespace {

const char *const Extensions[] = {"", ".csv", ".html", ".xml"};
constexpr qsizetype FlushSize = 1 << 16;

// Punctuation that has no decomposition but an obvious ASCII stand-in.
char AsciiPunctuation(char16_t c)
{
    switch (c) {
    case 0x2018: case 0x2019: case 0x201A: case 0x2032: return '\'';
    case 0x201C: case 0x201D: case 0x201E: case 0x2033: return '"';
    case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2212: return '-';
    case 0x00A0: case 0x2002: case 0x2003: case 0x2009: return ' ';
    case 0x00AB: return '<';
    case 0x00BB: return '>';
    case 0x00D7: return 'x';
    default: return 0;
    }
}

char ToAscii(QChar c)
{
    if (c.unicode() < 0x80)
        return char(c.unicode());
    if (const char p = AsciiPunctuation(c.unicode()))
        return p;
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
    if (!decomposed.isEmpty() && decomposed.at(0).unicode() < 0x80 && decomposed.at(0).isLetterOrNumber())
        return char(decomposed.at(0).unicode());
    return '?';
}

// Appends the line and its CR LF to Out.
void AppendEncoded(QByteArray &out, const QString &text, TTextEncoding encoding)
{
    switch (encoding) {
    case teAscii: {
        const qsizetype start = out.size();
        out.resize(start + text.size() + 2);
        char *p = out.data() + start;
        const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (units[i] < 0x80) {
                *p++ = char(units[i]);
                continue;
            }
            // A character outside the BMP is one "?", not two.
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i, *p++ = '?';
            else
                *p++ = ToAscii(text.at(i));
        }
        *p++ = '\r';
        *p++ = '\n';
        out.truncate(p - out.constData());
        break;
    }
    case teUtf8:
        out += text.toUtf8();
        out += "\r\n";
        break;
    case teUnicode: {
        const qsizetype start = out.size();
        out.resize(start + 2 * (text.size() + 2));
        char *p = out.data() + start;
        for (const QChar c : text + QLatin1String("\r\n")) {
            *p++ = char(c.unicode() & 0xFF);
            *p++ = char(c.unicode() >> 8);
        }
        break;
    }
    }
}

QByteArray ByteOrderMark(TTextEncoding encoding)
{
    switch (encoding) {
    case teUtf8: return QByteArray("\xEF\xBB\xBF");
    case teUnicode: return QByteArray("\xFF\xFE");
    case teAscii: break;
    }
    return QByteArray();
}

} // namespace

QString ReportFileName(const QString &chosen, TReportFileType type)
{
    const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? chosen.left(dot) : chosen;
    return stem + QLatin1String(Extensions[type]);
}

TTextEncoding EncodingFor(TReportFileType type, TTextEncoding csvEncoding)
{
    return type == rftCsv ? csvEncoding : teUtf8;
}

void AppendEncodedLine(QByteArray &out, const QString &line, TTextEncoding encoding)
{
    AppendEncoded(out, line, encoding);
}

QByteArray EncodeReport(const QStringList &lines, TTextEncoding encoding)
{
    QByteArray out = ByteOrderMark(encoding);
    for (const QString &line : lines)
        AppendEncoded(out, line, encoding);
    return out;
}

ECreateFileError::ECreateFileError(const QString &fileName, const QString &reason)
    : std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason).toStdString())
{
}

class TReportWriter::TImpl {
public:
    TImpl(const QString &fileName, TTextEncoding encoding) : FileName(fileName), Encoding(encoding) {}
    [[noreturn]] void Fail(int error)
    {
        File.Cancel();
        throw ECreateFileError(FileName, platform::ErrorText(error));
    }
    void Flush()
    {
        if (const int error = File.Write(Buffer.constData(), size_t(Buffer.size())))
            Fail(error);
        Buffer.clear();
    }
    platform::TReplacingFile File;
    QByteArray Buffer;
    QString FileName;
    TTextEncoding Encoding;
};

TReportWriter::TReportWriter(const QString &fileName, TTextEncoding encoding)
    : fImpl(std::make_unique<TImpl>(fileName, encoding))
{
    if (const int error = fImpl->File.Open(fileName))
        fImpl->Fail(error);
    fImpl->Buffer = ByteOrderMark(encoding);
    fImpl->Buffer.reserve(2 * FlushSize);
}

TReportWriter::~TReportWriter() = default;

void TReportWriter::WriteLine(const QString &line)
{
    AppendEncoded(fImpl->Buffer, line, fImpl->Encoding);
    if (fImpl->Buffer.size() >= FlushSize)
        fImpl->Flush();
}

void TReportWriter::WriteEncoded(const QByteArray &bytes)
{
    if (fImpl->Buffer.size() + bytes.size() < FlushSize) {
        fImpl->Buffer += bytes;
        return;
    }
    fImpl->Flush();
    if (const int error = fImpl->File.Write(bytes.constData(), size_t(bytes.size())))
        fImpl->Fail(error);
}

TTextEncoding TReportWriter::Encoding() const
{
    return fImpl->Encoding;
}

void TReportWriter::Commit()
{
    fImpl->Flush();
    if (const int error = fImpl->File.Commit())
        fImpl->Fail(error);
}

void SaveReport(const QString &fileName, const QStringList &lines, TTextEncoding encoding)
{
    TReportWriter writer(fileName, encoding);
    for (const QString &line : lines)
        writer.WriteLine(line);
    writer.Commit();
}

QString SaveReportAs(const QString &chosen, TReportFileType type, const QStringList &report,
                     TTextEncoding csvEncoding)
{
    const QString fileName = ReportFileName(chosen, type);
    SaveReport(fileName, report, EncodingFor(type, csvEncoding));
    return fileName;
}

} // namespace listing
