// A search with helper threads tells its owner what a search on one thread
// tells: the same hits and errors in the same order, the same folders asked
// about (each before anything of it, at its own level, keeping it out as
// asked), all on the thread that walks; it stops when asked; and none of
// its threads outlives it.

#include "TreeFixture.h"

#include "engine/FindFile.h"

#include <QDir>
#include <QThread>
#include <cstring>
#include <set>
#include <tuple>
#include <stdexcept>
#include <sys/resource.h>
#include <thread>

using namespace engine;

namespace {

using Lines = std::vector<std::string>;

int ThreadsOfThisProcess()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

class ParallelWalkTest : public testing_support::TreeFixture {
protected:
    // Every event the owner sees, with the level it was told at and whether
    // it came on the thread that started the search.
    Lines Walk(int workers, const QString &masks = QStringLiteral("*.*"), const QString &phrase = QString())
    {
        TFindFile finder;
        finder.Workers = workers;
        finder.Criteria().Files().SetLocation(Root() + QStringLiteral("top"));
        finder.Criteria().Files().SetFileName(masks);
        finder.Criteria().Attributes().Clear();  // hidden entries and FIFOs too
        finder.Criteria().Content().SetPhrase(phrase);
        Lines lines;
        const std::thread::id walking = std::this_thread::get_id();
        // Kind, path and the rest, apart: names may hold blanks.
        const auto add = [&](TFindFile &f, const char *kind, const QString &path, const std::string &rest) {
            lines.push_back(std::string(kind) + Separator + log.Relative(path) + Separator + rest + " @"
                            + std::to_string(f.CurrentLevel())
                            + (std::this_thread::get_id() == walking ? "" : " ELSEWHERE"));
        };
        finder.OnFolderChange = [&](TFindFile &f, const QString &folder, TFolderIgnore &ignore) {
            add(f, "folder", folder, std::string());
            if (folder.endsWith(QStringLiteral("/sub/")))
                ignore = fiJustThis;  // an answer must keep its meaning
            if (folder.endsWith(QStringLiteral("/empty7/")))
                ignore = fiThisAndSubfolders;
        };
        finder.OnFileMatch = [&](TFindFile &f, const TFileDetails &hit) {
            add(f, "hit", hit.Location + hit.Name,
                std::to_string(hit.Size) + " " + std::to_string(hit.Attributes) + " "
                    + std::to_string(hit.ModifiedTime));
        };
        finder.OnSearchError = [&](TFindFile &f, const TSearchError &error) {
            add(f, "error", error.Path, std::strerror(error.ErrorNumber));
        };
        finder.Execute();
        return lines;
    }
    static constexpr char Separator = '\x01';
    static std::string Kind(const std::string &line) { return line.substr(0, line.find(Separator)); }
    static std::string Path(const std::string &line)
    {
        const size_t start = line.find(Separator) + 1;
        return line.substr(start, line.find(Separator, start) - start);
    }
    static size_t Count(const Lines &lines, const std::string &kind)
    {
        return size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string &l) { return Kind(l) == kind; }));
    }
    // What a walk with helpers must keep of the walk alone: its hits and
    // errors in the same order, and its folders, each asked about before
    // anything in it.
    static bool SameAsAlone(const Lines &alone, const Lines &other)
    {
        Lines aloneFolders, otherFolders, aloneRest, otherRest;
        for (const auto &[lines, folders, rest] : {std::tie(alone, aloneFolders, aloneRest),
                                                   std::tie(other, otherFolders, otherRest)})
            for (const std::string &line : lines)
                (Kind(line) == "folder" ? folders : rest).push_back(line);
        std::sort(aloneFolders.begin(), aloneFolders.end());
        std::sort(otherFolders.begin(), otherFolders.end());
        if (aloneRest != otherRest || aloneFolders != otherFolders)
            return false;
        std::set<std::string> asked;
        for (const std::string &line : other) {
            const std::string path = Path(line);
            if (Kind(line) == "folder") {
                asked.insert(path);
                continue;
            }
            // The folder the event belongs to: the path up to its last "/"
            // (a folder's own error carries the folder with its "/").
            const std::string folder = path.substr(0, path.rfind('/', path.size() - 2) + 1);
            if (!folder.empty() && !asked.count(folder) && folder != "top/")
                return false;
        }
        return true;
    }

    testing_support::EventLog log;
};

