#include "engine/TargetPaths.h"

#include "platform/AbsolutePath.h"
#include "platform/FolderHandle.h"

#include <algorithm>
#include <cstdint>

namespace engine {

namespace {

const QString AllFiles = QStringLiteral("*.*");

// A level number as written in a prefix; anything else keeps the level.
void ReadLevel(const QString &text, int &level)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (ok)
        level = value;
}

// Levels are 16-bit; a prefix such as "70000>" or "1--5>" must not wrap
// around into another level, or into 0, which means "no limit".
uint16_t ClampLevel(int level)
{
    return static_cast<uint16_t>(std::clamp(level, 0, int(UINT16_MAX)));
}

QString ResolveFolder(const QString &folder)
{
    return platform::IncludeTrailingDelimiter(platform::MakeAbsolutePath(TrimControls(folder)));
}

} // namespace

bool NamesExistingFolder(const QString &text)
{
    const QString trimmed = TrimControls(text);
    return !trimmed.isEmpty() && platform::IsExistingFolder(platform::MakeAbsolutePath(trimmed));
}

QString TrimControls(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QStringList SplitList(const QString &text, QChar separator, Qt::CaseSensitivity sensitivity)
{
    QStringList result;
    for (const QString &raw : text.split(separator)) {
        const QString piece = TrimControls(raw);
        if (!piece.isEmpty() && !result.contains(piece, sensitivity))
            result.append(piece);
    }
    return result;
}

void TTargetPath::AddFileMask(const QString &mask)
{
    if (!fFileMasks.contains(mask, Qt::CaseInsensitive))
        fFileMasks.append(mask);
}

TFolderInfo ParseFolderInfo(const QString &info, bool recursive, int minLevel, int maxLevel)
{
    TFolderInfo result{info, recursive, minLevel, maxLevel};
    if (NamesExistingFolder(info)) {
        result.Folder = ResolveFolder(info);
        return result;
    }
    const qsizetype gt = info.indexOf(QLatin1Char('>'));
    if (gt >= 0) {
        result.Folder = info.mid(gt + 1);
        result.Recursive = true;
        const QString levels = info.left(gt).trimmed();
        if (!levels.isEmpty()) {
            const qsizetype dash = levels.indexOf(QLatin1Char('-'));
            if (dash >= 0) {
                ReadLevel(levels.left(dash), result.MinLevel);
                ReadLevel(levels.mid(dash + 1), result.MaxLevel);
            } else {
                ReadLevel(levels, result.MaxLevel);
                result.MinLevel = 0;
            }
        }
    } else {
        const qsizetype lt = info.indexOf(QLatin1Char('<'));
        if (lt >= 0) {
            result.Folder = info.mid(lt + 1);
            result.Recursive = false;
        }
    }
    result.Folder = ResolveFolder(result.Folder);
    return result;
}

TTargetPath *TTargetPaths::Find(const QString &folder) const
{
    for (const auto &item : fItems)
        if (item->Folder == folder)
            return item.get();
    return nullptr;
}

TTargetPath &TTargetPaths::AddParsed(const TFolderInfo &parsed)
{
    TTargetPath *item = Find(parsed.Folder);
    if (!item) {
        fItems.push_back(std::make_unique<TTargetPath>());
        item = fItems.back().get();
    }
    item->Folder = parsed.Folder;
    item->Recursive = parsed.Recursive;
    item->MinLevel = ClampLevel(parsed.MinLevel);
    item->MaxLevel = ClampLevel(parsed.MaxLevel);
    return *item;
}

TTargetPath &TTargetPaths::AddFolderAndMasks(const QString &folderInfo,
                                             const QStringList *fileMasks, bool recursive,
                                             int minLevel, int maxLevel)
{
    TTargetPath &item = AddParsed(ParseFolderInfo(folderInfo, recursive, minLevel, maxLevel));
    if (fileMasks && !fileMasks->isEmpty()) {
        for (const QString &mask : *fileMasks)
            item.AddFileMask(mask);
    } else {
        item.AddFileMask(AllFiles);
    }
    return item;
}

TTargetPath &TTargetPaths::AddPath(const QString &pathInfo, bool recursive, int minLevel,
                                   int maxLevel)
{
    if (NamesExistingFolder(pathInfo))
        return AddFolderAndMasks(pathInfo, nullptr, recursive, minLevel, maxLevel);
    const qsizetype cut = pathInfo.lastIndexOf(QLatin1Char('/'));
    const QString folderPart = pathInfo.left(cut + 1);
    const QString maskPart = pathInfo.mid(cut + 1);
    TTargetPath &item = AddParsed(ParseFolderInfo(folderPart, recursive, minLevel, maxLevel));
    item.AddFileMask(maskPart.isEmpty() ? AllFiles : maskPart);
    return item;
}

} // namespace engine
