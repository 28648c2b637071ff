#include "cli/Diagnostics.h"

#include "platform/NameCodec.h"

namespace cli {

namespace {

bool IsControl(char16_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

QString HexEscape(unsigned value)
{
    return QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0'));
}

} // namespace

QString EscapeForTerminal(const QString &path)
{
    QString out;
    out.reserve(path.size());
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (platform::IsEscapedByte(u))
            out += HexEscape(u - 0xDC00);
        else if (IsControl(u))
            out += HexEscape(u);
        else if (u == u'\\')
            out += QLatin1String("\\\\");
        else
            out += c;
    }
    return out;
}

TDiagnostics::TDiagnostics(FILE *progress, FILE *errors) : fProgress(progress), fErrors(errors)
{
    fTimer.start();
}

void TDiagnostics::ShowProgress(const QString &text, bool force)
{
    if (!fProgress || (!force && fProgressShown && fTimer.elapsed() < TDiagnostics::ProgressInterval))
        return;
    std::fprintf(fProgress, "\r%s", text.toLocal8Bit().constData());
    std::fflush(fProgress);
    fProgressShown = true;
    fMidLine = true;
    fTimer.restart();
}

void TDiagnostics::EndProgress()
{
    BreakProgressLine();
}

void TDiagnostics::BreakProgressLine()
{
    if (fProgress && fMidLine) {
        std::fputc('\n', fProgress);
        fMidLine = false;
    }
}

void TDiagnostics::Warn(const QString &path, const QString &reason)
{
    Error(EscapeForTerminal(path) + QLatin1String(": ") + reason);
}

void TDiagnostics::Error(const QString &text)
{
    BreakProgressLine();
    std::fprintf(fErrors, "tamarel-list: %s\n", text.toLocal8Bit().constData());
    std::fflush(fErrors);
}

} // namespace cli
