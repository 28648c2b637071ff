#include "TreeFixture.h"

#include "listing/ReportFile.h"

#include <QFile>
#include <sys/stat.h>

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

} // namespace
