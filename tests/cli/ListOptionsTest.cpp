// What each selection option of tamarel-list does to a real tree, edges
// included: depths from the folder, names kept out of the walk, dot-named
// entries, size and date bounds with their inclusive and exclusive ends,
// the phrase's options, and other file systems.

#include "TamarelListFixture.h"

#include <QStandardPaths>

namespace {

class ListOptionsTest : public testing_support::TamarelListFixture {
protected:
    void SetUp() override
    {
        TamarelListFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFolder("top/sub/deep");
        MakeFolder("top/.hid");
        MakeFile("top/a.txt", "The Cat sat");
        MakeFile("top/b.log", "concatenate");
        MakeFile("top/empty");
        MakeFile("top/.profile", "x");
        MakeFile("top/.hid/h.txt", "h");
        MakeFile("top/sub/c.txt", "1234567");
        MakeFile("top/sub/deep/d.txt", std::string(2048, 'd'));
    }

    // The paths listed below top, in the report's order.
    QStringList Listed(QStringList arguments)
    {
        arguments << QStringLiteral("-f") << QStringLiteral("paths") << Top();
        const int status = Run(arguments);
        EXPECT_EQ(status, 0) << err.toStdString();
        QStringList relative;
        for (const QString &line : Lines())
            relative << line.mid(Top().size() + 1);
        return relative;
    }

    static QStringList Args(const char *line) { return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts); }
    static QStringList Names(const char *line) { return Args(line); }
};

TEST_F(ListOptionsTest, DepthsCountFromTheFolderAndImplyRecursion)
{
    EXPECT_EQ(Listed(Args("--max-depth 0")), Names("sub a.txt b.log empty"));
    EXPECT_EQ(Listed(Args("--max-depth 1")), Names("sub sub/deep a.txt b.log empty sub/c.txt"));
    EXPECT_EQ(Listed(Args("--min-depth 1")), Names("sub/deep sub/c.txt sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("--min-depth 2 --max-depth 2")), Names("sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("--min-depth 3")), QStringList());
}

TEST_F(ListOptionsTest, ExcludedNamesAreNeitherListedNorEntered)
{
    // c.txt matches no mask: it is missing because sub was not entered.
    EXPECT_EQ(Listed(Args("-r --exclude sub;*.LOG")), Names("a.txt empty"));
    EXPECT_EQ(Listed(Args("-r --exclude deep --exclude *.txt")), Names("sub b.log empty"));
    EXPECT_EQ(Listed(Args("-r --exclude *.")), Names("a.txt b.log")) << "\"*.\" is the names without a dot";
    EXPECT_EQ(Listed(Args("--exclude top")), Names("sub a.txt b.log empty")) << "FOLDER itself is listed";
}

TEST_F(ListOptionsTest, DotNamedEntriesOnlyWithHidden)
{
    EXPECT_EQ(Listed(Args("-r --no-dirs -m *.txt")), Names("a.txt sub/c.txt sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("-r --hidden --no-dirs -m *.txt")), Names(".hid/h.txt a.txt sub/c.txt sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("--hidden")), Names(".hid sub .profile a.txt b.log empty"));
    EXPECT_EQ(Listed(Args("-r --hidden -u .hid -u sub")), Names(".profile a.txt b.log empty"))
        << "-u finds dot-named entries too";
}

