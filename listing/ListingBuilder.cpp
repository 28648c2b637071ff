#include "listing/ListingBuilder.h"

#include "engine/ApplicationCriteria.h"
#include "explorer/FolderScanner.h"
#include "engine/TargetPaths.h"
#include "platform/AbsolutePath.h"

namespace listing {

using explorer::TFileList;

TListingBuilder::TListingBuilder(TFileList &list) : fList(list)
{
    engine::SetApplicationCriteria(fFileLister.Criteria());
    fFileLister.OnSearchBegin = [this](engine::TFindFile &) { SearchBegin(); };
    fFileLister.OnFolderChange = [this](engine::TFindFile &, const QString &folder,
                                        engine::TFolderIgnore &ignore) {
        const engine::TFolderIgnore answer = FolderChange(folder);
        if (answer != engine::fiNone)
            ignore = answer;
        if (OnFolderEntered)
            OnFolderEntered();
    };
    fFileLister.OnFileMatch = [this](engine::TFindFile &, const engine::TFileDetails &hit) {
        if (FileMatch(hit) && OnHitKept)
            OnHitKept();
    };
    fFileLister.OnSearchProgress = [this](engine::TFindFile &) {
        if (OnProgress)
            OnProgress();
    };
    fFileLister.OnSearchError = [this](engine::TFindFile &, const engine::TSearchError &error) {
        if (OnError)
            OnError(error);
    };
    fFileLister.OnSearchAbort = [this](engine::TFindFile &) { SearchAbort(); };
    fFileLister.OnSearchFinish = [this](engine::TFindFile &) { SearchAbort(); };
}

void TListingBuilder::BuildList(const QString &folder, const TFileList &explorer,
                                const TListingOptions &options)
{
    fExplorer = &explorer;
    fOptions = options;
    engine::TSearchCriteria &criteria = fFileLister.Criteria();
    criteria.Files().SetLocation(platform::IncludeTrailingDelimiter(folder));
    criteria.Files().SetSubfolders(options.Recurse);
    criteria.Files().SetFileName(engine::TrimControls(options.FileMask));
    criteria.Content().SetPhrase(engine::TrimControls(options.Phrase));
    fSelection.Begin(options.Selection, criteria, folder);
    fFileLister.Workers = options.Workers > 0 ? options.Workers : engine::TFindFile::ProcessorCount();
    fFileLister.Execute();
}

void TListingBuilder::Stop()
{
    if (fListing)
        fFileLister.Abort();
}

QString TListingBuilder::StatusText() const
{
    return QStringLiteral("Dirs: %1   Files: %2").arg(fDirs).arg(fFiles);
}

void TListingBuilder::SearchBegin()
{
    fList.Location = fExplorer ? fExplorer->Location : fFileLister.Criteria().Files().Location();
    fListing = true;
    if (fOptions.ClearPrevious) {
        fList.FileData.clear();
        fFiles = 0;
        fDirs = 0;
    }
    fList.Changed();
    if (OnBegin)
        OnBegin();
}

engine::TFolderIgnore TListingBuilder::FolderChange(const QString &folder)
{
    if (fSelection.KeepsOut(folder, fFileLister.CurrentLevel()))
        return engine::fiThisAndSubfolders;
    if (!fExplorer)
        return engine::fiNone;
    QString path = folder;
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const int index = fExplorer->FindObjectIndex(path);
    if (index >= 0 && !fExplorer->FileData[size_t(index)].Selected)
        return engine::fiThisAndSubfolders;
    return engine::fiNone;
}

bool TListingBuilder::FileMatch(const engine::TFileDetails &fileInfo)
{
    const bool directory = fileInfo.Attributes & platform::faDirectory;
    if (!(directory ? fOptions.ListDirs : fOptions.ListFiles) || !fSelection.Admits(fileInfo))
        return false;
    if (!fOptions.ListUnticked && fExplorer && fileInfo.Location == fList.Location) {
        const int index = fExplorer->FindObjectIndex(fileInfo.Location, fileInfo.Name);
        if (index >= 0 && !fExplorer->FileData[size_t(index)].Selected)
            return false;
    }
    fList.FileData.push_back(explorer::FileDataFromHit(fileInfo, false));
    ++(directory ? fDirs : fFiles);
    return true;
}

void TListingBuilder::SearchAbort()
{
    fList.Changed();
    if (OnEnd)
        OnEnd();
    fListing = false;
}

} // namespace listing
