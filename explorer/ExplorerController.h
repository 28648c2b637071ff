#pragma once
// Everything the Explorer page does, without a widget: the folder shown and
// its entries, the drives, the order of the rows, the focused row, the
// check marks, moving between folders and finding a row by typing. The
// window's table model reads it; the window turns keys, clicks and menu
// items into its calls and follows its signals.
//
// Rows and entries: row r shows entry EntryOf(r) of List(); the entry knows
// its row as NodePointer. Every scan replaces both.

#include "devices/DriveSet.h"
#include "explorer/ExplorerOrder.h"
#include "explorer/FileData.h"
#include "explorer/FolderScanner.h"
#include "explorer/IncrementalSearch.h"
#include "explorer/RegionalFormats.h"

#include <QObject>
#include <vector>

namespace explorer {

// What SelectNode and SelectAll do to a mark; the row menu's tags.
enum TCheckMode { cmCheck = 0, cmUncheck = 1, cmInvert = 2 };

class TExplorerController : public QObject {
    Q_OBJECT
public:
    // Formats: the regional ones read at start, kept by the caller.
    TExplorerController(const TRegionalFormats &formats, devices::TDriveSet::TMountReader readMounts,
                        QObject *parent = nullptr);

    // Opens the program's start folder: the bar's drive is the one that
    // holds it, and the volume line describes that drive.
    void Start(const QString &path);

    // --- The folder and its rows.
    const TFileList &List() const { return fList; }
    // The folder as it was asked for ("/data", no "/" added): the path line.
    const QString &ShownPath() const { return fShownPath; }
    // Shows Path ("/data" or "/data/"): scans it, rebuilds and sorts the
    // rows, focuses the row of entry 0 and then, after going up, the folder
    // just left.
    void ScanFolder(const QString &path);
    int RowCount() const { return int(fRows.size()); }
    int EntryOf(int row) const { return fRows[size_t(row)]; }
    const TFileData &EntryAt(int row) const { return fList.FileData[size_t(EntryOf(row))]; }

    // --- Focus. The table reports where the user moved it.
    int FocusedRow() const { return fFocusedRow; }
    void SetFocusedRow(int row) { fFocusedRow = row; }
    // The row of the first entry named Name, ASCII letters compared
    // without case, or -1.
    int FindObjectNode(const QString &name) const;
    // Focuses that row; changes nothing when there is none.
    void SetFocused(const QString &name);
    // The row the text typed so far finds (see TIncrementalSearch), or -1.
    int IncrementalSearch(const QString &typed);
    void SetSearchInterval(int milliseconds) { fSearch.SetInterval(milliseconds); }

    // --- Order: a column of TExplorerColumn or NoSortColumn.
    int SortColumn() const { return fSortColumn; }
    TSortDirection SortDirection() const { return fSortDirection; }
    // The same column again reverses the order; another one sorts by it
    // ascending.
    void SortBy(int column);

    // --- Check marks: an entry's Selected.
    void SelectNode(int row, TCheckMode mode);
    void SelectAll(TCheckMode mode);
    // Flips the focused row's mark and focuses the next row (none after
    // the last).
    void MarkAndMoveDown();

    // --- Moving between folders.
    // Opens the focused row when it is a folder (the parent row included).
    void OpenFocused();
    void GoUp();
    void GoToDriveRoot();
    // Rebuilds the drives; rescans the folder keeping the focused entry
    // when its drive is still there, else shows the root of the drive made
    // current instead.
    void Reread();

    // --- Drives.
    const devices::TDriveSet &Drives() const { return fDrives; }
    // Rebuilds the drives, making current the one that holds Disk. Returns
    // its mount point. The folder shown and the volume line stay.
    QString RefreshDisks(const QString &disk);
    // A click on drive Index: shows its root and describes it.
    void OpenDrive(int index);
    QString ExtractFileDrive(const QString &path) const { return fDrives.ExtractFileDrive(path); }
    void ShowVolumeInfo(const QString &drive);
    const QString &VolumeLine() const { return fVolumeLine; }

signals:
    // The rows are about to be replaced by a scan of Path / have been.
    void ScanStarted(const QString &path);
    void ScanFinished();
    // The rows are about to be put in another order / have been.
    void OrderAboutToChange();
    void OrderChanged();
    void MarksChanged(int firstRow, int lastRow);
    // The program moved the focus (-1: no row).
    void FocusChanged(int row);
    void DrivesChanged();
    void VolumeLineChanged(const QString &text);

private:
    void FillTree();
    void SortRows();
    void Focus(int row);
    void Mark(TFileData &d, TCheckMode mode);

    const TRegionalFormats &fFormats;
    TFileList fList;
    TFolderScanner fScanner;
    devices::TDriveSet fDrives;
    TIncrementalSearch fSearch;
    QString fShownPath;
    QString fVolumeLine;
    std::vector<int> fRows;
    int fFocusedRow = -1;
    int fSortColumn = ecName;
    TSortDirection fSortDirection = sdAscending;
};

} // namespace explorer