TEST_F(ListOptionsTest, SizeBoundsAreInclusiveAndZeroMeansEmpty)
{
    EXPECT_EQ(Listed(Args("-r --min-size 11")), Names("a.txt b.log sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("-r --min-size 2k")), Names("sub/deep/d.txt"));
    EXPECT_EQ(Listed(Args("-r --max-size 7 --no-dirs")), Names("empty sub/c.txt"));
    EXPECT_EQ(Listed(Args("-r --max-size 0")), Names("sub sub/deep empty")) << "folders count as 0 bytes";
    EXPECT_EQ(Listed(Args("-r --min-size 7 --max-size 11")), Names("a.txt b.log sub/c.txt"));
}

TEST_F(ListOptionsTest, NewerIsFromTheMomentOnOlderIsBeforeIt)
{
    const long long may = 1714521600;  // 2024-05-01 00:00 UTC
    SetTimes("top/a.txt", may, may);
    SetTimes("top/b.log", may - 1, may);
    SetTimes("top/empty", may + 1, may);
    SetTimes("top/sub/c.txt", may + 86400, may);
    const QString files = QStringLiteral("--no-dirs --max-depth 1 ");
    const auto listed = [&](const QString &bounds) { return Listed(Args((files + bounds).toUtf8().constData())); };
    EXPECT_EQ(listed(QStringLiteral("--newer 2024-05-01")), Names("a.txt empty sub/c.txt"));
    EXPECT_EQ(listed(QStringLiteral("--older 2024-05-01")), Names("b.log")) << "a.txt is at the bound, not before it";
    EXPECT_EQ(listed(QStringLiteral("--older 2024-05-01T00:00:01")), Names("a.txt b.log"));
    EXPECT_EQ(listed(QStringLiteral("--newer 2024-05-01T00:00:01 --older 2024-05-02")), Names("empty"));
    EXPECT_EQ(listed(QStringLiteral("--newer 2024-05-01T02:00+02:00 --older 2024-05-01T00:00:01Z")), Names("a.txt"));
    timeZone = QStringLiteral("America/New_York");
    EXPECT_EQ(listed(QStringLiteral("--older 2024-04-30T20:00")), Names("b.log")) << "local time: UTC-4 in May";
}

// Berlin's clocks went back at 2024-10-27 01:00 UTC: 02:30 was shown at
// 00:30 UTC and again at 01:30 UTC.
TEST_F(ListOptionsTest, AnInstantIsExactInTheHourTheClocksShowTwice)
{
    timeZone = QStringLiteral("Europe/Berlin");
    MakeFolder("dst");
    MakeFile("dst/first");
    MakeFile("dst/second");
    SetTimes("dst/first", 1729989000, 1729989000);
    SetTimes("dst/second", 1729992600, 1729992600);
    const auto listed = [&](const char *bounds) {
        EXPECT_EQ(Run(Args(bounds) << QStringLiteral("-f") << QStringLiteral("paths") << Root() + QStringLiteral("dst")), 0);
        return Lines().replaceInStrings(Root() + QStringLiteral("dst/"), QString());
    };
    EXPECT_EQ(listed("--newer 2024-10-27T02:30+01:00"), Names("second"));
    EXPECT_EQ(listed("--older 2024-10-27T02:30+01:00"), Names("first"));
    EXPECT_EQ(listed("--newer 2024-10-27T02:30+02:00"), Names("first second"));
    EXPECT_EQ(listed("--newer 2024-10-27T02:30"), Names("first second")) << "a reading: both show 02:30";
    // 2024-03-31 02:00 to 03:00 never showed; 02:30 still divides.
    SetTimes("dst/first", 1711846799, 1711846799);  // 01:59:59 CET
    SetTimes("dst/second", 1711846800, 1711846800);  // 03:00:00 CEST
    EXPECT_EQ(listed("--older 2024-03-31T02:30"), Names("first"));
    EXPECT_EQ(listed("--newer 2024-03-31T02:30"), Names("second"));
    SetTimes("dst/first", 1729989000, 1729989000);
    SetTimes("dst/second", 1729992600, 1729992600);

    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"), QStringLiteral("name,modified"),
                   QStringLiteral("--time-style"), QStringLiteral("iso"), Root() + QStringLiteral("dst")}), 0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Name;Modified"), QStringLiteral("first;2024-10-27T02:30:00+02:00"),
                                    QStringLiteral("second;2024-10-27T02:30:00+01:00")}));
    ASSERT_EQ(Run({QStringLiteral("-f"), QStringLiteral("csv"), QStringLiteral("--columns"), QStringLiteral("modified"),
                   QStringLiteral("--time-style"), QStringLiteral("utc"), Root() + QStringLiteral("dst")}), 0);
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Modified"), QStringLiteral("2024-10-27T00:30:00Z"),
                                    QStringLiteral("2024-10-27T01:30:00Z")}));
}

TEST_F(ListOptionsTest, ThePhraseInItsCaseOrAsAWholeWord)
{
    EXPECT_EQ(Listed(Args("-c cat")), Names("a.txt b.log"));
    EXPECT_EQ(Listed(Args("-c cat --case-sensitive")), Names("b.log"));
    EXPECT_EQ(Listed(Args("-c cat --whole-word")), Names("a.txt"));
    EXPECT_EQ(Listed(Args("-c cat --whole-word --case-sensitive")), QStringList());
}

// A tmpfs mounted inside the tree, in a mount namespace of the test's own
// (unshare), so that nothing outside it sees the mount.
TEST_F(ListOptionsTest, OtherFileSystemsAreListedButNotEntered)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        GTEST_SKIP() << "unshare is not installed";
    MakeFolder("top/mnt");
    const auto listedWith = [&](const QString &options) {
        const QString script = QStringLiteral("mount -t tmpfs none \"$1/mnt\" && : > \"$1/mnt/inner\" && "
                                              "exec \"$0\" -r -f paths %1 \"$1\"").arg(options);
        return RunProgram(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--map-root-user"),
                                                      QStringLiteral("/bin/sh"), QStringLiteral("-c"), script,
                                                      QStringLiteral(TAMAREL_LIST_BINARY), Top()});
    };
    if (listedWith(QString()) != 0 || !out.contains(QStringLiteral("/mnt/inner")))
        GTEST_SKIP() << "cannot mount in a namespace of its own: " << err.toStdString();
    ASSERT_EQ(listedWith(QStringLiteral("--one-file-system")), 0) << err.toStdString();
    EXPECT_TRUE(Lines().contains(Top() + QStringLiteral("/mnt")));
    EXPECT_TRUE(Lines().contains(Top() + QStringLiteral("/sub/deep/d.txt"))) << "the folder's own file system is walked";
    EXPECT_FALSE(out.contains(QStringLiteral("inner")));
    // Named through a link, the folder's mount points are still found.
    MakeLink("via", Abs("top"));
    ASSERT_EQ(listedWith(QStringLiteral("--one-file-system ") + Root() + QStringLiteral("via")), 0) << err.toStdString();
    EXPECT_TRUE(Lines().contains(Root() + QStringLiteral("via/mnt")));
    EXPECT_FALSE(out.contains(QStringLiteral("via/mnt/inner")));
}

} // namespace
