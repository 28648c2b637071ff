// Walks FOLDER recursively with the criteria the application's engines use
// and fills a record for every hit, so that the engine's own cost can be set
// against a bare readdir + statx walk. WORKERS (default 1) examines the
// entries on that many threads.

#include "engine/ApplicationCriteria.h"
#include "engine/CharTables.h"
#include "engine/FindFile.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

using namespace engine;

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: tamarel-walk-bench FOLDER [WORKERS]\n");
        return 2;
    }
    InitCharTables();
    TFindFile finder;
    SetApplicationCriteria(finder.Criteria());
    finder.Criteria().Files().SetLocation(QString::fromLocal8Bit(argv[1]));
    finder.Criteria().Files().SetSubfolders(true);
    finder.Workers = argc == 3 ? std::atoi(argv[2]) : 1;

    long dirs = 0, files = 0;
    double checksum = 0;
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &hit) {
        if (hit.Attributes & platform::faDirectory)
            ++dirs;
        else
            ++files;
        checksum += hit.ModifiedTime + double(hit.Size) + double(hit.Name.size());
    };
    QElapsedTimer timer;
    timer.start();
    finder.Execute();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("entries=%ld dirs=%ld files=%ld seconds=%.3f\n", dirs + files, dirs, files, seconds);
    return checksum < 0 ? 1 : 0;
}
