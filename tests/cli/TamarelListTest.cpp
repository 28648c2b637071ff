#include "TamarelListFixture.h"

#include "platform/NameCodec.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>
#include <sys/stat.h>

namespace {

class TamarelListTest : public testing_support::TamarelListFixture {
protected:
    void SetUp() override
    {
        TamarelListFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFile("top/a.txt", "alpha");
        MakeFile("top/b.log", "needle");
        MakeFile("top/sub/c.txt", "gamma");
    }

    // Names that break naive writers: a byte that is not UTF-8, a line break,
    // a quote and a backslash, a character outside the BMP.
    void MakeHostileNames()
    {
        MakeFolder("odd");
        MakeFile("odd/bad\xff\xfe.bin", "1");
        MakeFile("odd/new\nline.txt", "22");
        MakeFile("odd/q\"uo\\te", "333");
        MakeFile("odd/smile\xf0\x9f\x98\x80.x");
    }
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

// -o writes exactly the file named, the same bytes a redirection gets:
// through a replacement for a regular file, in place for a device.
TEST_F(TamarelListTest, TheOutputIsTheSameBytesWhereverItGoes)
{
    const QStringList report{QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("-q"), Top()};
    ASSERT_EQ(Run(report), 0);
    const QByteArray expected = bytes;
    EXPECT_TRUE(expected.startsWith("Name;Size;Modified;Attributes\n")) << "UTF-8, no mark, LF";
    for (const QString &output : {QStringLiteral("-"), QStringLiteral("/dev/stdout")}) {
        ASSERT_EQ(Run(QStringList{QStringLiteral("-o"), output} + report), 0) << output.toStdString();
        EXPECT_EQ(bytes, expected) << output.toStdString();
    }
    const QString target = Root() + QStringLiteral("report.txt");
    ASSERT_EQ(Run(QStringList{QStringLiteral("-o"), target} + report), 0);
    EXPECT_TRUE(bytes.isEmpty());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_FALSE(QFile::exists(Root() + QStringLiteral("report.csv")));

    ASSERT_EQ(Run(QStringList{QStringLiteral("-e"), QStringLiteral("unicode")} + report), 0);
    EXPECT_TRUE(bytes.startsWith("\xFF\xFEN\x00"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\n\x00", 2)));
    EXPECT_FALSE(bytes.contains(QByteArray("\r\x00", 2)));

    ASSERT_EQ(Run({QStringLiteral("--title"), QStringLiteral("My <list>"), QStringLiteral("-o"), Root() + QStringLiteral("page"), Top()}), 0);
    QFile page(Root() + QStringLiteral("page"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.startsWith("<html>\n"));
    EXPECT_TRUE(html.contains("<h2>My &lt;list&gt;</h2>"));
}

TEST_F(TamarelListTest, ExitStatusesTellUsageErrorsFromWriteFailures)
{
    EXPECT_EQ(Run({QStringLiteral("--bogus"), Top()}), 2);
    EXPECT_EQ(err, QStringLiteral("tamarel-list: unknown option --bogus (see --help)\n"));
    EXPECT_TRUE(err.contains(QStringLiteral("--bogus")));
    EXPECT_EQ(Run({QStringLiteral("-f"), QStringLiteral("pdf"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("--grid-color"), QStringLiteral("red"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("-d"), QStringLiteral(";;"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("--columns"), QStringLiteral("path,colour"), Top()}), 2);
    EXPECT_EQ(Run({QStringLiteral("-e"), QStringLiteral("ascii"), Top()}), 2) << "HTML has no encoding to choose";
    EXPECT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--title"), QStringLiteral("x"), Top()}), 2);
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

// A file whose content cannot be read might hold the phrase: leaving it out
// silently would make the listing look complete.
TEST_F(TamarelListTest, FilesWhoseContentCannotBeReadAreToldAndMakeTheReportIncomplete)
{
    MakeFile("top/sealed.txt", "needle");
    chmod(Abs("top/sealed.txt").c_str(), 0);
    MakeFile("top/open.txt", "a needle");
    MakeFifo("top/pipe.txt");
    const auto unprivileged = [] {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(99);
    };
    for (const char *threads : {"1", "3"}) {
        ASSERT_EQ(Run({QStringLiteral("-q"), QStringLiteral("-j"), QString::fromLatin1(threads), QStringLiteral("-r"),
                       QStringLiteral("-fpaths"), QStringLiteral("-c"), QStringLiteral("needle"),
                       QStringLiteral("-m"), QStringLiteral("*.txt;sealed*"), Top()},
                      unprivileged),
                  1)
            << threads;
        EXPECT_EQ(err, QStringLiteral("tamarel-list: %1/sealed.txt: Permission denied\n").arg(Top()))
            << "once, though two masks meet it; a FIFO is no error";
        EXPECT_TRUE(Lines().contains(Top() + QStringLiteral("/open.txt")));
        EXPECT_FALSE(Lines().contains(Top() + QStringLiteral("/sealed.txt")));
    }
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
                      QStringLiteral("-m"), QStringLiteral("*.txt;f1*")},
          QStringList{QStringLiteral("-fjson"), QStringLiteral("--hidden"), QStringLiteral("--exclude=f1*"),
                      QStringLiteral("--max-depth=2"), QStringLiteral("--min-size=1")},
          QStringList{QStringLiteral("-fpaths"), QStringLiteral("--min-depth=1"), QStringLiteral("--list-unticked"),
                      QStringLiteral("--one-file-system")}}) {
        const QStringList common = QStringList{QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-u"),
                                               QStringLiteral("sub"), QStringLiteral("-u"), QStringLiteral("f2.txt")}
                                   + options + QStringList{Top()};
        // Reading a folder or a file may set its access time once (relatime),
        // which the report shows: a first run leaves every time as the
        // runs compared will find it, even when a second has passed since
        // the tree was made.
        Run(QStringList{QStringLiteral("-j"), QStringLiteral("1")} + common, unprivileged);
        const int alone = Run(QStringList{QStringLiteral("-j"), QStringLiteral("1")} + common, unprivileged);
        const QString aloneOut = out, aloneErr = err;
        EXPECT_EQ(alone, 1) << "what cannot be read is told";
        EXPECT_GT(Lines().size(), 20) << options.join(QLatin1Char(' ')).toStdString();
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

TEST_F(TamarelListTest, JsonLinesReadBackGiveTheExactNames)
{
    MakeHostileNames();
    MakeLink("odd/link", Abs("top"));
    SetTimes("odd/new\nline.txt", 1714557600, 1714557600);  // 2024-05-01 10:00 UTC
    timeZone = QStringLiteral("Europe/Berlin");
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("json"), Root() + QStringLiteral("odd")}), 0) << err.toStdString();
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 6) << bytes.toStdString();
    EXPECT_TRUE(lines.last().isEmpty()) << "every object ends its line";
    std::vector<std::string> paths;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(lines[i], &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        paths.push_back(platform::EncodeFileName(o.value(QLatin1String("path")).toString()));
        const QString name = o.value(QLatin1String("name")).toString(), ext = o.value(QLatin1String("ext")).toString();
        EXPECT_EQ(paths.back(), Abs("odd/") + platform::EncodeFileName(ext.isEmpty() ? name : name + QLatin1Char('.') + ext));
        if (paths.back() == Abs("odd/new\nline.txt")) {
            EXPECT_EQ(o.value(QLatin1String("size")).toInt(), 2);
            EXPECT_EQ(o.value(QLatin1String("type")).toString(), QStringLiteral("file"));
            EXPECT_EQ(o.value(QLatin1String("modified")).toString(), QStringLiteral("2024-05-01T12:00:00+02:00"));
            EXPECT_EQ(o.value(QLatin1String("attributes")).toInt(), 128);
        }
        if (paths.back() == Abs("odd/link")) {
            EXPECT_EQ(o.value(QLatin1String("type")).toString(), QStringLiteral("link"));
        }
    }
    EXPECT_EQ(paths, (std::vector<std::string>{Abs("odd/link"), Abs("odd/bad\xff\xfe.bin"), Abs("odd/new\nline.txt"),
                                               Abs("odd/q\"uo\\te"), Abs("odd/smile\xf0\x9f\x98\x80.x")}))
        << "the report's row order: folders first, then by full name";
    EXPECT_TRUE(bytes.contains("bad\\udcff\\udcfe")) << "an undecodable byte as its surrogate escape";

    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("json"), QStringLiteral("--time-style"), QStringLiteral("utc"),
                   QStringLiteral("-m"), QStringLiteral("new*"), Root() + QStringLiteral("odd")}), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("\"modified\":\"2024-05-01T10:00:00Z\"")));
}

