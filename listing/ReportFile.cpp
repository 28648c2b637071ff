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

void AppendAscii(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *p = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 0x80) {
            *p++ = char(text.at(i).unicode());
            continue;
        }
        // A character outside the BMP is one "?", not two.
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i, *p++ = '?';
        else
            *p++ = ToAscii(text.at(i));
    }
    out.truncate(p - out.constData());
}

void AppendUtf16(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    out.resize(start + 2 * text.size());
    char *p = out.data() + start;
    for (const QChar c : text) {
        *p++ = char(c.unicode() & 0xFF);
        *p++ = char(c.unicode() >> 8);
    }
}

void AppendEncoded(QByteArray &out, const QString &text, TTextEncoding encoding)
{
    switch (encoding) {
    case teAscii: AppendAscii(out, text); break;
    case teUtf8: out += text.toUtf8(); break;
    case teUnicode: AppendUtf16(out, text); break;
    case teFileNames: {
        const std::string bytes = platform::EncodeFileName(text);
        out.append(bytes.data(), qsizetype(bytes.size()));
        break;
    }
    }
}

QByteArray ByteOrderMark(TTextEncoding encoding)
{
    switch (encoding) {
    case teUtf8: return QByteArray("\xEF\xBB\xBF");
    case teUnicode: return QByteArray("\xFF\xFE");
    case teAscii:
    case teFileNames: break;
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

TReportEncoder::TReportEncoder(TTextEncoding encoding, bool byteOrderMark, const QString &lineEnd)
    : fEncoding(encoding), fByteOrderMark(byteOrderMark)
{
    AppendEncoded(fLineEnd, lineEnd, encoding);
}

QByteArray TReportEncoder::Start() const
{
    return fByteOrderMark ? ByteOrderMark(fEncoding) : QByteArray();
}

void TReportEncoder::Append(QByteArray &out, const QString &line) const
{
    AppendEncoded(out, line, fEncoding);
    out += fLineEnd;
}

QByteArray EncodeReport(const QStringList &lines, TTextEncoding encoding)
{
    const TReportEncoder encoder(encoding);
    QByteArray out = encoder.Start();
    for (const QString &line : lines)
        encoder.Append(out, line);
    return out;
}

ECreateFileError::ECreateFileError(const QString &fileName, const QString &reason)
    : std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason).toStdString())
{
}

class TReportWriter::TImpl {
public:
    TImpl(const QString &fileName, const TReportEncoder &encoder) : FileName(fileName), Encoder(encoder) {}
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
    TReportEncoder Encoder;
};

TReportWriter::TReportWriter(const QString &fileName, const TReportEncoder &encoder)
    : fImpl(std::make_unique<TImpl>(fileName, encoder))
{
    if (const int error = fImpl->File.Open(fileName))
        fImpl->Fail(error);
    fImpl->Buffer = encoder.Start();
    fImpl->Buffer.reserve(2 * FlushSize);
}

TReportWriter::~TReportWriter() = default;

void TReportWriter::WriteLine(const QString &line)
{
    fImpl->Encoder.Append(fImpl->Buffer, line);
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

void TReportWriter::Commit()
{
    fImpl->Flush();
    if (const int error = fImpl->File.Commit())
        fImpl->Fail(error);
}

void SaveReport(const QString &fileName, const QStringList &lines, TTextEncoding encoding)
{
    TReportWriter writer(fileName, TReportEncoder(encoding));
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
