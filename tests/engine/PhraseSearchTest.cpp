#include "TreeFixture.h"

#include "engine/PhraseSearch.h"
#include "engine/FindFile.h"

#include <QStringEncoder>
#include <cstdio>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace engine;

namespace {

std::string Utf16(const QString &text, bool bigEndian, bool mark = true)
{
    std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

std::string Utf8(const char *text, bool mark)
{
    return (mark ? "\xEF\xBB\xBF" : "") + std::string(text);
}

std::string Ansi(const char *utf8)
{
    QStringEncoder encoder("windows-1252");
    return QByteArray(encoder(QString::fromUtf8(utf8))).toStdString();
}

class ContentSearchTest : public testing_support::TreeFixture {
protected:
    bool Contains(const std::string &content, const char *phrase, TContentSearchOptions options = 0)
    {
        MakeFile("f", content);
        return FileContainsPhrase(-1, Abs("f").c_str(), MakeStringVariants(QString::fromUtf8(phrase)),
                                  options);
    }
};

TEST_F(ContentSearchTest, FindsThePhraseInEveryEncodingWithAndWithoutCase)
{
    const QString text = QStringLiteral("x PHRASE x");
    const std::string files[] = {
        "x PHRASE x",
        Utf16(text, false),
        Utf16(text, true),
        Utf8("x PHRASE x", true),
    };
    for (const std::string &content : files) {
        EXPECT_TRUE(Contains(content, "phrase")) << content;
        EXPECT_TRUE(Contains(content, "PHRASE", csoCaseSensitive)) << content;
        EXPECT_FALSE(Contains(content, "phrase", csoCaseSensitive)) << content;
        EXPECT_FALSE(Contains(content, "phrases")) << content;
    }
}

TEST_F(ContentSearchTest, ANonAsciiPhraseIsFoundInEachEncodingIncludingUnmarkedUtf8)
{
    EXPECT_TRUE(Contains(Ansi("caf\xc3\xa9 au lait"), "caf\xc3\xa9"));
    EXPECT_TRUE(Contains(Ansi("CAF\xc3\x89"), "caf\xc3\xa9")) << "folded in Windows-1252";
    EXPECT_TRUE(Contains(Utf16(QString::fromUtf8("CAF\xc3\x89"), false), "caf\xc3\xa9"));
    EXPECT_TRUE(Contains(Utf8("un caf\xc3\xa9", true), "caf\xc3\xa9"));
    EXPECT_TRUE(Contains(Utf8("un caf\xc3\xa9", false), "caf\xc3\xa9"));
    EXPECT_TRUE(Contains(Utf8("\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", false),
                         "\xd1\x80\xd0\xb8\xd0\xb2"))
        << "a phrase Windows-1252 cannot hold at all";
    EXPECT_FALSE(Contains(Utf8("un cafe", false), "caf\xc3\xa9"));
}

TEST_F(ContentSearchTest, Utf8TextIsMatchedByWholeCharactersFoldedTheUnicodeWay)
{
    for (const bool mark : {true, false}) {
        EXPECT_TRUE(Contains(Utf8("un caf\xc3\xa9", mark), "\xc3\x89")) << "É finds é";
        EXPECT_TRUE(Contains(Utf8("CAF\xc3\x89 NOIR", mark), "caf\xc3\xa9")) << "café finds CAFÉ";
        EXPECT_TRUE(Contains(Utf8("Herr M\xc3\xbcller", mark), "M\xc3\x9cLLER")) << "MÜLLER finds Müller";
        EXPECT_TRUE(Contains(Utf8("\xce\xa3\xce\x9f\xce\xa6\xce\x99\xce\x91", mark),
                             "\xcf\x83\xce\xbf\xcf\x86"))
            << "Greek capitals";
        EXPECT_TRUE(Contains(Utf8("STRA\xe1\xba\x9e" "E", mark), "stra\xc3\x9f" "e")) << "ẞ and ß";
        EXPECT_TRUE(Contains(Utf8("5 \xe2\x84\xaa" "ELVIN", mark), "kelvin")) << "the Kelvin sign is a k";
        EXPECT_TRUE(Contains(Utf8("ma\xc5\xbfs", mark), "MASS")) << "the long s is an s";
        EXPECT_FALSE(Contains(Utf8("un caf\xc3\xa9", mark), "\xc3\x89", csoCaseSensitive));
    }
    // Occurrences whose variants are longer than the phrase's own bytes,
    // across the end of a block.
    const std::string filler(ContentBlockSize - 2, '.');
    EXPECT_TRUE(Contains(filler + "\xe2\x84\xaa" "ey", "key"));
    EXPECT_TRUE(Contains(filler + "\xe2\x84\xaa.", "k", csoWholeWord));
    EXPECT_FALSE(Contains(filler + "\xe2\x84\xaax", "k", csoWholeWord));
}

TEST_F(ContentSearchTest, AnEightBitOccurrenceInsideAUtf8CharacterDoesNotCount)
{
    // é is E9 in Windows-1252, and E9 begins many Chinese characters.
    EXPECT_FALSE(Contains("\xe9\x99\x88\xe9\x87\x91", "\xc3\xa9"));
    EXPECT_FALSE(Contains("\xe3\xa9\x80", "\xc3\xa9")) << "U+3A40 is not é folded byte by byte";
    EXPECT_TRUE(Contains(Ansi("caf\xc3\xa9"), "caf\xc3\xa9")) << "a real 8-bit é still counts";
    EXPECT_TRUE(Contains(Ansi("caf\xc3\xa9 ") + "\xe9\x99\x88", "caf\xc3\xa9"));
    EXPECT_TRUE(Contains("\xe9\x99", "\xc3\xa9")) << "E9 99 alone is no UTF-8 character";
    // A phrase Windows-1252 cannot hold has no 8-bit form to find.
    EXPECT_FALSE(Contains("??????", "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"));
    EXPECT_TRUE(Contains("why?", "y?")) << "a question mark of the phrase's own is still one";
}

TEST_F(ContentSearchTest, PartialOccurrencesDoNotHideOnesThatStartInsideThem)
{
    EXPECT_TRUE(Contains("aab", "ab"));
    EXPECT_TRUE(Contains("a a b", "a b"));
    EXPECT_TRUE(Contains(Utf16(QStringLiteral("aab"), false), "ab"));
}

TEST_F(ContentSearchTest, WholeWordsNeedDelimitersOnBothSides)
{
    const TContentSearchOptions word = csoWholeWord;
    EXPECT_TRUE(Contains("the cat.", "cat", word));
    EXPECT_TRUE(Contains("cat", "cat", word));
    EXPECT_TRUE(Contains("a_cat_b", "cat", word));
    EXPECT_FALSE(Contains("concatenate", "cat", word));
    EXPECT_TRUE(Contains("concatenate cat", "cat", word)) << "a later occurrence still counts";
    EXPECT_FALSE(Contains(Ansi("cat\xc3\xa9"), "cat", word)) << "é is a letter in Windows-1252";
    EXPECT_FALSE(Contains(Utf8("cat\xc3\xa9", true), "cat", word));
    EXPECT_TRUE(Contains(Utf8("cat\xe2\x80\x94", true), "cat", word)) << "an em dash delimits";
    EXPECT_TRUE(Contains(Utf8("\xe2\x80\x94" "cat", false), "cat", word));
    EXPECT_FALSE(Contains(Utf8("\xd0\xb6" "cat", true), "cat", word)) << "a Cyrillic letter before";
    EXPECT_TRUE(Contains(Utf16(QStringLiteral("(cat)"), true), "cat", word));
    EXPECT_FALSE(Contains(Utf16(QStringLiteral("xcat"), true), "cat", word));
}

TEST_F(ContentSearchTest, OccurrencesAndNeighboursThatStraddleTwoBlocks)
{
    const size_t block = ContentBlockSize;
    EXPECT_TRUE(Contains(std::string(block - 1, 'x') + "abc", "abc")) << "first unit ends a block";
    EXPECT_TRUE(Contains(std::string(block - 3, '.') + "cat.", "cat", csoWholeWord));
    EXPECT_FALSE(Contains(std::string(block - 3, '.') + "catz", "cat", csoWholeWord))
        << "the letter right after lies in the next block";
    EXPECT_FALSE(Contains(std::string(block - 4, '.') + "zcat", "cat", csoWholeWord))
        << "the letter right before lies in the previous block";
    EXPECT_TRUE(Contains(std::string(3 * block + 17, 'y') + "needle", "NEEDLE"));
    // UTF-16: the mark takes the first unit of the first block.
    EXPECT_TRUE(Contains(Utf16(QString(int(block / 2) - 2, QLatin1Char('x')) + QStringLiteral("abc"),
                               false),
                         "abc"));
    EXPECT_FALSE(Contains(Utf16(QString(int(block / 2) - 4, QLatin1Char('.')) + QStringLiteral("catz"),
                                true),
                          "cat", csoWholeWord));
    // UTF-8: a two-byte letter right after, split across the blocks.
    EXPECT_FALSE(Contains(Utf8("", true) + std::string(block - 6, ' ') + "cat\xc3\xa9", "cat",
                          csoWholeWord));
}

TEST_F(ContentSearchTest, ShortAndOddFilesAreReadByTheRules)
{
    EXPECT_TRUE(Contains("a", "a")) << "a one-byte file is read as 8-bit text";
    EXPECT_TRUE(Contains("\xEF\xBB" "A", "\xC3\xAF\xC2\xBB" "a")) << "EF BB 41 is not a mark";
    EXPECT_FALSE(Contains("\xFF\xFE", "\xC3\xBF\xC3\xBE")) << "FF FE is a mark, not content";
    EXPECT_FALSE(Contains("\xFF\xFE", "x"));
    EXPECT_FALSE(Contains(Utf16(QStringLiteral("ab"), false) + "c", "c"))
        << "an odd last byte of UTF-16 is ignored";
    EXPECT_TRUE(Contains(Utf16(QStringLiteral("ab"), false) + "c", "b"));
    EXPECT_FALSE(Contains("", "x"));
    EXPECT_TRUE(Contains("\x96 dash", "\xe2\x80\x93 dash")) << "Windows-1252 en dash";
}

TEST_F(ContentSearchTest, EntriesThatCannotBeReadAsFilesNeverMatch)
{
    MakeFifo("fifo");
    MakeFolder("folder");
    MakeFile("secret", "needle", 0);
    const TStringVariants needle = MakeStringVariants(QStringLiteral("needle"));
    EXPECT_FALSE(FileContainsPhrase(-1, Abs("fifo").c_str(), needle, 0)) << "and does not block";
    EXPECT_FALSE(FileContainsPhrase(-1, Abs("folder").c_str(), needle, 0));
    EXPECT_FALSE(FileContainsPhrase(-1, Abs("missing").c_str(), needle, 0));
    const std::string secret = Abs("secret");
    EXPECT_TRUE(RunUnprivileged([&] { return !FileContainsPhrase(-1, secret.c_str(), needle, 0); }));
    EXPECT_TRUE(FileContainsPhrase(-1, secret.c_str(), needle, 0)) << "root reads it";
    EXPECT_TRUE(FileContainsPhrase(-1, secret.c_str(), MakeStringVariants(QString()), 0));
}

TEST_F(ContentSearchTest, NoLinkIsFollowedToAnythingButARegularFile)
{
    MakeFifo("fifo");
    MakeLink("to-fifo", "fifo");
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, Abs("fifo").c_str(), IN_OPEN), 0);
    char events[4096];
    const int handle = open(Abs("fifo").c_str(), O_PATH | O_CLOEXEC);
    close(handle);
    if (read(watch, events, sizeof events) > 0) {
        close(watch);
        GTEST_SKIP() << "this kernel reports bare handles as opens";
    }
    const int folder = open(RootBytes().c_str(), O_RDONLY | O_DIRECTORY);
    const TPhraseSearch search(MakeStringVariants(QStringLiteral("needle")), 0);
    EXPECT_FALSE(search.FileContainsPhrase(folder, "to-fifo", true)) << "a listed link leads to a FIFO";
    EXPECT_FALSE(search.FileContainsPhrase(folder, "to-fifo", false)) << "a file swapped for a link";
    EXPECT_LE(read(watch, events, sizeof events), 0) << "the FIFO was opened";
    EXPECT_FALSE(search.FileContainsPhrase(folder, "fifo", false)) << "a file swapped for a FIFO";
    close(folder);
    close(watch);
}

