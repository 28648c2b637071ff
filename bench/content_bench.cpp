// Searches FOLDER recursively for files that contain PHRASE, the way a
// listing with a phrase does, and prints how many matched and how long it
// took.

#include "engine/ApplicationCriteria.h"
#include "engine/CharTables.h"
#include "engine/FindFile.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace engine;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tamarel-content-bench FOLDER PHRASE\n");
        return 2;
    }
    InitCharTables();
    TFindFile finder;
    SetApplicationCriteria(finder.Criteria());
    finder.Criteria().Files().SetLocation(QString::fromLocal8Bit(argv[1]));
    finder.Criteria().Files().SetSubfolders(true);
    finder.Criteria().Content().SetPhrase(QString::fromLocal8Bit(argv[2]));

    long matched = 0;
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) { ++matched; };
    QElapsedTimer timer;
    timer.start();
    finder.Execute();
    std::printf("matched=%ld seconds=%.3f\n", matched, double(timer.nsecsElapsed()) / 1e9);
    return 0;
}
