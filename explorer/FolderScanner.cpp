#include "explorer/FolderScanner.h"

#include "engine/ApplicationCriteria.h"
#include "explorer/FieldFormat.h"
#include "platform/AbsolutePath.h"
#include "platform/FindData.h"

namespace explorer {

bool IsRootFolder(const QString &folder)
{
    return folder == QLatin1String("/");
}

QString ParentFolder(const QString &folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString parent = ExtractFolderPart(path);
    return parent.isEmpty() ? QStringLiteral("/") : parent;
}

TFileData FileDataFromHit(const engine::TFileDetails &hit, bool selected)
{
    TFileData d;
    d.Location = hit.Location;
    d.Name = ExtractFileName(hit.Name);
    d.Size = hit.Size;
    d.Created = hit.CreatedTime;
    d.Modified = hit.ModifiedTime;
    d.Accessed = hit.AccessedTime;
    d.RepeatedTimes = hit.RepeatedTimes;
    d.Attributes = int32_t(hit.Attributes);
    d.Directory = hit.Attributes & platform::faDirectory;
    d.Selected = selected;
    d.ImageIndex = d.Directory ? iiFolder : iiFile;
    return d;
}

TFolderScanner::TFolderScanner(TFileList &list) : fList(list)
{
    engine::SetApplicationCriteria(fFileScanner.Criteria());
    fFileScanner.OnSearchBegin = [this](engine::TFindFile &) { SearchBegin(); };
    fFileScanner.OnFileMatch = [this](engine::TFindFile &, const engine::TFileDetails &hit) {
        FileMatch(hit);
    };
    fFileScanner.OnSearchFinish = [this](engine::TFindFile &) { SearchFinish(); };
}

void TFolderScanner::ScanFolder(const QString &path)
{
    fFileScanner.Criteria().Files().SetLocation(platform::IncludeTrailingDelimiter(path));
    fFileScanner.Execute();
}

void TFolderScanner::SearchBegin()
{
    fList.FileData.clear();
    fList.LastLocation = fList.Location;
    fList.Location = fFileScanner.Criteria().Files().Location();
    fList.Changed();
    if (IsRootFolder(fList.Location))
        return;

    QString self = fList.Location;
    self.chop(1);
    platform::TFindData own;
    TFileData parent;
    if (platform::StatFolder(self, own)) {
        parent.Created = platform::FileTimeToDateTime(own.creationTime);
        parent.Modified = platform::FileTimeToDateTime(own.lastWriteTime);
        parent.Accessed = platform::FileTimeToDateTime(own.lastAccessTime);
    }
    parent.Location = ExtractFolderPart(self);
    parent.Name = QStringLiteral("..");
    parent.Attributes = platform::faDirectory;
    parent.Directory = true;
    parent.Selected = false;
    parent.ImageIndex = iiParent;
    fList.FileData.push_back(parent);
}

void TFolderScanner::FileMatch(const engine::TFileDetails &fileInfo)
{
    fList.FileData.push_back(FileDataFromHit(fileInfo, true));
}

void TFolderScanner::SearchFinish()
{
    fList.Changed();
}

} // namespace explorer
