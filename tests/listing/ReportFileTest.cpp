#include "TreeFixture.h"

#include "listing/ReportFile.h"
#include "platform/NameCodec.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

using namespace listing;

namespace {

class ReportFileTest : public testing_support::TreeFixture {
protected:
    QByteArray Read(const std::string &relative)
    {
        QFile file(QString::fromStdString(Abs(relative)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST(ReportFileName, TheFileTypeReplacesTheExtension)
{
    EXPECT_EQ(ReportFileName(QStringLiteral("/d/list.txt"), rftCsv), QStringLiteral("/d/list.csv"));
    EXPECT_EQ(ReportFileName(QStringLiteral("/d/report"), rftCsv), QStringLiteral("/d/report.csv"));
    EXPECT_EQ(ReportFileName(QStringLiteral("/d/a.b.c"), rftCsv), QStringLiteral("/d/a.b.csv"));
    EXPECT_EQ(ReportFileName(QStringLiteral("/d/page.htm"), rftHtml), QStringLiteral("/d/page.html"));
    EXPECT_EQ(ReportFileName(QStringLiteral("/d.x/x"), rftAll), QStringLiteral("/d.x/x.xml"));
    EXPECT_EQ(EncodingFor(rftHtml, teAscii), teUtf8);
    EXPECT_EQ(EncodingFor(rftCsv, teUnicode), teUnicode);
}

TEST(ReportEncoding, EachEncodingHasItsMarkAndCrLfAfterEveryLine)
{
    const QStringList lines{QStringLiteral("Name;Size"), QString::fromUtf8("caf\xc3\xa9 \xe2\x80\x93 \xe2\x82\xac")};
    EXPECT_EQ(EncodeReport(lines, teAscii), QByteArray("Name;Size\r\ncafe - ?\r\n"));
    EXPECT_EQ(EncodeReport(lines, teUtf8),
              QByteArray("\xEF\xBB\xBFName;Size\r\ncaf\xC3\xA9 \xE2\x80\x93 \xE2\x82\xAC\r\n"));
    const QByteArray unicode = EncodeReport({QStringLiteral("A\u00e9")}, teUnicode);
    EXPECT_EQ(unicode, QByteArray("\xFF\xFE" "A\x00\xE9\x00\r\x00\n\x00", 10));
    EXPECT_EQ(EncodeReport({QString::fromUtf8("\xf0\x9f\x98\x80!")}, teAscii), QByteArray("?!\r\n"));
    EXPECT_EQ(EncodeReport({}, teAscii), QByteArray());
    EXPECT_EQ(EncodeReport({QString()}, teUtf8), QByteArray("\xEF\xBB\xBF\r\n"));
}

TEST(ReportEncoding, ScriptsChooseTheLineEndAndTheMarkAndPathsKeepTheirBytes)
{
    const QString undecodable = platform::DecodeFileName(std::string("/d/a\xff"));
    const TReportEncoder paths(teFileNames, true, QString(QChar(0)));
    QByteArray out = paths.Start();
    paths.Append(out, undecodable);
    EXPECT_EQ(out, QByteArray("/d/a\xff\0", 6)) << "no mark for file names, whatever is asked";
    const TReportEncoder unicode(teUnicode, true, QStringLiteral("\n"));
    out = unicode.Start();
    unicode.Append(out, QStringLiteral("A"));
    EXPECT_EQ(out, QByteArray("\xFF\xFE" "A\x00\n\x00", 6));
    const TReportEncoder utf8(teUtf8, false, QStringLiteral("\n"));
    EXPECT_TRUE(utf8.Start().isEmpty());
}

TEST_F(ReportFileTest, SavingReplacesTheFileWhole)
{
    MakeFile("out.csv", "old content that is longer than the new one");
    const QString name = QString::fromStdString(Abs("out.csv"));
    SaveReport(name, {QStringLiteral("a"), QStringLiteral("b")}, teAscii);
    EXPECT_EQ(Read("out.csv"), QByteArray("a\r\nb\r\n"));
}

TEST_F(ReportFileTest, EachFileTypeGetsItsNameAndEncoding)
{
    const QStringList report{QString::fromUtf8("x;\xc3\xa9")};
    const QString chosen = QString::fromStdString(Abs("list.txt"));
    EXPECT_EQ(SaveReportAs(chosen, rftCsv, report, teAscii), QString::fromStdString(Abs("list.csv")));
    EXPECT_EQ(Read("list.csv"), QByteArray("x;e\r\n"));
    SaveReportAs(chosen, rftHtml, report, teAscii);
    EXPECT_EQ(Read("list.html"), QByteArray("\xEF\xBB\xBFx;\xC3\xA9\r\n"));
    SaveReportAs(QString::fromStdString(Abs("x")), rftAll, report, teUnicode);
    EXPECT_EQ(Read("x.xml"), QByteArray("\xEF\xBB\xBFx;\xC3\xA9\r\n"));
}

TEST_F(ReportFileTest, AFailedSaveSaysWhyAndLeavesTheOldFileAlone)
{
    MakeFolder("locked");
    MakeFile("locked/out.csv", "precious");
    chmod(Abs("locked").c_str(), 0555);
    const QString name = QString::fromStdString(Abs("locked/out.csv"));
    EXPECT_TRUE(RunUnprivileged([&] {
        try {
            SaveReport(name, {QStringLiteral("new")}, teUtf8);
        } catch (const ECreateFileError &e) {
            const std::string expected = "Cannot create file \"" + name.toStdString() + "\". ";
            return std::string(e.what()).rfind(expected, 0) == 0
                   && std::string(e.what()).size() > expected.size();
        }
        return false;
    }));
    EXPECT_EQ(Read("locked/out.csv"), QByteArray("precious"));

    const QString missing = QString::fromStdString(Abs("no/such/folder/out.csv"));
    EXPECT_THROW(SaveReport(missing, {QStringLiteral("x")}, teAscii), ECreateFileError);
}

// Saves that fail at any byte: all in memory until the end, failing in the
// tail after earlier parts were written, and failing early in a large one.
// Each row: lines of about 55 bytes, and the size limit.
class FailingSaveTest : public ReportFileTest,
                        public ::testing::WithParamInterface<std::pair<int, long long>> {};

TEST_P(FailingSaveTest, AFileSizeLimitNeverCutsTheOldFileAndIsReported)
{
    MakeFolder("out");
    MakeFile("out/list.csv", "precious");
    const QString name = QString::fromStdString(Abs("out/list.csv"));
    const auto [lineCount, limit] = GetParam();
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines.append(QStringLiteral("/some/folder/file-%1.txt;1234;1.2.2023 10:11:12;32").arg(i));
    EXPECT_TRUE(RunWithFileSizeLimit(limit, [&] {
        try {
            SaveReport(name, lines, teUtf8);
        } catch (const ECreateFileError &e) {
            return std::string(e.what()) == "Cannot create file \"" + name.toStdString() + "\". File too large";
        }
        return false;
    }));
    EXPECT_EQ(Read("out/list.csv"), QByteArray("precious"));
    EXPECT_EQ(QDir(QString::fromStdString(Abs("out"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("list.csv")})
        << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(SmallTailAndLarge, FailingSaveTest, ::testing::Values(std::make_pair(100, 2000LL),
                                                                       std::make_pair(2000, 100000LL),
                                                                       std::make_pair(40000, 1000000LL)));

TEST_F(ReportFileTest, SavingThroughALinkReplacesItsTargetAndKeepsModeAndLink)
{
    MakeFile("real.csv", "old", 0640);
    MakeLink("link.csv", "real.csv");
    SaveReport(QString::fromStdString(Abs("link.csv")), {QStringLiteral("new")}, teAscii);
    EXPECT_EQ(Read("real.csv"), QByteArray("new\r\n"));
    struct stat st {};
    ASSERT_EQ(lstat(Abs("link.csv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(Abs("real.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A save must never replace what it cannot recreate: the checks that touch
// the machine's own devices run unprivileged, so that a regression fails
// instead of turning /dev/full into a file.
TEST_F(ReportFileTest, FifosAndDevicesAreWrittenInPlace)
{
    MakeFifo("pipe");
    // Opened for reading and writing, the FIFO neither blocks this open nor
    // the save's; a save that replaced it would leave nothing to read here.
    const int fifo = open(Abs("pipe").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fifo, 0);
    SaveReport(QString::fromStdString(Abs("pipe")), {QStringLiteral("x")}, teAscii);
    char received[16] = {};
    const ssize_t n = read(fifo, received, sizeof received);
    close(fifo);
    EXPECT_EQ(std::string(received, n > 0 ? size_t(n) : 0), "x\r\n");
    struct stat st {};
    ASSERT_EQ(lstat(Abs("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    EXPECT_TRUE(RunUnprivileged([] {
        try {
            SaveReport(QStringLiteral("/dev/full"), {QStringLiteral("x")}, teAscii);
        } catch (const ECreateFileError &e) {
            return std::string(e.what()) == "Cannot create file \"/dev/full\". No space left on device";
        }
        return false;
    }));
    EXPECT_THROW(SaveReport(Root(), {QStringLiteral("x")}, teAscii), ECreateFileError) << "a folder";
}

} // namespace
