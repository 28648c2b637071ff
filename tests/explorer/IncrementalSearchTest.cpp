#include "explorer/IncrementalSearch.h"

#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>

using namespace explorer;

namespace {

TEST(IncrementalSearch, FoldsOnlyAsciiLettersOverTheShorterLength)
{
    EXPECT_EQ(IncrementalSearchCompare(QStringLiteral("doc"), QStringLiteral("Documents")), 0);
    EXPECT_EQ(IncrementalSearchCompare(QStringLiteral("DOC"), QStringLiteral("doc.txt")), 0);
    EXPECT_EQ(IncrementalSearchCompare(QStringLiteral("docs"), QStringLiteral("doc")), 0);
    EXPECT_EQ(IncrementalSearchCompare(QString(), QStringLiteral("x")), 0);
    EXPECT_NE(IncrementalSearchCompare(QString::fromUtf8("\xc3\xa9t\xc3\xa9"), QString::fromUtf8("\xc3\x89t\xc3\xa9")), 0);
    EXPECT_LT(IncrementalSearchCompare(QStringLiteral("a"), QStringLiteral("b")), 0);
}

class IncrementalSearchRows : public ::testing::Test {
protected:
    int Type(const char *typed, int focused)
    {
        return search.Find(QString::fromUtf8(typed), focused, int(names.size()),
                           [this](int row) -> const QString & { return names[row]; });
    }
    QStringList names{QStringLiteral(".."), QStringLiteral("Photos"), QStringLiteral("pets"),
                      QStringLiteral("Documents.txt"), QStringLiteral("pa.txt")};
    TIncrementalSearch search{60 * 1000};
};

TEST_F(IncrementalSearchRows, AFirstLetterStepsOnAndFurtherLettersRefineFromTheFocusedRow)
{
    EXPECT_EQ(Type("p", 1), 2) << "the row after the focused one";
    search = TIncrementalSearch(60 * 1000);
    EXPECT_EQ(Type("p", 4), 1) << "round past the last row";
    EXPECT_EQ(Type("h", 1), 1) << "\"ph\" from the focused row itself";
    EXPECT_EQ(Type("x", 1), -1) << "nothing is named \"phx\"";
}

TEST_F(IncrementalSearchRows, APauseStartsANewSearch)
{
    search.SetInterval(0);
    EXPECT_EQ(Type("d", -1), 3);
    QThread::msleep(5);
    EXPECT_EQ(Type("p", 3), 4) << "\"p\" alone, not \"dp\"";
}

TEST_F(IncrementalSearchRows, NothingTypedOrNoRowsFindsNothing)
{
    EXPECT_EQ(Type("", 0), -1);
    names.clear();
    EXPECT_EQ(Type("p", -1), -1);
}

} // namespace
