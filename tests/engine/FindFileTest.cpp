#include "TreeFixture.h"

#include "engine/FindFile.h"
#include "platform/NameCodec.h"

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace engine;
using testing_support::EventLog;

namespace {

// An engine configured as the application configures its two, with every
// event written to a log in the order it fired.
class FindFileTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        log.root = RootBytes() + "/";
        finder.Criteria().Files().SetFileName(QStringLiteral("*.*"));
        finder.Criteria().Files().SetSubfolders(false);
        finder.Criteria().Attributes().SetDirectory(fsIgnore);
        finder.OnSearchBegin = [this](TFindFile &) { log.lines.push_back("begin"); };
        finder.OnSearchFinish = [this](TFindFile &) { log.lines.push_back("finish"); };
        finder.OnSearchAbort = [this](TFindFile &) { log.lines.push_back("abort"); };
        finder.OnFolderChange = [this](TFindFile &, const QString &folder, TFolderIgnore &ignore) {
            log.lines.push_back("folder " + log.Relative(folder));
            const auto it = ignoreFor.find(log.Relative(folder));
            if (it != ignoreFor.end())
                ignore = it->second;
        };
        finder.OnFileMatch = [this](TFindFile &f, const TFileDetails &hit) {
            log.lines.push_back("hit " + log.Relative(hit.Location + hit.Name));
            levels.push_back(f.CurrentLevel());
            if (onHit)
                onHit(hit);
        };
    }

    void Run(const QString &location, bool recursive)
    {
        finder.Criteria().Files().SetLocation(location);
        finder.Criteria().Files().SetSubfolders(recursive);
        finder.Execute();
    }

    std::vector<std::string> Hits() const
    {
        std::vector<std::string> hits;
        for (const auto &line : log.lines)
            if (line.rfind("hit ", 0) == 0)
                hits.push_back(line.substr(4));
        std::sort(hits.begin(), hits.end());
        return hits;
    }

    TFindFile finder;
    EventLog log;
    std::map<std::string, TFolderIgnore> ignoreFor;
    std::vector<int> levels;
    std::function<void(const TFileDetails &)> onHit;
};

using Lines = std::vector<std::string>;

TEST_F(FindFileTest, ReportsAFolderBeforeItsSubfoldersAndEachSubfolderToItsFullDepth)
{
    MakeFolder("a");
    MakeFolder("a/deep");
    MakeFile("a/deep/x");
    MakeFolder("b");
    MakeFile("f");
    Run(Root(), true);

    // Listing order is the file system's; check the structure, not the order
    // of siblings.
    ASSERT_EQ(log.lines.front(), "begin");
    ASSERT_EQ(log.lines.back(), "finish");
    auto at = [&](const std::string &line) {
        return std::find(log.lines.begin(), log.lines.end(), line) - log.lines.begin();
    };
    EXPECT_EQ(at("folder "), 1);
    EXPECT_LT(at("hit a"), at("folder a/"));
    EXPECT_LT(at("hit f"), at("folder a/"));
    EXPECT_LT(at("hit b"), at("folder a/"));
    EXPECT_LT(at("folder a/"), at("hit a/deep"));
    EXPECT_LT(at("hit a/deep"), at("folder a/deep/"));
    EXPECT_LT(at("folder a/deep/"), at("hit a/deep/x"));
    const bool aFirst = at("folder a/") < at("folder b/");
    EXPECT_EQ(aFirst, at("hit a/deep/x") < at("folder b/"));
    EXPECT_EQ(Hits(), (Lines{"a", "a/deep", "a/deep/x", "b", "f"}));
    EXPECT_EQ(finder.CurrentLevel(), 0);
}

