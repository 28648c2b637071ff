#pragma once
// What the command panel says about a listing, and what the List page says
// about its reports. The defaults are the window's initial values.

#include <QString>

namespace listing {

struct TListingOptions {
    bool ClearPrevious = true;    // "Clear previous list"
    bool Recurse = false;         // "Recurse subdirectories"
    bool ListUnticked = false;    // "List unchecked sibling objects"
    bool ListDirs = true;         // "List directories"
    bool ListFiles = true;        // "List files"
    QString FileMask = QStringLiteral("*.*");
    QString Phrase;               // "containing"; empty: no content condition
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
