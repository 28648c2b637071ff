// The walk where trees are deep or hostile: depth never costs stack or
// descriptors, the order of reports stays the recursive one, and every
// folder that cannot be read is told through OnSearchError.

#include "TreeFixture.h"

#include "engine/FindFile.h"
#include "platform/NameCodec.h"

#include <QThread>
#include <cerrno>
#include <dirent.h>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace engine;

namespace {

using Lines = std::vector<std::string>;

// The order a recursive walk reports in, read straight from the file
// system: a folder's entries in listing order, then each subfolder in
// listing order, to its full depth.
void RecursiveOrder(const std::string &folder, const std::string &relative, Lines &lines)
{
    lines.push_back("folder " + relative);
    std::vector<std::string> subfolders;
    DIR *dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr) << folder;
    while (const dirent *e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        lines.push_back("hit " + relative + name);
        if (e->d_type == DT_DIR)
            subfolders.push_back(name);
    }
    closedir(dir);
    for (const std::string &name : subfolders)
        RecursiveOrder(folder + "/" + name, relative + name + "/", lines);
}

class FolderWalkTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        log.root = RootBytes() + "/";
        finder.Criteria().Files().SetFileName(QStringLiteral("*.*"));
        finder.Criteria().Files().SetLocation(Root());
        finder.Criteria().Attributes().SetDirectory(fsIgnore);
        finder.OnFolderChange = [this](TFindFile &, const QString &folder, TFolderIgnore &) {
            log.lines.push_back("folder " + log.Relative(folder));
        };
        finder.OnFileMatch = [this](TFindFile &, const TFileDetails &hit) {
            log.lines.push_back("hit " + log.Relative(hit.Location + hit.Name));
        };
        finder.OnSearchError = [this](TFindFile &f, const TSearchError &error) {
            log.lines.push_back("error " + log.Relative(error.Path) + " " + std::to_string(error.Level)
                                + " " + std::strerror(error.ErrorNumber));
            errorLevelIsCurrent = errorLevelIsCurrent && error.Level == f.CurrentLevel();
        };
    }

    TFindFile finder;
    testing_support::EventLog log;
    bool errorLevelIsCurrent = true;
};

TEST_F(FolderWalkTest, ATreeDeeperThanTheFoldersHeldOpenReportsInTheRecursiveOrder)
{
    // A comb: at every level a file, a leaf folder and the way on, so that
    // the walk comes back to folders it had to let go of.
    std::string path;
    for (int level = 0; level < 80; ++level) {
        MakeFile(path + "file");
        MakeFolder(path + "leaf");
        MakeFile(path + "leaf/inside");
        MakeFolder(path + "next");
        path += "next/";
    }
    Lines expected;
    RecursiveOrder(RootBytes(), "", expected);
    finder.Execute();
    EXPECT_EQ(log.lines, expected);
    EXPECT_EQ(finder.CurrentLevel(), 0);
}

// Twenty thousand folders are made and removed in memory where it can be:
// on a disk that alone takes seconds.
class DeepTreeTest : public FolderWalkTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(DeepTreeTest, AChainOfTwentyThousandLevelsListsCompletelyWithFewDescriptorsAndASmallStack)
{
    constexpr int Depth = 20000;
    MakeChain("", Depth, "d", "bottom.txt");
    EXPECT_TRUE(RunInChild([&] {
        // The common limit is 1,024; ask for far less.
        const struct rlimit limit = {256, 256};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            return false;
        TFindFile deep;
        deep.Criteria().Files().SetLocation(Root());
        deep.Criteria().Attributes().SetDirectory(fsIgnore);
        int folders = 0, files = 0, errors = 0, deepest = 0;
        deep.OnFileMatch = [&](TFindFile &f, const TFileDetails &hit) {
            ++((hit.Attributes & platform::faDirectory) ? folders : files);
            deepest = std::max<int>(deepest, f.CurrentLevel());
        };
        deep.OnSearchError = [&](TFindFile &, const TSearchError &) { ++errors; };
        std::unique_ptr<QThread> thread(QThread::create([&deep] { deep.Execute(); }));
        thread->setStackSize(1 << 20);
        thread->start();
        thread->wait();
        return folders == Depth && files == 1 && errors == 0 && deepest == Depth + 1;
    })) << "a crash, a gap or an error";
}