TEST_F(FindFileTest, LevelsBoundWhatIsReportedAndWhatIsWalked)
{
    MakeFolder("s");
    MakeFolder("s/t");
    MakeFile("top");
    MakeFile("s/mid");
    MakeFile("s/t/low");

    Run(QStringLiteral("2-3>") + Root(), false);
    EXPECT_EQ(Hits(), (Lines{"s/mid", "s/t", "s/t/low"})) << "prefix makes it recursive";
    log.lines.clear();

    Run(QStringLiteral("1>") + Root(), true);
    EXPECT_EQ(Hits(), (Lines{"s", "top"}));
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "folder s/"), 0);
    log.lines.clear();

    finder.Criteria().Files().SetMinLevel(2);
    Run(Root(), false);
    EXPECT_TRUE(Hits().empty()) << "not recursive and MinLevel 2 reports nothing";
    log.lines.clear();
    levels.clear();

    finder.Criteria().Files().SetMinLevel(0);
    Run(Root(), true);
    std::map<std::string, int> levelOf;
    const Lines hits = [&] {
        Lines h;
        for (const auto &line : log.lines)
            if (line.rfind("hit ", 0) == 0)
                h.push_back(line.substr(4));
        return h;
    }();
    for (size_t i = 0; i < hits.size(); ++i)
        levelOf[hits[i]] = levels[i];
    EXPECT_EQ(levelOf["top"], 1);
    EXPECT_EQ(levelOf["s/mid"], 2);
    EXPECT_EQ(levelOf["s/t/low"], 3);
}

TEST_F(FindFileTest, FolderIgnoreKeepsEntriesOrSubfoldersOut)
{
    MakeFolder("s");
    MakeFolder("s/t");
    MakeFile("s/a");
    MakeFile("s/t/b");
    struct Row {
        TFolderIgnore ignore;
        Lines hits;
    } rows[] = {
        {fiNone, {"s", "s/a", "s/t", "s/t/b"}},
        {fiJustThis, {"s", "s/t/b"}},
        {fiJustSubfolders, {"s", "s/a", "s/t"}},
        {fiThisAndSubfolders, {"s"}},
    };
    for (const Row &row : rows) {
        log.lines.clear();
        ignoreFor = {{"s/", row.ignore}};
        Run(Root(), true);
        EXPECT_EQ(Hits(), row.hits) << "ignore " << row.ignore;
    }
}

TEST_F(FindFileTest, SeveralMasksReportMaskAfterMaskAndAFileOncePerMatchingMask)
{
    MakeFile("a.txt");
    MakeFile("b.doc");
    MakeFile("c.TXT");
    MakeFile("noext");
    finder.Criteria().Files().SetFileName(QStringLiteral("*.doc;*.txt;*.t?t"));
    Run(Root(), false);
    Lines hits;
    for (const auto &line : log.lines)
        if (line.rfind("hit ", 0) == 0)
            hits.push_back(line.substr(4));
    ASSERT_EQ(hits.size(), 5u);
    EXPECT_EQ(hits[0], "b.doc");
    EXPECT_EQ(Lines(hits.begin() + 1, hits.begin() + 3) == (Lines{"a.txt", "c.TXT"})
                  || Lines(hits.begin() + 1, hits.begin() + 3) == (Lines{"c.TXT", "a.txt"}),
              true);

    log.lines.clear();
    finder.Criteria().Files().SetFileName(QStringLiteral("*."));
    Run(Root(), false);
    EXPECT_EQ(Hits(), (Lines{"noext"}));
}

TEST_F(FindFileTest, NoTargetsAndAMissingTarget)
{
    Run(QString(), true);
    EXPECT_EQ(log.lines, (Lines{"begin", "finish"}));
    log.lines.clear();
    Run(Root() + QStringLiteral("missing/"), true);
    EXPECT_EQ(log.lines, (Lines{"begin", "folder missing/", "finish"}));
}