TEST_F(ParallelWalkTest, HelpersChangeNothingTheOwnerSeesEvenInAHostileTree)
{
    MakeHostileTree("top");
    log.root = RootBytes() + "/";
    EXPECT_TRUE(RunUnprivileged([this] {
        for (const auto &[masks, phrase] : {std::pair<const char *, const char *>{"*.*", ""},
                                            {"*.txt;f1*;*.log", ""},
                                            {"*.*", "needle"}}) {
            const Lines alone = Walk(1, QString::fromLatin1(masks), QString::fromLatin1(phrase));
            // Not a vacuous comparison: hits in every folder, and the two
            // kinds of errors only an unprivileged reader meets.
            if (Count(alone, "hit") < 30 || Count(alone, "error") < 41 || Count(alone, "folder") < 80)
                return false;
            for (const int workers : {2, 5})
                if (!SameAsAlone(alone, Walk(workers, QString::fromLatin1(masks), QString::fromLatin1(phrase))))
                    return false;
        }
        return true;
    }));
}

TEST_F(ParallelWalkTest, NoHelperOutlivesTheSearchWhateverEndsIt)
{
    MakeFolder("top");
    for (int i = 0; i < 300; ++i)
        MakeFile("top/f" + std::to_string(i));
    const int before = ThreadsOfThisProcess();
    int during = 0, hits = 0;
    TFindFile finder;
    finder.Workers = 3;
    finder.Criteria().Files().SetLocation(Root() + QStringLiteral("top"));
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) {
        if (++hits == 100)
            during = ThreadsOfThisProcess();
    };
    finder.Execute();
    EXPECT_EQ(hits, 300);
    EXPECT_EQ(during, before + 2) << "the helpers did start";
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "after the end";

    finder.OnFileMatch = [&](TFindFile &f, const TFileDetails &) { f.Abort(); };
    finder.Execute();
    EXPECT_TRUE(finder.Aborted());
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "after an abort";

    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) { throw std::runtime_error("handler"); };
    EXPECT_THROW(finder.Execute(), std::runtime_error);
    EXPECT_FALSE(finder.Busy());
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "after an exception from a handler";

    auto *doomed = new TFindFile;
    doomed->Workers = 3;
    doomed->Criteria().Files().SetLocation(Root() + QStringLiteral("top"));
    doomed->OnFileMatch = [doomed](TFindFile &, const TFileDetails &) { delete doomed; };
    doomed->Execute();
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "after the engine was destroyed by its own handler";
}

TEST_F(ParallelWalkTest, AnAbortEndsTheSearchAndNothingFollowsOnSearchAbort)
{
    for (const std::string folder : {"top", "top/a", "top/b"}) {
        MakeFolder(folder);
        for (int i = 0; i < 200; ++i)
            MakeFile(folder + "/f" + std::to_string(i));
    }
    TFindFile finder;
    finder.Workers = 4;
    finder.Criteria().Files().SetLocation(Root() + QStringLiteral("top"));
    Lines events;
    int hits = 0;
    finder.OnFolderChange = [&](TFindFile &, const QString &, TFolderIgnore &) { events.push_back("folder"); };
    finder.OnFileMatch = [&](TFindFile &f, const TFileDetails &) {
        events.push_back("hit");
        if (++hits == 250)
            f.Abort();
    };
    finder.OnSearchAbort = [&](TFindFile &) { events.push_back("abort"); };
    finder.OnSearchFinish = [&](TFindFile &) { events.push_back("finish"); };
    finder.Execute();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(Lines(events.end() - 3, events.end()), (Lines{"hit", "abort", "finish"}));
    EXPECT_EQ(hits, 250);
}

// A chain of twenty thousand folders is made in memory where it can be.
class DeepParallelWalkTest : public ParallelWalkTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(DeepParallelWalkTest, HelpersKeepTheWalksDescriptorsAndStackBounded)
{
    constexpr int Depth = 20000;
    MakeChain("", Depth, "d", "bottom.txt");
    // Enough entries at the top that the helpers start and stay for the
    // whole descent.
    for (int i = 0; i < 100; ++i)
        MakeFile("f" + std::to_string(i));
    EXPECT_TRUE(RunInChild([&] {
        const struct rlimit limit = {256, 256};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            return false;
        TFindFile deep;
        deep.Workers = 4;
        deep.Criteria().Files().SetLocation(Root());
        deep.Criteria().Attributes().SetDirectory(fsIgnore);
        int folders = 0, files = 0, errors = 0;
        deep.OnFileMatch = [&](TFindFile &, const TFileDetails &hit) {
            ++((hit.Attributes & platform::faDirectory) ? folders : files);
        };
        deep.OnSearchError = [&](TFindFile &, const TSearchError &) { ++errors; };
        std::unique_ptr<QThread> thread(QThread::create([&deep] { deep.Execute(); }));
        thread->setStackSize(1 << 20);
        thread->start();
        thread->wait();
        return folders == Depth && files == 101 && errors == 0;
    })) << "a crash, a gap or an error";
}

} // namespace
