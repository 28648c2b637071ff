#include "explorer/ExplorerController.h"

#include "explorer/FieldFormat.h"

#include <numeric>

namespace explorer {

namespace {

// Finding the row to focus folds a-z and A-Z only; any other letter must
// match exactly, so the rule never depends on the locale.
bool EqualIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a.at(i).unicode()) != fold(b.at(i).unicode()))
            return false;
    return true;
}

} // namespace

TExplorerController::TExplorerController(const TRegionalFormats &formats,
                                         devices::TDriveSet::TMountReader readMounts, QObject *parent)
    : QObject(parent), fFormats(formats), fScanner(fList), fDrives(std::move(readMounts))
{
}

void TExplorerController::Start(const QString &path)
{
    RefreshDisks(path);
    ScanFolder(path);
    ShowVolumeInfo(ExtractFileDrive(path));
}

void TExplorerController::ScanFolder(const QString &path)
{
    fShownPath = path;
    fFocusedRow = -1;
    emit ScanStarted(path);
    fScanner.ScanFolder(path);
    FillTree();
    emit ScanFinished();
    if (!fList.FileData.empty())
        Focus(fList.FileData[0].NodePointer);
    // After going up, the folder just left.
    QString last = fList.LastLocation;
    if (last.size() > 1 && last.endsWith(QLatin1Char('/')))
        last.chop(1);
    SetFocused(ExtractFileName(last));
}

void TExplorerController::FillTree()
{
    fRows.resize(fList.FileData.size());
    std::iota(fRows.begin(), fRows.end(), 0);
    SortRows();
}

void TExplorerController::SortRows()
{
    fRows = SortExplorerRows(fList, std::move(fRows), fSortColumn, fSortDirection, fFormats.Locale);
    for (size_t row = 0; row < fRows.size(); ++row)
        fList.FileData[size_t(fRows[row])].NodePointer = int(row);
}

void TExplorerController::Focus(int row)
{
    fFocusedRow = row;
    emit FocusChanged(row);
}

int TExplorerController::FindObjectNode(const QString &name) const
{
    for (const TFileData &d : fList.FileData)
        if (EqualIgnoringAsciiCase(d.Name, name))
            return d.NodePointer;
    return -1;
}

void TExplorerController::SetFocused(const QString &name)
{
    const int row = FindObjectNode(name);
    if (row >= 0)
        Focus(row);
}

int TExplorerController::IncrementalSearch(const QString &typed)
{
    return fSearch.Find(typed, fFocusedRow, RowCount(), [this](int row) -> const QString & {
        return EntryAt(row).Name;
    });
}

void TExplorerController::SortBy(int column)
{
    if (column == fSortColumn) {
        fSortDirection = fSortDirection == sdAscending ? sdDescending : sdAscending;
    } else {
        fSortDirection = sdAscending;
        fSortColumn = column;
    }
    const int focusedEntry = fFocusedRow >= 0 ? EntryOf(fFocusedRow) : -1;
    emit OrderAboutToChange();
    SortRows();
    // The focus stays on its entry, wherever that entry's row went.
    if (focusedEntry >= 0)
        fFocusedRow = fList.FileData[size_t(focusedEntry)].NodePointer;
    emit OrderChanged();
}

void TExplorerController::Mark(TFileData &d, TCheckMode mode)
{
    d.Selected = mode == cmCheck ? true : (mode == cmUncheck ? false : !d.Selected);
}

void TExplorerController::SelectNode(int row, TCheckMode mode)
{
    if (row < 0 || row >= RowCount())
        return;
    Mark(fList.FileData[size_t(EntryOf(row))], mode);
    emit MarksChanged(row, row);
}

void TExplorerController::SelectAll(TCheckMode mode)
{
    for (const int entry : fRows)
        Mark(fList.FileData[size_t(entry)], mode);
    if (!fRows.empty())
        emit MarksChanged(0, RowCount() - 1);
}

void TExplorerController::MarkAndMoveDown()
{
    const int row = fFocusedRow;
    if (row < 0)
        return;
    SelectNode(row, cmInvert);
    Focus(row + 1 < RowCount() ? row + 1 : -1);
}

void TExplorerController::OpenFocused()
{
    if (fFocusedRow < 0)
        return;
    const TFileData &d = EntryAt(fFocusedRow);
    if (d.Directory)
        ScanFolder(d.FullName());
}

void TExplorerController::GoUp()
{
    ScanFolder(ParentFolder(fList.Location));
}

void TExplorerController::GoToDriveRoot()
{
    ScanFolder(ExtractFileDrive(fList.Location));
}

void TExplorerController::Reread()
{
    const QString before = fDrives.CurrentMountPoint();
    const QString now = RefreshDisks(before);
    if (now != before || before.isEmpty()) {
        ScanFolder(now);
        return;
    }
    const QString focused = fFocusedRow >= 0 ? EntryAt(fFocusedRow).Name : QString();
    ScanFolder(fList.Location);
    if (!focused.isEmpty())
        SetFocused(focused);
}

QString TExplorerController::RefreshDisks(const QString &disk)
{
    const QString current = fDrives.Refresh(disk);
    emit DrivesChanged();
    return current;
}

void TExplorerController::OpenDrive(int index)
{
    if (!fDrives.Choose(index))
        return;
    const QString drive = fDrives.CurrentMountPoint();
    ScanFolder(drive);
    ShowVolumeInfo(drive);
}

void TExplorerController::ShowVolumeInfo(const QString &drive)
{
    fVolumeLine = fDrives.VolumeLine(drive, fFormats.Locale);
    emit VolumeLineChanged(fVolumeLine);
}

} // namespace explorer
