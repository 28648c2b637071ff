#include "engine/Wildcard.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(Wildcard, StarAndQuestionMarkIgnoreCaseAndMayMatchNothingAtTheEnd)
{
    struct Row {
        const char *text;
        const char *mask;
        bool match;
    } rows[] = {
        {"readme.txt", "*.txt", true},
        {"README.TXT", "*.txt", true},
        {"readme.txt", "*.doc", false},
        {"ac", "a*?c", true},      // "?" after "*" may match nothing
        {"abc", "abc?", true},     // trailing "?" once the text is out
        {"abcd", "abc?", true},
        {"abcde", "abc?", false},
        {"", "*", true},
        {"anything", "*", true},
        {"abc", "a*", true},
        {"aXbXc", "a*b*c", true},
        {"aXbXd", "a*b*c", false},
        {"mississippi", "*sip*", true},
        {"mississippi", "m*iss*ppi", true},
        {"abc", "abcd", false},
        {"abcd", "abc", false},
        {"abc", "", false},
        {"\xc3\x89t\xc3\xa9", "\xc3\xa9*", true},  // folding beyond ASCII
        {"/data/temp/x.", "*/temp/*", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(WildcardMatch(QString::fromUtf8(row.text), QString::fromUtf8(row.mask)), row.match)
            << row.text << " ~ " << row.mask;
}

TEST(Wildcard, ListingMasksLetStarDotStarMatchEveryNameAndStarDotTheBareOnes)
{
    EXPECT_TRUE(NameMatchesMask(QStringLiteral("Makefile"), QStringLiteral("*.*")));
    EXPECT_TRUE(NameMatchesMask(QStringLiteral("a.b.c"), QStringLiteral("*.*")));
    EXPECT_TRUE(NameMatchesMask(QStringLiteral("Makefile"), QStringLiteral("*.")));
    EXPECT_FALSE(NameMatchesMask(QStringLiteral("a.txt"), QStringLiteral("*.")));
    EXPECT_TRUE(NameMatchesMask(QStringLiteral("Data"), QStringLiteral("data")));
    EXPECT_FALSE(NameMatchesMask(QStringLiteral("Data"), QStringLiteral("*.txt")));
}
