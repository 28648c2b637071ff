#pragma once
// What the command panel says about a listing, and what the List page says
// about its reports. The defaults are the window's initial values.

#include "platform/FileTime.h"

#include <QString>
#include <cstdint>

namespace listing {

// A bound on a time stamp: a reading of the local clock, which is how the
// engine compares stamps. Where the user named an instant (a time with an
// offset) it is kept as well, since around a change of the clocks one
// reading can stand for two instants.
struct TTimeBound {
    platform::TDateTime Local = 0;  // 0: no bound
    bool HasInstant = false;
    int64_t InstantMs = 0;  // milliseconds since 1970-01-01 00:00 UTC
};

// What tamarel-list can ask of a listing beyond the command panel. The
// defaults are the window's listing: every depth, size and date, the phrase
// in any letter case, and no dot-named entries.
struct TSelectionOptions {
    int MinDepth = 0;   // folders below the listed one; 0 is its own entries
    int MaxDepth = -1;  // -1: no limit; at most MaxDepthLimit
    int64_t MinSize = 0;   // bytes; 0 is no bound
    int64_t MaxSize = -1;  // bytes; -1 is no bound, 0 lists only empty entries
    TTimeBound ModifiedFrom;    // modified at or after
    TTimeBound ModifiedBefore;  // modified strictly before
    bool Hidden = false;  // dot-named entries listed and dot-named folders entered
    bool CaseSensitive = false;
    bool WholeWord = false;
    QString Exclude;  // masks separated by ";": such names are neither listed nor entered
    bool OneFileSystem = false;  // folders on other file systems listed, not entered

    // The walk counts levels in 16 bits, the listed folder being level 1.
    static constexpr int MaxDepthLimit = 65534;
};

struct TListingOptions {
    bool ClearPrevious = true;    // "Clear previous list"
    bool Recurse = false;         // "Recurse subdirectories"
    bool ListUnticked = false;    // "List unchecked sibling objects"
    bool ListDirs = true;         // "List directories"
    bool ListFiles = true;        // "List files"
    QString FileMask = QStringLiteral("*.*");
    QString Phrase;               // "containing"; empty: no content condition
    TSelectionOptions Selection;  // the window leaves it as it is
    // Threads that read the folders, the listing's own included; 0: one per
    // processor. The list, its order and every event are the same for any
    // number.
    int Workers = 0;
};

struct TColumnOptions {
    bool Path = true;
    bool Name = true;
    bool Ext = true;
    bool Size = true;
    bool Created = false;
    bool Modified = true;
    bool Accessed = false;
    bool Attributes = true;
    bool Separate = false;  // path, name and extension as three fields
};

// How reports write time stamps: the locale's text, as the window's reports
// do; ISO 8601 with the stamp's local offset, 2024-05-01T12:00:00+02:00; or
// ISO 8601 in UTC, 2024-05-01T10:00:00Z.
enum TTimeStyle { tsLocale = 0, tsIso = 1, tsUtc = 2 };

struct THtmlLayout {
    bool Grid = true;
    QString GridColor = QStringLiteral("#808080");
    QString HeaderColor = QStringLiteral("#0080C0");
    QString HeaderFontColor = QStringLiteral("#FFFFFF");
    QString CellColor = QStringLiteral("#FFFFFF");
    QString CellFontColor = QStringLiteral("#000000");
    QString Title;
    bool Tree = false;  // indent the separate Name cells by depth
    QString Charset = QStringLiteral("utf-8");
};

} // namespace listing
