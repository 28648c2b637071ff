#pragma once
// The records every listing of the program is made of: the folder shown in
// the explorer and the built listing alike.

#include "platform/FileTime.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <deque>
#include <vector>

namespace explorer {

using platform::TDateTime;

enum TImageIndex { iiParent = 0, iiFolder = 1, iiFile = 2 };

// The full name is kept as folder and name: all entries of one folder share
// the folder's text, which keeps a listing of millions of entries small.
struct TFileData {
    QString Location;    // "/data/sub/"; for the parent entry its whole full name
    QString Name;        // last component; ".." for the parent entry
    int64_t Size = 0;
    TDateTime Created = 0;
    TDateTime Modified = 0;
    TDateTime Accessed = 0;
    int32_t Attributes = 0;
    bool Directory = false;
    bool Selected = false;  // the check mark: included when a listing is built
    uint8_t RepeatedTimes = 0;  // engine::rtCreated...: stamps that are a second showing
    int32_t ImageIndex = iiFile;
    int NodePointer = -1;   // the table row showing the entry; -1 until rows exist

    // "/data/sub/b.txt"; a folder's has no trailing "/"; the parent entry's
    // is the parent folder with its "/".
    QString FullName() const { return ImageIndex == iiParent ? Location : Location + Name; }
    // After the extension dot, at most 255 characters; empty for "..".
    QString Ext() const;
};

// Records are kept in a deque: it grows in blocks without ever moving what
// it holds, so a listing of millions of entries needs neither copies nor
// spare room, and its length is always exactly the number of records.
using TFileDataArray = std::deque<TFileData>;

class TFileList {
public:
    QString LastLocation;  // Location before the latest refill
    QString Location;      // ends in "/"
    TFileDataArray FileData;

    // Index of the first record with exactly this full name (file systems
    // tell "Readme" from "README"), or -1. Indexed on first use; call
    // Changed() after adding, removing or renaming records.
    int FindObjectIndex(const QString &fullName) const;
    // The same for the full name Location + Name ("/data/" and "b.txt"),
    // without building it: a listing asks this for every hit.
    int FindObjectIndex(const QString &location, const QString &name) const;
    void Changed() { fIndexValid = false; }

private:
    void BuildIndex() const;

    // Records by the last component of their full name, each chained to the
    // next record with that component. Keyed by the records' own name texts,
    // so the index copies no string: a folder of a million entries is
    // indexed in a few megabytes.
    mutable QHash<QString, int> fIndex;
    mutable std::vector<int> fNextSameName;
    mutable bool fIndexValid = false;
    mutable size_t fIndexedCount = 0;
};

} // namespace explorer
