#include "TreeFixture.h"

#include <QFile>
#include <QDir>
#include <QProcess>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>
#include <sys/stat.h>

namespace {

// tamarel-list as a script runs it: its exit status, its output, its files.
class TamarelListTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFile("top/a.txt", "alpha");
        MakeFile("top/b.log", "needle");
        MakeFile("top/sub/c.txt", "gamma");
    }

    // ChildSetup runs in the child before the program starts (closing a
    // descriptor, setting a limit); Started once it runs.
    int Run(const QStringList &arguments, const std::function<void()> &childSetup = {},
            const std::function<void(QProcess &)> &started = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        process.setProcessEnvironment(env);
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        if (childSetup)
            process.setChildProcessModifier(childSetup);
        process.start(QStringLiteral(TAMAREL_LIST_BINARY), arguments);
        if (started && process.waitForStarted())
            started(process);
        process.waitForFinished(120000);
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString Top() const { return Root() + QStringLiteral("top"); }
    QStringList Lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QString out, err;
    QString stdoutFile;
};

// True once the process has the file open: it is reading it.
bool HasOpen(qint64 pid, const std::string &path)
{
    const std::string folder = "/proc/" + std::to_string(pid) + "/fd/";
    for (int fd = 0; fd < 64; ++fd) {
        char target[4096];
        const ssize_t n = readlink((folder + std::to_string(fd)).c_str(), target, sizeof target);
        if (n > 0 && std::string(target, size_t(n)) == path)
            return true;
    }
    return false;
}

// Sends the signal once the process reads the file (or has ended).
void SignalWhenReading(QProcess &process, const std::string &path, int signalNumber)
{
    while (!HasOpen(process.processId(), path) && !process.waitForFinished(5)) {
    }
    kill(pid_t(process.processId()), signalNumber);
}

TEST_F(TamarelListTest, ListsFoldersIntoOneCsvOnStandardOutput)
{
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"),
                   QStringLiteral("path,name,ext,size"), Top()}),
              0)
        << err.toStdString();
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name;Size"), Top() + QStringLiteral("/sub;0"),
                                    Top() + QStringLiteral("/a.txt;5"), Top() + QStringLiteral("/b.log;6")}));
    EXPECT_FALSE(out.contains(QLatin1Char('\r')));

    ASSERT_EQ(Run({QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("--no-dirs"), QStringLiteral("-m"), QStringLiteral("*.txt"),
                   QStringLiteral("--columns=name,ext"), QStringLiteral("--separate"),
                   QStringLiteral("-d"), QStringLiteral(","), Top(), Top() + QStringLiteral("/sub")}),
              0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name,Ext"), QStringLiteral("a,txt"),
                                    QStringLiteral("c,txt"), QStringLiteral("c,txt")}))
        << "each folder in turn into one list";
}

