#include "ManPage.h"

namespace docgen {

namespace {

const QString OptionsMark = QStringLiteral("@OPTIONS@");
constexpr qsizetype MaxLine = 72;  // mandoc's lint asks for source lines of at most 80

// Breaks a sentence into lines at blanks; a word longer than a line stays whole.
QStringList Wrapped(const QString &sentence)
{
    QStringList lines;
    QString line;
    for (const QString &word : sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > MaxLine) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// A macro argument: quoted when it holds a blank, escaped like text.
QString ManArgument(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\(dq"));
    return escaped.contains(QLatin1Char(' ')) ? QLatin1Char('"') + escaped + QLatin1Char('"') : escaped;
}

// "Cm csv Ns | Ns Cm html" (csv|html) for choices, "Ar MASKS" for a named value.
QString ValueMacro(const TOptionDoc &option)
{
    if (ValueKind(option) == TValueKind::Choices) {
        QStringList words;
        for (const QString &choice : Choices(option))
            words << QStringLiteral("Cm ") + ManArgument(choice);
        return words.join(QLatin1String(" Ns | Ns "));
    }
    return QStringLiteral("Ar ") + ManArgument(option.Value);
}

QString ItemLine(const TOptionDoc &option)
{
    QString line = QStringLiteral(".It ");
    if (!option.Short.isNull())
        line += QStringLiteral("Fl ") + ManArgument(option.Short) + QStringLiteral(" , ");
    // mdoc's Fl writes one dash of its own: "Fl -recurse" reads --recurse.
    line += QStringLiteral("Fl -") + ManArgument(option.Long);
    if (!option.Value.isEmpty())
        line += QLatin1Char(' ') + ValueMacro(option);
    return line + QLatin1Char('\n');
}

} // namespace

QString ManText(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    QStringList sentences = escaped.split(QLatin1String(". "));
    QStringList lines;
    for (qsizetype i = 0; i < sentences.size(); ++i) {
        if (i + 1 < sentences.size())
            sentences[i] += QLatin1Char('.');
        lines << Wrapped(sentences[i]);
    }
    for (QString &line : lines) {
        if (line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\'')))
            line.prepend(QLatin1String("\\&"));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString ManOptions(const std::vector<TOptionDoc> &options)
{
    QStringList groups;
    for (const TOptionDoc &option : options)
        if (!groups.contains(option.Group))
            groups << option.Group;
    QString out;
    for (const QString &group : groups) {
        out += QStringLiteral(".Ss ") + ManArgument(group) + QStringLiteral("\n.Bl -tag -width Ds\n");
        for (const TOptionDoc &option : options) {
            if (option.Group == group)
                out += ItemLine(option) + ManText(option.Help);
        }
        out += QStringLiteral(".El\n");
    }
    return out;
}

QString FillManTemplate(const QString &pageTemplate, const QString &options)
{
    QStringList lines = pageTemplate.split(QLatin1Char('\n'));
    const qsizetype at = lines.indexOf(OptionsMark);
    if (at < 0)
        return QString();
    QString block = options;
    if (block.endsWith(QLatin1Char('\n')))
        block.chop(1);
    lines[at] = block;
    return lines.join(QLatin1Char('\n'));
}

} // namespace docgen
