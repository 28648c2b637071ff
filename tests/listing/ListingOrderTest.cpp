#include "SampleListing.h"

#include <gtest/gtest.h>
#include <random>

using namespace explorer;
using namespace listing;

namespace {

std::vector<std::string> Ordered(const TFileList &list, const QLocale &locale)
{
    std::vector<std::string> names;
    for (const int i : ListingRowOrder(list, locale))
        names.push_back(list.FileData[size_t(i)].FullName().toStdString());
    return names;
}

using Names = std::vector<std::string>;

TEST(ListingOrder, FoldersComeFirstThenFilesEachByFullName)
{
    EXPECT_EQ(Ordered(SampleListing(), QLocale::c()),
              (Names{"/data/old", "/data/old/deep", "/data/.profile", "/data/README", "/data/b.txt",
                     "/data/old/deep/x,y&<z>.tar.gz"}));
}

TEST(ListingOrder, TheUsersCollationDecidesLetterCaseAndEqualNamesKeepTheirOrder)
{
    TFileList list;
    list.FileData.push_back(SampleEntry("/d/", "b", 1, 0, 0));
    list.FileData.push_back(SampleEntry("/d/", "B", 2, 0, 0));
    list.FileData.push_back(SampleEntry("/d/", "a", 3, 0, 0));
    list.FileData.push_back(SampleEntry("/d/", "b", 4, 0, 0));
    list.FileData.push_back(SampleEntry("/c/", "z", 5, 0x10, 0));
    auto sizes = [&](const QLocale &locale) {
        std::vector<int64_t> s;
        for (const int i : ListingRowOrder(list, locale))
            s.push_back(list.FileData[size_t(i)].Size);
        return s;
    };
    EXPECT_EQ(sizes(QLocale::c()), (std::vector<int64_t>{5, 2, 3, 1, 4})) << "code units: B before a";
    EXPECT_EQ(sizes(QLocale(QStringLiteral("en_US"))), (std::vector<int64_t>{5, 3, 1, 4, 2}))
        << "collation: a, b, b, B";
}

TEST(ListingOrder, ComparingAcrossFoldersLooksAtTheWholeName)
{
    TFileList list;
    list.FileData.push_back(SampleEntry("/a/b/", "c", 1, 0, 0));
    list.FileData.push_back(SampleEntry("/a/", "b", 2, 0, 0));
    list.FileData.push_back(SampleEntry("/a/", "b-c", 3, 0, 0));
    list.FileData.push_back(SampleEntry("/a/b", "", 4, 0, 0));
    EXPECT_EQ(Ordered(list, QLocale::c()), (Names{"/a/b", "/a/b", "/a/b-c", "/a/b/c"}));
}

TEST(ListingOrder, SeveralThreadsSortAsOneDoes)
{
    const TFileList list = LargeSampleListing(100, 300);
    for (const QLocale &locale : {QLocale::c(), QLocale(QStringLiteral("en_US"))}) {
        const std::vector<int> alone = ListingRowOrder(list, locale, 1);
        EXPECT_EQ(ListingRowOrder(list, locale, 2), alone) << locale.name().toStdString();
        EXPECT_EQ(ListingRowOrder(list, locale, 5), alone) << locale.name().toStdString();
    }
}

// Full names built and compared whole, directories first: what the C
// locale's order must be, however the rows' folder texts are stored.
std::vector<int> ReferenceOrder(const TFileList &list)
{
    std::vector<int> order(list.FileData.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const TFileData &x = list.FileData[size_t(a)], &y = list.FileData[size_t(b)];
        if (x.Directory != y.Directory)
            return x.Directory;
        return x.FullName().compare(y.FullName()) < 0;
    });
    return order;
}