TEST_F(TamarelListTest, PathsEndWithNulForXargsAndKeepTheirBytes)
{
    MakeHostileNames();
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("paths"), QStringLiteral("-0"), QStringLiteral("--no-dirs"),
                   Root() + QStringLiteral("odd")}), 0);
    const std::string root = Abs("odd/");
    EXPECT_EQ(bytes.toStdString(), root + "bad\xff\xfe.bin" + '\0' + root + "new\nline.txt" + '\0' + root + "q\"uo\\te"
                                       + '\0' + root + "smile\xf0\x9f\x98\x80.x" + '\0');
    // What xargs -0 hands on is the files themselves.
    ASSERT_EQ(RunProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("\"$0\" -f paths -0 --no-dirs \"$1\" | xargs -0 cat"),
                                                      QStringLiteral(TAMAREL_LIST_BINARY), Root() + QStringLiteral("odd")}), 0);
    EXPECT_EQ(bytes, QByteArray("122333"));
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("paths"), Top()}), 0);
    EXPECT_EQ(Lines(), (QStringList{Top() + QStringLiteral("/sub"), Top() + QStringLiteral("/a.txt"), Top() + QStringLiteral("/b.log")}));
}

TEST_F(TamarelListTest, WithoutAFolderTheCurrentOneIsListed)
{
    workingFolder = Top();
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("paths")}), 0);
    EXPECT_EQ(Lines(), (QStringList{Top() + QStringLiteral("/sub"), Top() + QStringLiteral("/a.txt"), Top() + QStringLiteral("/b.log")}));
}

} // namespace
