#include "SampleListing.h"

#include <gtest/gtest.h>

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

} // namespace