TEST(ListingOrder, CodeUnitOrderHoldsForFoldersInsideFoldersAndOddlyStoredTexts)
{
    // Pieces that sort just below, at and above "/", letters in both cases,
    // and characters outside the first plane (two code units each).
    const QStringList pieces = {QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("/"), QStringLiteral("-"),
                                QStringLiteral("."), QStringLiteral("0"), QStringLiteral("\u00e9"),
                                QString::fromUtf8("\xF0\x9F\x92\xA9"), QStringLiteral("\uffff")};
    std::mt19937 random(17);
    const auto text = [&](int maxPieces) {
        QString t;
        for (int n = int(random() % unsigned(maxPieces + 1)); n > 0; --n)
            t += pieces[int(random() % unsigned(pieces.size()))];
        return t;
    };
    // One buffer whose beginnings serve as folder texts of their own: the
    // same storage with different lengths.
    static const QString buffer = QStringLiteral("/a/a/a/B/a");
    for (int round = 0; round < 200; ++round) {
        TFileList list;
        std::vector<QString> folders;
        for (int f = 0; f < 12; ++f) {
            QString folder = f > 0 && random() % 2 ? folders[random() % folders.size()] + text(3) : text(6);
            folders.push_back(folder);
        }
        for (int e = 0; e < 150; ++e) {
            TFileData d;
            switch (random() % 4) {
            case 0: d.Location = QString::fromRawData(buffer.constData(), qsizetype(random() % 11)); break;
            case 1: {  // the same text in storage of its own
                const QString &folder = folders[random() % folders.size()];
                d.Location = QString(folder.constData(), folder.size());
                break;
            }
            default: d.Location = folders[random() % folders.size()]; break;  // shared storage
            }
            d.Name = text(3);
            d.Directory = random() % 3 == 0;
            d.Size = e;
            list.FileData.push_back(d);
        }
        const std::vector<int> expected = ReferenceOrder(list);
        ASSERT_EQ(ListingRowOrder(list, QLocale::c()), expected) << "round " << round;
    }
}

TEST(ListingOrder, CodeUnitOrderHoldsForTreesOfFoldersAndForNamesThatLookLikePaths)
{
    // Components with characters just below, at and above "/" and beyond
    // the first plane; folders inside folders, some without rows of their
    // own, and names that begin like a neighbouring folder ("a-b", "a.b"
    // beside "a/").
    const QStringList parts = {QStringLiteral("a"), QStringLiteral("a-b"), QStringLiteral("a.b"), QStringLiteral("a0"),
                               QStringLiteral("B"), QStringLiteral("\u00e9"), QString::fromUtf8("\xF0\x9F\x92\xA9")};
    std::mt19937 random(29);
    const auto part = [&] { return parts[int(random() % unsigned(parts.size()))]; };
    for (int round = 0; round < 300; ++round) {
        std::vector<QString> folders{QStringLiteral("/r/")};
        for (int f = 0; f < 15; ++f)
            folders.push_back(folders[random() % folders.size()] + part() + QLatin1Char('/'));
        TFileList list;
        for (int e = 0; e < 120; ++e) {
            TFileData d;
            const QString &folder = folders[random() % folders.size()];
            d.Location = random() % 5 ? folder : QString(folder.constData(), folder.size());
            d.Name = random() % 8 ? part() + (random() % 2 ? part() : QString()) : QString();
            d.Directory = random() % 3 == 0;
            list.FileData.push_back(d);
        }
        // Now and then a name with a "/" in it, which no file system gives
        // but which must still sort by its whole name.
        if (round % 4 == 0)
            list.FileData[random() % list.FileData.size()].Name = part() + QLatin1Char('/') + part();
        const std::vector<int> expected = ReferenceOrder(list);
        ASSERT_EQ(ListingRowOrder(list, QLocale::c()), expected) << "round " << round;
    }
    // Large enough to be shared out among threads: many folders, and one
    // folder that holds most of the list.
    const TFileList large = LargeSampleListing(300, 200);
    EXPECT_EQ(ListingRowOrder(large, QLocale::c(), 3), ReferenceOrder(large));
    TFileList flat;
    const QString folder = QStringLiteral("/flat/");
    for (int i = 0; i < 40000; ++i) {
        TFileData d;
        d.Location = i % 1000 ? folder : folder + QStringLiteral("inner/");
        d.Name = QString::number((i * 7919) % 20000) + (i % 3 ? QStringLiteral(".txt") : QStringLiteral("-b"));
        flat.FileData.push_back(d);
    }
    EXPECT_EQ(ListingRowOrder(flat, QLocale::c(), 2), ReferenceOrder(flat));
}

} // namespace