TEST_F(ContentSearchTest, AFileIsReadNoFurtherThanTheSizeItHadWhenOpened)
{
    MakeFile("growing", std::string(2 * ContentBlockSize, 'x'));
    const TStringVariants needle = MakeStringVariants(QStringLiteral("needle"));
    const std::string path = Abs("growing");
    bool appended = false;
    const TReadMonitor appendOnce = [&] {
        if (!appended) {
            std::FILE *f = std::fopen(path.c_str(), "ab");
            appended = f && std::fputs("needle", f) >= 0 && std::fclose(f) == 0;
        }
        return true;
    };
    EXPECT_FALSE(FileContainsPhrase(-1, path.c_str(), needle, 0, appendOnce));
    EXPECT_TRUE(appended);
    EXPECT_TRUE(FileContainsPhrase(-1, path.c_str(), needle, 0)) << "read again, it has grown";

    // Kernel files say 0 and read on, some without end.
    int asked = 0;
    const TReadMonitor count = [&] { return ++asked > 0; };
    EXPECT_FALSE(FileContainsPhrase(-1, "/proc/self/status", MakeStringVariants(QStringLiteral("Name")),
                                    0, count));
    EXPECT_EQ(asked, 0) << "a file whose size is 0 is not read";
}

TEST_F(ContentSearchTest, AStopBetweenBlocksEndsTheRead)
{
    MakeFile("long", std::string(2 * ContentBlockSize, 'x') + "needle");
    int asked = 0;
    const TReadMonitor stopAtSecond = [&] { return ++asked < 2; };
    EXPECT_FALSE(FileContainsPhrase(-1, Abs("long").c_str(), MakeStringVariants(QStringLiteral("needle")),
                                    0, stopAtSecond));
    EXPECT_EQ(asked, 2);
}