TEST_F(FindFileTest, AbortFromAHitHandlerEndsTheSearchAtOnce)
{
    for (int i = 0; i < 20; ++i)
        MakeFile("f" + std::to_string(i));
    MakeFolder("sub");
    MakeFile("sub/x");
    bool abortedInside = false;
    onHit = [&](const TFileDetails &) {
        finder.Abort();
        abortedInside = log.lines.back() == "abort";
    };
    Run(Root(), true);
    EXPECT_TRUE(abortedInside) << "OnSearchAbort fires before Abort returns";
    ASSERT_GE(log.lines.size(), 5u);
    EXPECT_EQ(Lines(log.lines.end() - 3, log.lines.end()).back(), "finish");
    EXPECT_EQ(*(log.lines.end() - 2), "abort");
    EXPECT_EQ(Hits().size(), 1u);
    EXPECT_TRUE(finder.Aborted());
    EXPECT_FALSE(finder.Busy());
    EXPECT_EQ(finder.CurrentLevel(), 0);

    finder.Abort();  // idle: nothing fires
    EXPECT_EQ(log.lines.back(), "finish");
    onHit = nullptr;
    finder.Execute();
    EXPECT_FALSE(finder.Aborted());
}

TEST_F(FindFileTest, ExecuteFromBeginIsIgnoredAndFromFinishStartsAgain)
{
    MakeFile("one");
    int finishes = 0;
    finder.OnSearchBegin = [&](TFindFile &f) {
        log.lines.push_back("begin");
        f.Execute();
    };
    finder.OnSearchFinish = [&](TFindFile &f) {
        log.lines.push_back("finish");
        if (++finishes == 1)
            f.Execute();
    };
    Run(Root(), false);
    EXPECT_EQ(log.lines, (Lines{"begin", "folder ", "hit one", "finish", "begin", "folder ",
                                "hit one", "finish"}));
}

TEST_F(FindFileTest, AnExceptionFromAHandlerLeavesExecuteAfterTheFinish)
{
    MakeFile("one");
    onHit = [](const TFileDetails &) { throw std::runtime_error("handler failed"); };
    finder.Criteria().Files().SetLocation(Root());
    EXPECT_THROW(finder.Execute(), std::runtime_error);
    EXPECT_EQ(log.lines.back(), "finish");
    EXPECT_FALSE(finder.Busy());
}

TEST_F(FindFileTest, ChangingCriteriaDuringASearchDoesNotReachIt)
{
    MakeFile("a.txt");
    MakeFile("b.txt");
    onHit = [&](const TFileDetails &) {
        finder.Criteria().Files().SetFileName(QStringLiteral("nothing"));
    };
    Run(Root(), false);
    EXPECT_EQ(Hits(), (Lines{"a.txt", "b.txt"}));
}

TEST_F(FindFileTest, DestroyingTheEngineFromItsOwnHandlerUnwindsSafely)
{
    for (int i = 0; i < 5; ++i)
        MakeFile("f" + std::to_string(i));
    auto *owned = new TFindFile;
    owned->Criteria().Files().SetLocation(Root());
    int hits = 0;
    bool finished = false;
    owned->OnSearchFinish = [&](TFindFile &) { finished = true; };
    owned->OnFileMatch = [&](TFindFile &f, const TFileDetails &) {
        ++hits;
        delete &f;
    };
    owned->Execute();
    EXPECT_EQ(hits, 1);
    EXPECT_FALSE(finished) << "no events while the engine is being destroyed";
}

TEST_F(FindFileTest, HiddenAndSpecialEntriesStayOutAndLinksAreNeverFollowed)
{
    MakeFolder(".hidden");
    MakeFile(".hidden/inside");
    MakeFile(".dotfile");
    MakeFifo("pipe");
    MakeFolder("loop");
    MakeLink("loop/back", "..");
    MakeLink("loop/self", ".");
    MakeFile("loop/real");
    Run(Root(), true);
    EXPECT_EQ(Hits(), (Lines{"loop", "loop/back", "loop/real", "loop/self"}));

    log.lines.clear();
    finder.Criteria().Attributes().SetHidden(fsIgnore);
    Run(Root(), true);
    EXPECT_EQ(Hits(), (Lines{".dotfile", ".hidden", ".hidden/inside", "loop", "loop/back",
                             "loop/real", "loop/self"}));
}