TEST_F(TamarelListTest, UntickedEntriesAndThePhrase)
{
    ASSERT_EQ(Run({QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("--columns"), QStringLiteral("name,ext"), QStringLiteral("-u"),
                   QStringLiteral("sub"), QStringLiteral("--untick"), QStringLiteral("a.txt"), Top()}),
              0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name"), QStringLiteral("b.log")}));
    ASSERT_EQ(Run({QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("--columns"), QStringLiteral("name,ext"), QStringLiteral("-u"),
                   QStringLiteral("sub"), QStringLiteral("--list-unticked"), Top()}),
              0);
    EXPECT_EQ(Lines().size(), 4) << "sub's own entry, nothing below it";
    ASSERT_EQ(Run({QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("-c"), QStringLiteral("NEEDLE"), QStringLiteral("--columns"),
                   QStringLiteral("name,ext"), Top()}),
              0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name"), QStringLiteral("b.log")}));
}

TEST_F(TamarelListTest, TheOutputFileIsWhatSaveWrites)
{
    const QString target = Root() + QStringLiteral("report.txt");
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("-e"),
                   QStringLiteral("unicode"), QStringLiteral("-o"), target, QStringLiteral("-q"), Top()}),
              0);
    QFile file(Root() + QStringLiteral("report.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\r\x00\n\x00", 4)));
    EXPECT_TRUE(out.isEmpty());

    ASSERT_EQ(Run({QStringLiteral("--title"), QStringLiteral("My <list>"), QStringLiteral("-o"),
                   Root() + QStringLiteral("page"), Top()}),
              0);
    QFile page(Root() + QStringLiteral("page.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.startsWith("\xEF\xBB\xBF<html>\r\n"));
    EXPECT_TRUE(html.contains("<h2>My &lt;list&gt;</h2>"));
}

TEST_F(TamarelListTest, ExitStatusesTellUsageErrorsFromWriteFailures)
{
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({QStringLiteral("--bogus"), Top()}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("--bogus")));
    EXPECT_EQ(Run({QStringLiteral("-f"), QStringLiteral("pdf"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("--grid-color"), QStringLiteral("red"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("-d"), QStringLiteral(";;"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("--columns"), QStringLiteral("path,colour"), Top()}), 2);
    EXPECT_EQ(Run({Root() + QStringLiteral("top/a.txt")}), 2);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: %1top/a.txt: Not a directory\n").arg(Root()));
    EXPECT_EQ(Run({Root() + QStringLiteral("nowhere")}), 2);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: %1nowhere: No such file or directory\n").arg(Root()));
    EXPECT_EQ(Run({QStringLiteral("-o"), Root() + QStringLiteral("missing/out"), Top()}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Cannot create file \"")));
    EXPECT_EQ(Run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("--containing")));
    EXPECT_EQ(Run({QStringLiteral("--version")}), 0);
}

TEST_F(TamarelListTest, OutputThatCannotBeWrittenIsAFailureThatSaysWhy)
{
    stdoutFile = QStringLiteral("/dev/full");
    EXPECT_EQ(Run({Top()}), 1);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: write error: No space left on device\n"));
    stdoutFile.clear();

    EXPECT_EQ(Run({Top()}, [] { close(STDOUT_FILENO); }), 1);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: write error: Bad file descriptor\n"));
    EXPECT_EQ(Run({QStringLiteral("--help")}, [] { close(STDOUT_FILENO); }), 1);

    MakeFile("kept.html", "precious");
    const auto limitFileSize = [] {
        const struct rlimit limit {100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    EXPECT_EQ(Run({QStringLiteral("-o"), Root() + QStringLiteral("kept.html"), Top()}, limitFileSize), 1);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: Cannot create file \"%1kept.html\". File too large\n").arg(Root()));
    QFile kept(Root() + QStringLiteral("kept.html"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("precious"));
    EXPECT_EQ(QDir(Root()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.html")});
}

// A listing that takes long: a phrase looked for in a large sparse file,
// interrupted once the tool is reading it.
TEST_F(TamarelListTest, AnInterruptedListingWritesNothingAndKeepsTheOldFile)
{
    MakeSparse("top/huge.bin", 16LL << 30);
    MakeFile("old.csv", "precious");
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        const auto interrupt = [&](QProcess &process) {
            SignalWhenReading(process, Abs("top/huge.bin"), signalNumber);
        };
        EXPECT_EQ(Run({QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("needle"),
                       QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("-o"),
                       Root() + QStringLiteral("old.csv"), Top()},
                      {}, interrupt),
                  128 + signalNumber);
        QFile old(Root() + QStringLiteral("old.csv"));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("precious"));
    }
    EXPECT_EQ(Run({QStringLiteral("-c"), QStringLiteral("needle"), Top()}, {},
                  [&](QProcess &process) { SignalWhenReading(process, Abs("top/huge.bin"), SIGINT); }),
              130);
    EXPECT_TRUE(out.isEmpty()) << "no report on standard output either";
}

TEST_F(TamarelListTest, FoldersThatCannotBeReadAreToldAndMakeTheReportIncomplete)
{
    MakeFolder("top/locked", 0);
    MakeFolder("top/esc\x1b[31m\xff", 0);
    const auto unprivileged = [] {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(99);
    };
    ASSERT_EQ(Run({QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("--columns"), QStringLiteral("path,name,ext"), Top()},
                  unprivileged),
              1);
    QStringList warnings = err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    warnings.sort();
    EXPECT_EQ(warnings, (QStringList{QStringLiteral("tamarel-list: %1/esc\\x1b[31m\\xff: Permission denied").arg(Top()),
                                     QStringLiteral("tamarel-list: %1/locked: Permission denied").arg(Top())}))
        << "a name's control characters and stray bytes cannot reach the terminal";
    EXPECT_TRUE(Lines().contains(Top() + QStringLiteral("/sub/c.txt"))) << "the rest is listed";
    EXPECT_TRUE(Lines().contains(Top() + QStringLiteral("/locked"))) << "the folder's own entry too";
}

TEST_F(TamarelListTest, OneThreadAndSeveralWriteTheSameReports)
{
    MakeHostileTree("top");
    MakeFile("top/ticked.txt");
    const auto unprivileged = [] {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(99);
    };
    for (const QStringList &options :
         {QStringList{QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"),
                      QStringLiteral("path,name,ext,size,created,modified,accessed,attrs")},
          QStringList{QStringLiteral("-f"), QStringLiteral("html"), QStringLiteral("--separate"),
                      QStringLiteral("--tree")},
          QStringList{QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("-c"), QStringLiteral("needle"),
                      QStringLiteral("-m"), QStringLiteral("*.txt;f1*")}}) {
        const QStringList common = QStringList{QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-u"),
                                               QStringLiteral("sub"), QStringLiteral("-u"), QStringLiteral("f2.txt")}
                                   + options + QStringList{Top()};
        const int alone = Run(QStringList{QStringLiteral("-j"), QStringLiteral("1")} + common, unprivileged);
        const QString aloneOut = out, aloneErr = err;
        EXPECT_EQ(alone, 1) << "what cannot be read is told";
        EXPECT_GT(Lines().size(), 20);
        EXPECT_FALSE(out.contains(QStringLiteral("/sub/"))) << "an unticked folder is not entered";
        for (const char *threads : {"2", "7"}) {
            EXPECT_EQ(Run(QStringList{QStringLiteral("--jobs"), QString::fromLatin1(threads)} + common, unprivileged),
                      alone);
            EXPECT_TRUE(out == aloneOut) << threads << " threads, " << options.join(' ').toStdString();
            EXPECT_EQ(err, aloneErr);
        }
    }
}

TEST_F(TamarelListTest, FoldersAreFoundAsTheKernelFindsThem)
{
    MakeFolder("real");
    MakeFolder("real/inner");
    MakeFile("real/marker");
    MakeLink("top/link", Abs("real/inner"));
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"), QStringLiteral("path,name,ext"),
                   Top() + QStringLiteral("/link/..")}),
              0)
        << err.toStdString();
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name"), Root() + QStringLiteral("real/inner"),
                                    Root() + QStringLiteral("real/marker")}))
        << "the parent of the link's target, not top";
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"), QStringLiteral("path,name,ext"),
                   Top() + QStringLiteral("/./sub//")}),
              0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name"), Top() + QStringLiteral("/sub/c.txt")}));
}

TEST_F(TamarelListTest, AFolderWhoseNameIsNotUtf8IsListedWithAReplacementCharacter)
{
    MakeFolder("odd\xff");
    MakeFile("odd\xff/f.txt");
    QProcess process;
    // QProcess passes arguments as text; the raw byte needs the shell.
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("exec \"$0\" -f csv --columns path,name,ext \"$1$(printf '\\377')\""),
                   QStringLiteral(TAMAREL_LIST_BINARY), Root() + QStringLiteral("odd")});
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput())
                    .contains(QStringLiteral("odd\uFFFD/f.txt")));
}

} // namespace
