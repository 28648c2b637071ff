#include "ShellCompletions.h"

namespace docgen {

namespace {

const QString Banner = QStringLiteral(
    "# Written by the build from tamarel-list's option table: change the table,\n"
    "# not this file.\n");

// 'text' for bash and zsh: a quote inside becomes '\''.
QString PosixQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// 'text' for fish, whose single quotes take \\ and \' as escapes.
QString FishQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString CaseBranch(const QString &patterns, const QString &command)
{
    return QStringLiteral("        %1)\n            %2\n            return ;;\n").arg(patterns, command);
}

// The case branches that complete an option's value: one per option with
// choices, one for all that take a file, a folder, or free text.
QString BashValueCase(const std::vector<TOptionDoc> &options)
{
    QString out;
    QStringList files, folders, freeText;
    for (const TOptionDoc &option : options) {
        const QString names = Spellings(option).join(QLatin1Char('|'));
        switch (ValueKind(option)) {
        case TValueKind::Flag: break;
        case TValueKind::Choices:
            out += CaseBranch(names, QStringLiteral("@F@_reply -W ") + PosixQuoted(Choices(option).join(QLatin1Char(' '))));
            break;
        case TValueKind::File: files << names; break;
        case TValueKind::Folder: folders << names; break;
        case TValueKind::None: freeText << names; break;
        }
    }
    const QChar bar = QLatin1Char('|');
    if (!files.isEmpty())
        out += CaseBranch(files.join(bar), QStringLiteral("@F@_reply -f"));
    if (!folders.isEmpty())
        out += CaseBranch(folders.join(bar), QStringLiteral("@F@_reply -d"));
    if (!freeText.isEmpty())
        out += CaseBranch(freeText.join(bar), QStringLiteral("COMPREPLY=()"));
    return out;
}

// The bash script around the value cases; @F@ stands for the function name.
const char *const BashHead =
    "\n"
    "# Fills COMPREPLY from compgen, one candidate a line, so that names with\n"
    "# blanks stay whole.\n"
    "@F@_reply()\n"
    "{\n"
    "    [[ $1 == -W ]] || compopt -o filenames 2>/dev/null\n"
    "    mapfile -t COMPREPLY < <(compgen \"$@\" -- \"$cur\")\n"
    "}\n"
    "\n"
    "@F@()\n"
    "{\n"
    "    local cur=${COMP_WORDS[COMP_CWORD]} prev= i\n"
    "    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
    "    # bash splits --format=csv into --format, = and csv.\n"
    "    if [[ $cur == = ]]; then\n"
    "        cur=\n"
    "    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then\n"
    "        prev=${COMP_WORDS[COMP_CWORD - 2]}\n"
    "    fi\n"
    "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
    "        if [[ ${COMP_WORDS[i]} == -- ]]; then\n"
    "            @F@_reply -d\n"
    "            return\n"
    "        fi\n"
    "    done\n"
    "    case $prev in\n";
const char *const BashTail =
    "    esac\n"
    "    if [[ $cur == -* ]]; then\n"
    "        @F@_reply -W %1\n"
    "    else\n"
    "        @F@_reply -d\n"
    "    fi\n"
    "}\n"
    "complete -F @F@ %2\n";

} // namespace

QString BashCompletion(const QString &program, const std::vector<TOptionDoc> &options)
{
    QStringList words;
    for (const TOptionDoc &option : options)
        words << Spellings(option);
    QString function = QStringLiteral("_") + program;
    function.replace(QLatin1Char('-'), QLatin1Char('_'));
    QString script = QStringLiteral("# bash completion for ") + program + QLatin1Char('\n') + Banner;
    script += QString::fromLatin1(BashHead) + BashValueCase(options);
    script += QString::fromLatin1(BashTail).arg(PosixQuoted(words.join(QLatin1Char(' '))), program);
    return script.replace(QLatin1String("@F@"), function);
}

namespace {

// One _arguments item, e.g. '(-f --format)'{-f,--format=}'[report format]:format:(csv html)'
QString ZshSpec(const TOptionDoc &option)
{
    QString description = Summary(option);
    description.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    description.replace(QLatin1Char('['), QLatin1String("\\["));
    description.replace(QLatin1Char(']'), QLatin1String("\\]"));
    description.replace(QLatin1Char(':'), QLatin1String("\\:"));
    const TValueKind kind = ValueKind(option);
    QString value;
    if (kind != TValueKind::Flag) {
        const QString message = kind == TValueKind::Choices ? option.Long : option.Value.toLower();
        QString action;
        if (kind == TValueKind::Choices)
            action = QLatin1Char('(') + Choices(option).join(QLatin1Char(' ')) + QLatin1Char(')');
        else if (kind == TValueKind::File)
            action = QStringLiteral("_files");
        else if (kind == TValueKind::Folder)
            action = QStringLiteral("_files -/");
        value = QLatin1Char(':') + QString(message).replace(QLatin1Char(':'), QLatin1String("\\:"))
                + QLatin1Char(':') + action;
    }
    const QString longName = QStringLiteral("--") + option.Long + (kind == TValueKind::Flag ? "" : "=");
    const QString body = QLatin1Char('[') + description + QLatin1Char(']') + value;
    if (option.Short.isNull())
        return PosixQuoted((option.Repeatable ? QStringLiteral("*") : QString()) + longName + body);
    const QString shortName = QStringLiteral("-") + option.Short;
    const QString exclusion = option.Repeatable ? QStringLiteral("'*'")
                                                : PosixQuoted(QStringLiteral("(%1 --%2)").arg(shortName, option.Long));
    return exclusion + QLatin1Char('{') + shortName + QLatin1Char(',') + longName + QLatin1Char('}')
           + PosixQuoted(body);
}

} // namespace

QString ZshCompletion(const QString &program, const std::vector<TOptionDoc> &options)
{
    QString script = QStringLiteral("#compdef ") + program + QLatin1Char('\n') + Banner + QLatin1Char('\n');
    script += QStringLiteral("_arguments -S \\\n");
    for (const TOptionDoc &option : options)
        script += QStringLiteral("  ") + ZshSpec(option) + QStringLiteral(" \\\n");
    script += QStringLiteral("  '*:folder:_files -/'\n");
    return script;
}

QString FishCompletion(const QString &program, const std::vector<TOptionDoc> &options)
{
    const QString command = QStringLiteral("complete -c ") + program;
    QString script = QStringLiteral("# fish completion for ") + program + QLatin1Char('\n') + Banner + QLatin1Char('\n');
    script += command + QStringLiteral(" -f -a '(__fish_complete_directories (commandline -ct))'\n");
    for (const TOptionDoc &option : options) {
        QString line = command;
        if (!option.Short.isNull())
            line += QStringLiteral(" -s ") + option.Short;
        line += QStringLiteral(" -l ") + option.Long;
        switch (ValueKind(option)) {
        case TValueKind::Flag: break;
        case TValueKind::Choices: line += QStringLiteral(" -x -a ") + FishQuoted(Choices(option).join(QLatin1Char(' '))); break;
        case TValueKind::File: line += QStringLiteral(" -r -F"); break;
        case TValueKind::Folder: line += QStringLiteral(" -x -a '(__fish_complete_directories (commandline -ct))'"); break;
        case TValueKind::None: line += QStringLiteral(" -x"); break;
        }
        script += line + QStringLiteral(" -d ") + FishQuoted(Summary(option)) + QLatin1Char('\n');
    }
    return script;
}

} // namespace docgen