TEST_F(FindFileTest, InvalidUtf8NamesRoundTripToTheSameFile)
{
    const std::string name = "bad\xff\xfe-\xc3\xa9-name";
    MakeFile(name, "content");
    QString found;
    onHit = [&](const TFileDetails &hit) { found = hit.Location + hit.Name; };
    Run(Root(), false);
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found.right(12), QString::fromUtf8("bad") + QChar(0xDCFF) + QChar(0xDCFE)
                                   + QString::fromUtf8("-é-name"));
    struct stat st {};
    EXPECT_EQ(stat(platform::EncodeFileName(found).c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 7);
}

TEST_F(FindFileTest, WalksPathsLongerThanPathMax)
{
    const std::string component(200, 'd');
    // mkdir cannot take a path this long; go down through descriptors.
    int fd = open(RootBytes().c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 25; ++depth) {
        mkdirat(fd, component.c_str(), 0755);
        const int next = openat(fd, component.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
        ASSERT_GE(fd, 0);
    }
    const int file = openat(fd, "deepest.txt", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(file, 0);
    close(file);
    close(fd);
    ASSERT_GT(RootBytes().size() + 25 * 201, size_t(PATH_MAX));

    finder.Criteria().Files().SetFileName(QStringLiteral("deepest.txt"));
    QString found;
    onHit = [&](const TFileDetails &hit) { found = hit.Location + hit.Name; };
    Run(Root(), true);
    EXPECT_TRUE(found.endsWith(QStringLiteral("/deepest.txt")));
    EXPECT_GT(found.size(), PATH_MAX);

    // The long folder also works as a target of its own.
    found.clear();
    const QString deepFolder = [&] {
        QString f = Root();
        for (int depth = 0; depth < 25; ++depth)
            f += QString::fromStdString(component) + QLatin1Char('/');
        return f;
    }();
    Run(deepFolder, false);
    EXPECT_EQ(found, deepFolder + QStringLiteral("deepest.txt"));
}

TEST_F(FindFileTest, ReportsTheFullSizeOfAFileOverFourGibibytes)
{
    MakeSparse("big", 5LL << 30);
    int64_t size = 0;
    uint32_t attributes = 0;
    onHit = [&](const TFileDetails &hit) {
        size = hit.Size;
        attributes = hit.Attributes;
    };
    Run(Root(), false);
    EXPECT_EQ(size, 5LL << 30);
    EXPECT_TRUE(attributes & platform::faSparseFile);
}

TEST_F(FindFileTest, AWalkFromTheRootStaysOutOfKernelFileSystems)
{
    Lines hits;
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &hit) {
        hits.push_back(platform::EncodeFileName(hit.Name));
    };
    finder.Criteria().Files().SetMaxLevel(1);
    Run(QStringLiteral("/"), true);
    EXPECT_EQ(std::count(hits.begin(), hits.end(), "proc"), 0);
    EXPECT_EQ(std::count(hits.begin(), hits.end(), "sys"), 0);
    EXPECT_EQ(std::count(hits.begin(), hits.end(), "tmp"), 1);
}

TEST_F(FindFileTest, AnUnreadableFolderYieldsNothingAndNoError)
{
    MakeFolder("open");
    MakeFile("open/seen");
    MakeFolder("closed");
    MakeFile("closed/unseen");
    chmod(Abs("closed").c_str(), 0);
    EXPECT_TRUE(RunUnprivileged([this] {
        Run(Root(), true);
        const bool announced = std::count(log.lines.begin(), log.lines.end(), "folder closed/") == 1;
        return announced && Hits() == Lines{"closed", "open", "open/seen"};
    }));
}

} // namespace
