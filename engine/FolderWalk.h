#pragma once
// The walk of one search: every target, and in each folder first its hits
// (mask after mask) and then its subfolders, each to its full depth. It
// talks to the engine only while the engine exists (see TSearchRun).

#include "engine/FindFile.h"
#include "engine/SearchRun.h"
#include "platform/DirReader.h"

#include <memory>
#include <string>
#include <vector>

namespace engine {

class TFolderWalk {
public:
    TFolderWalk(TFindFile &engine, std::shared_ptr<TSearchRun> run);
    void SearchTargets();

private:
    struct TSubfolder {
        std::string RawName;
        QString Name;
        uint32_t Attributes;
    };

    // RawName null: the target folder itself, opened by its path.
    void SearchIn(const QString &folder, int parentFd, const char *rawName);
    // False when the search stopped meanwhile.
    bool FilePass(platform::TDirReader &dir, const QString &folder, const QString &mask,
                  std::vector<TSubfolder> *subfolders);
    bool CollectSubfolders(platform::TDirReader &dir, std::vector<TSubfolder> &subfolders);
    bool Stopped() const { return fRun->Stop; }

    TFindFile &fEngine;
    std::shared_ptr<TSearchRun> fRun;
};

} // namespace engine
