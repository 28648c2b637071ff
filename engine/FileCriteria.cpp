#include "engine/FileCriteria.h"

#include "engine/Wildcard.h"

namespace engine {

namespace {

template <class T>
bool Change(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TFileCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TFileCriteria>(source, "TFileCriteria");
    SetFileName(s.fFileName);
    SetLocation(s.fLocation);
    SetPaths(s.fPaths);
    SetFilters(s.fFilters);
    SetSubfolders(s.fSubfolders);
    SetMinLevel(s.fMinLevel);
    SetMaxLevel(s.fMaxLevel);
}

void TFileCriteria::Clear()
{
    SetFileName(QString());
    SetLocation(QString());
    SetPaths(QStringList());
    SetSubfolders(true);
    SetMinLevel(0);
    SetMaxLevel(0);
    SetFilters(QStringList());
}

void TFileCriteria::SetFileName(const QString &value)
{
    if (Change(fFileName, value))
        DropTargetPaths();
}

void TFileCriteria::SetLocation(const QString &value)
{
    if (Change(fLocation, value))
        DropTargetPaths();
}

void TFileCriteria::SetPaths(const QStringList &value)
{
    if (Change(fPaths, value))
        DropTargetPaths();
}

void TFileCriteria::SetSubfolders(bool value)
{
    if (Change(fSubfolders, value))
        DropTargetPaths();
}

void TFileCriteria::SetMinLevel(uint16_t value)
{
    if (Change(fMinLevel, value))
        DropTargetPaths();
}

void TFileCriteria::SetMaxLevel(uint16_t value)
{
    if (Change(fMaxLevel, value))
        DropTargetPaths();
}

const TTargetPaths &TFileCriteria::GetTargetPaths()
{
    if (fTargetPaths)
        return *fTargetPaths;
    auto paths = std::make_unique<TTargetPaths>();
    QStringList masks = SplitList(fFileName, QLatin1Char(';'));
    if (masks.isEmpty())
        masks.append(QStringLiteral("*.*"));
    for (const QString &piece : LocationPieces())
        paths->AddFolderAndMasks(piece, &masks, fSubfolders, fMinLevel, fMaxLevel);
    for (const QString &line : fPaths) {
        const QString trimmed = TrimControls(line);
        if (!trimmed.isEmpty())
            paths->AddPath(trimmed, fSubfolders, fMinLevel, fMaxLevel);
    }
    fTargetPaths = std::move(paths);
    return *fTargetPaths;
}

QStringList TFileCriteria::LocationPieces() const
{
    // A whole Location that names a folder is that folder, ";" and all.
    if (NamesExistingFolder(fLocation))
        return {TrimControls(fLocation)};
    return SplitList(fLocation, QLatin1Char(';'), Qt::CaseSensitive);
}

bool TFileCriteria::Matches(const QString &folder, const QString &fileName) const
{
    if (fFilters.isEmpty())
        return true;
    QString text = folder + fileName;
    if (!fileName.contains(QLatin1Char('.')))
        text += QLatin1Char('.');
    for (const QString &line : fFilters) {
        if (line.startsWith(QLatin1Char('>'))) {
            const QString mask = line.mid(1);
            if (!mask.isEmpty() && WildcardMatch(text, mask))
                return true;
            continue;
        }
        const QString mask = line.startsWith(QLatin1Char('<')) ? line.mid(1) : line;
        if (!mask.isEmpty() && WildcardMatch(text, mask))
            return false;
    }
    return true;
}

} // namespace engine
