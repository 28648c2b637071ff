#include "OptionDoc.h"

namespace docgen {

TValueKind ValueKind(const TOptionDoc &option)
{
    if (option.Value.isEmpty())
        return TValueKind::Flag;
    if (option.Value.contains(QLatin1Char('|')))
        return TValueKind::Choices;
    if (option.Value == QLatin1String("FILE"))
        return TValueKind::File;
    if (option.Value == QLatin1String("FOLDER"))
        return TValueKind::Folder;
    return TValueKind::None;
}

QStringList Choices(const TOptionDoc &option)
{
    return ValueKind(option) == TValueKind::Choices ? option.Value.split(QLatin1Char('|')) : QStringList();
}

QString Summary(const TOptionDoc &option)
{
    const qsizetype end = option.Help.indexOf(QLatin1String(". "));
    QString first = end < 0 ? option.Help : option.Help.left(end);
    if (first.endsWith(QLatin1Char('.')))
        first.chop(1);
    return first;
}

QStringList Spellings(const TOptionDoc &option)
{
    QStringList names;
    if (!option.Short.isNull())
        names << QStringLiteral("-") + option.Short;
    names << QStringLiteral("--") + option.Long;
    return names;
}

} // namespace docgen