// Sparse files of gigabytes read fast from memory and take no room there.
class HugeFileTest : public ContentSearchTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(HugeFileTest, AnAbortFromTheProgressEventEndsTheReadInsideAHugeFile)
{
    MakeSparseWithTail("huge.txt", 8LL << 30, "needle");
    TFindFile finder;
    finder.Criteria().Files().SetLocation(Root());
    finder.Criteria().Content().SetPhrase(QStringLiteral("needle"));
    int progress = 0, hits = 0;
    bool aborted = false;
    finder.OnSearchProgress = [&](TFindFile &f) {
        ++progress;
        f.Abort();
    };
    finder.OnSearchAbort = [&](TFindFile &) { aborted = true; };
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) { ++hits; };
    const long long before = BytesRead();
    finder.Execute();
    const long long read = BytesRead() - before;
    EXPECT_TRUE(aborted);
    EXPECT_EQ(progress, 1);
    EXPECT_EQ(hits, 0);
    if (before >= 0) {
        EXPECT_LT(read, 2LL << 30) << "the read went on after the abort";
    }
}

TEST_F(ContentSearchTest, ASearchWithAPhraseListsOnlyFilesThatHoldIt)
{
    MakeFile("yes.txt", "has the Needle inside");
    MakeFile("no.txt", "nothing here");
    MakeFifo("pipe");
    MakeFolder("needle-folder");
    MakeLink("link.txt", "yes.txt");
    TFindFile finder;
    finder.Criteria().Files().SetLocation(Root());
    finder.Criteria().Attributes().SetDirectory(fsIgnore);
    finder.Criteria().Attributes().SetSystem(fsIgnore);
    finder.Criteria().Content().SetPhrase(QStringLiteral("needle"));
    std::vector<std::string> hits;
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &hit) {
        hits.push_back(hit.Name.toStdString());
    };
    finder.Execute();
    std::sort(hits.begin(), hits.end());
    EXPECT_EQ(hits, (std::vector<std::string>{"link.txt", "yes.txt"}));
}

} // namespace
