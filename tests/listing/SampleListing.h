#pragma once
// A small listing with fixed values, for report tests that must not depend
// on the file system, the time zone or the user's locale.

#include "explorer/FileData.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingOrder.h"

inline explorer::TFileData SampleEntry(const char *location, const char *name, int64_t size,
                                       int32_t attributes, platform::TDateTime modified)
{
    explorer::TFileData d;
    d.Location = QString::fromUtf8(location);
    d.Name = QString::fromUtf8(name);
    d.Size = size;
    d.Attributes = attributes;
    d.Directory = attributes & 0x10;
    d.ImageIndex = d.Directory ? explorer::iiFolder : explorer::iiFile;
    d.Modified = modified;
    d.Created = modified - 1;
    d.Accessed = modified + 0.5;
    return d;
}

// The formats of the examples: day.month.year and a 24-hour clock.
inline explorer::TRegionalFormats SampleFormats()
{
    explorer::TRegionalFormats f;
    f.Locale = QLocale::c();
    f.ShortDateFormat = QStringLiteral("d.M.yyyy");
    f.LongTimeFormat = QStringLiteral("H:mm:ss");
    return f;
}

inline explorer::TFileList SampleListing()
{
    using platform::EncodeDateTime;
    explorer::TFileList list;
    list.Location = QStringLiteral("/data/");
    list.FileData.push_back(SampleEntry("/data/", "b.txt", 1536, 0x20, EncodeDateTime(2015, 3, 5, 14, 7, 9)));
    list.FileData.push_back(SampleEntry("/data/", "old", 0, 0x10, EncodeDateTime(2015, 3, 4, 9, 12, 40)));
    list.FileData.push_back(SampleEntry("/data/", "README", 511, 0x80, EncodeDateTime(2015, 3, 6, 0, 0, 0, 500)));
    list.FileData.push_back(SampleEntry("/data/old/deep/", "x,y&<z>.tar.gz", 512, 0x21,
                                        EncodeDateTime(2016, 1, 2, 3, 4, 5)));
    list.FileData.push_back(SampleEntry("/data/old/", "deep", 0, 0x10, EncodeDateTime(2016, 1, 1, 12)));
    list.FileData.push_back(SampleEntry("/data/", ".profile", 0, 0x02, EncodeDateTime(2014, 12, 31, 23, 59, 59)));
    return list;
}

// A listing too large for one thread to sort or write alone: folders and
// files of many folders, names that collate apart from their code units,
// and every entry twice, so that equal rows must keep their order.
inline explorer::TFileList LargeSampleListing(int folders, int filesPerFolder)
{
    explorer::TFileList list;
    for (int f = 0; f < folders; ++f) {
        const QByteArray folder = "/data/" + QByteArray::number((f * 7919) % folders) + "/";
        for (int copy = 0; copy < 2; ++copy)
            list.FileData.push_back(SampleEntry("/data/", QByteArray::number((f * 7919) % folders), copy, 0x10,
                                                40000 + f));
        for (int i = 0; i < filesPerFolder; ++i) {
            const QByteArray name = (i % 3 ? "F" : "e\xcc\x81") + QByteArray::number((i * 31) % filesPerFolder);
            for (int copy = 0; copy < 2; ++copy)
                list.FileData.push_back(
                    SampleEntry(folder.constData(), name.constData(), copy * 1000 + i, 0x20, 40000 + i * 0.25 + copy));
        }
    }
    return list;
}