TEST_F(FolderWalkTest, AFolderThatCannotBeOpenedIsReportedAfterItsFolderChangeAndTheWalkGoesOn)
{
    MakeFolder("closed");
    MakeFile("closed/unseen");
    MakeFolder("open");
    MakeFile("open/seen");
    chmod(Abs("closed").c_str(), 0);
    EXPECT_TRUE(RunUnprivileged([this] {
        finder.Execute();
        const auto at = [&](const std::string &line) {
            return std::find(log.lines.begin(), log.lines.end(), line) - log.lines.begin();
        };
        const auto error = at("error closed/ 2 Permission denied");
        return error < long(log.lines.size()) && at("folder closed/") + 1 == error
               && at("hit open/seen") < long(log.lines.size()) && errorLevelIsCurrent;
    }));
}

TEST_F(FolderWalkTest, EntriesThatCannotBeExaminedAreReportedOnceEach)
{
    MakeFolder("listable");
    MakeFile("listable/a.txt");
    MakeFile("listable/b.doc");
    chmod(Abs("listable").c_str(), 0444);  // names can be read, details cannot
    finder.Criteria().Files().SetFileName(QStringLiteral("*.txt;*.*"));
    EXPECT_TRUE(RunUnprivileged([this] {
        finder.Execute();
        const Lines errors = [&] {
            Lines e;
            for (const auto &line : log.lines)
                if (line.rfind("error ", 0) == 0)
                    e.push_back(line);
            std::sort(e.begin(), e.end());
            return e;
        }();
        return errors == Lines{"error listable/a.txt 2 Permission denied",
                               "error listable/b.doc 2 Permission denied"};
    }));
}

TEST_F(FolderWalkTest, AMissingTargetIsReportedAsMissing)
{
    finder.Criteria().Files().SetLocation(Root() + QStringLiteral("missing"));
    finder.Execute();
    EXPECT_EQ(log.lines, (Lines{"folder missing/", "error missing/ 1 No such file or directory"}));
}

TEST_F(FolderWalkTest, RunningOutOfDescriptorsIsReportedNeverSkippedInSilence)
{
    MakeFolder("a");
    MakeFile("a/inside");
    MakeFile("top");
    // The handlers write to plain variables: with no descriptor left, the
    // undefined-behaviour checker cannot look at objects it has not met yet.
    Lines lines;
    finder.OnFolderChange = [&lines](TFindFile &, const QString &folder, TFolderIgnore &) {
        lines.push_back("folder " + platform::EncodeFileName(folder));
    };
    finder.OnFileMatch = [&lines](TFindFile &, const TFileDetails &hit) {
        lines.push_back("hit " + platform::EncodeFileName(hit.Name));
    };
    finder.OnSearchError = [&lines](TFindFile &, const TSearchError &error) {
        lines.push_back("error " + platform::EncodeFileName(error.Path) + " " + std::strerror(error.ErrorNumber));
    };
    const std::string root = RootBytes();
    EXPECT_TRUE(RunInChild([&] {
        // The target and its listing fit; a subfolder's listing does not.
        if (!LeaveFreeDescriptors(2))
            return false;
        finder.Execute();
        std::sort(lines.begin(), lines.end());
        return lines == Lines{"error " + root + "/a/ Too many open files", "folder " + root + "/",
                              "folder " + root + "/a/", "hit a", "hit top"};
    }));
}

TEST_F(FolderWalkTest, AnAbortFromTheErrorHandlerEndsTheSearch)
{
    MakeFolder("a");
    MakeFolder("b");
    finder.Criteria().Files().SetLocation(Root() + QStringLiteral("missing;") + Root());
    int errors = 0;
    bool aborted = false;
    finder.OnSearchError = [&](TFindFile &f, const TSearchError &) {
        ++errors;
        f.Abort();
    };
    finder.OnSearchAbort = [&](TFindFile &) { aborted = true; };
    finder.Execute();
    EXPECT_TRUE(aborted);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(log.lines, (Lines{"folder missing/"})) << "nothing after the abort";
}

} // namespace
