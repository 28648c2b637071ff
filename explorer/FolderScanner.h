#pragma once
// Scans one folder into the explorer's listing: the parent entry first
// (unless the folder is "/"), then every entry the scanner reports, hidden
// and system entries aside, each ticked.

#include "engine/FindFile.h"
#include "explorer/FileData.h"

#include <QObject>

namespace explorer {

// True for the one folder without a parent row.
bool IsRootFolder(const QString &folder);
// "/a/b/" for "/a/b/c/" or "/a/b/c"; "/" for "/".
QString ParentFolder(const QString &folder);

class TFolderScanner {
public:
    // Scans into List, which the caller owns (the window's FFileList). The
    // engine's events are bound to the three steps below; a window that
    // wants to act after a step binds its own handlers and calls them.
    explicit TFolderScanner(TFileList &list);

    // Scans Path ("/data" or "/data/") and returns when the scan has ended.
    void ScanFolder(const QString &path);

    void SearchBegin();
    void FileMatch(const engine::TFileDetails &fileInfo);
    void SearchFinish();

    engine::TFindFile &FileScanner() { return fFileScanner; }
    TFileList &List() { return fList; }

private:
    TFileList &fList;
    engine::TFindFile fFileScanner;
};

// A hit as a record of a listing, ticked or not.
TFileData FileDataFromHit(const engine::TFileDetails &hit, bool selected);



} // namespace explorer
