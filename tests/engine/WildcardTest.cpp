#include "WildcardReference.h"

#include "engine/CharTables.h"
#include "engine/Wildcard.h"

#include <gtest/gtest.h>
#include <random>

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

// Names come from whoever can write to the tree. With a matcher that tries
// every split of the name this took minutes; it must answer at once.
TEST(Wildcard, AHostileMaskOnALongNameIsAnsweredAtOnce)
{
    const QString name(60, QLatin1Char('a'));
    QString mask;
    for (int i = 0; i < 30; ++i)
        mask += QStringLiteral("*a");
    EXPECT_FALSE(WildcardMatch(name, mask + QStringLiteral("*b")));
    EXPECT_TRUE(WildcardMatch(name + QLatin1Char('b'), mask + QStringLiteral("*b")));
    EXPECT_FALSE(NameMatchesMask(name, mask + QStringLiteral("?*b")));
}

TEST(Wildcard, AgreesWithTheReferenceOnGeneratedNamesAndMasks)
{
    const auto &lower = WideLowerTable();
    auto fold = [&lower](char16_t c) { return lower[c]; };
    testing_support::TWildcardReference reference;
    std::mt19937 random(12);
    const std::u16string textLetters = u"aAb.\u00e9\u00c9";
    const std::u16string maskLetters = u"aAb.?*\u00c9";
    auto pick = [&random](const std::u16string &letters, size_t maxLength) {
        std::u16string s(random() % (maxLength + 1), u' ');
        for (char16_t &c : s)
            c = letters[random() % letters.size()];
        return s;
    };
    int matches = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::u16string text = pick(textLetters, 10);
        const std::u16string mask = pick(maskLetters, 8);
        const bool expected = reference.Match(text, mask, fold);
        matches += expected;
        ASSERT_EQ(WildcardMatch(QString::fromStdU16String(text), QString::fromStdU16String(mask)),
                  expected)
            << QString::fromStdU16String(text).toStdString() << " ~ "
            << QString::fromStdU16String(mask).toStdString();
    }
    EXPECT_GT(matches, 10000) << "the generated cases must exercise both answers";
}
