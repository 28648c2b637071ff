#include "app/IniFile.h"

#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

namespace app {

namespace {

bool IsComment(const QString &line)
{
    return line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#'));
}

bool NeedsQuotes(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (text.front().isSpace() || text.back().isSpace() || text.front() == QLatin1Char('"'))
        return true;
    for (const QChar c : text)
        if (c.unicode() < 0x20)
            return true;
    return false;
}

QString Quoted(const QString &text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': quoted += QLatin1String("\\\""); break;
        case '\\': quoted += QLatin1String("\\\\"); break;
        case '\n': quoted += QLatin1String("\\n"); break;
        case '\r': quoted += QLatin1String("\\r"); break;
        case '\t': quoted += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                quoted += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                quoted += c;
        }
    }
    return quoted + QLatin1Char('"');
}

// The text inside the quotes, its escapes undone; an unknown escape stands
// for the character after the backslash.
QString Unquoted(QStringView quoted)
{
    QString text;
    for (qsizetype i = 0; i < quoted.size(); ++i) {
        const QChar c = quoted.at(i);
        if (c != QLatin1Char('\\') || i + 1 == quoted.size()) {
            text += c;
            continue;
        }
        const QChar e = quoted.at(++i);
        bool isHex = false;
        const uint hex = e == QLatin1Char('x') ? quoted.mid(i + 1, 2).toUInt(&isHex, 16) : 0;
        if (e == QLatin1Char('n'))
            text += QLatin1Char('\n');
        else if (e == QLatin1Char('r'))
            text += QLatin1Char('\r');
        else if (e == QLatin1Char('t'))
            text += QLatin1Char('\t');
        else if (isHex && quoted.mid(i + 1, 2).size() == 2)
            text += QChar(hex), i += 2;
        else
            text += e;
    }
    return text;
}

QString ValueText(const QString &raw)
{
    const QString text = raw.trimmed();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return Unquoted(QStringView(text).mid(1, text.size() - 2));
    return text;
}

} // namespace

std::optional<TIniFile> TIniFile::Parse(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    TIniFile file;
    file.fSections.push_back(TSection());
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (IsComment(line)) {
            file.fSections.back().Lines.push_back({QString(), line});
        } else if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return std::nullopt;
            file.fSections.push_back({QUrl::fromPercentEncoding(line.mid(1, line.size() - 2).toUtf8()), {}});
        } else {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return std::nullopt;
            const QString name = QUrl::fromPercentEncoding(line.left(equals).trimmed().toUtf8());
            file.fSections.back().Lines.push_back({name, ValueText(line.mid(equals + 1))});
        }
    }
    return file;
}

QByteArray TIniFile::Text() const
{
    QString text;
    for (const TSection &section : fSections) {
        if (section.Lines.empty() && section.Name.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        if (!section.Name.isEmpty())
            text += QLatin1Char('[') + section.Name + QLatin1String("]\n");
        for (const TLine &line : section.Lines) {
            if (line.Name.isEmpty())
                text += line.Text + QLatin1Char('\n');
            else
                text += line.Name + QLatin1Char('=') + (NeedsQuotes(line.Text) ? Quoted(line.Text) : line.Text)
                        + QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

const TIniFile::TSection *TIniFile::Find(const QString &section) const
{
    const auto found = std::find_if(fSections.begin(), fSections.end(),
                                    [&](const TSection &s) { return s.Name == section; });
    return found == fSections.end() ? nullptr : &*found;
}

std::optional<QString> TIniFile::Value(const QString &section, const QString &name) const
{
    if (const TSection *s = Find(section)) {
        for (const TLine &line : s->Lines)
            if (!line.Name.isEmpty() && line.Name == name)
                return line.Text;
    }
    return std::nullopt;
}

void TIniFile::SetSection(const QString &section, const std::vector<TValue> &values)
{
    auto target = std::find_if(fSections.begin(), fSections.end(),
                               [&](const TSection &s) { return s.Name == section; });
    if (target == fSections.end())
        target = fSections.insert(fSections.end(), TSection{section, {}});
    std::vector<TLine> lines;
    for (const TValue &v : values)
        lines.push_back({v.Name, v.Text});
    for (const TLine &old : target->Lines) {
        const bool replaced = std::any_of(values.begin(), values.end(),
                                          [&](const TValue &v) { return !old.Name.isEmpty() && v.Name == old.Name; });
        if (!replaced)
            lines.push_back(old);
    }
    target->Lines = std::move(lines);
}

} // namespace app
