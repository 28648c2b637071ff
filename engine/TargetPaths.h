#pragma once
// The folders a search walks, each with its own masks and recursion, built
// from the file part of the criteria.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

class TTargetPath {
public:
    QString Folder;  // absolute, ending in "/"
    bool Recursive = false;
    uint16_t MinLevel = 0;
    uint16_t MaxLevel = 0;  // 0: no limit

    // In the order added; a mask already present in any letter case is not
    // added again.
    const QStringList &FileMasks() const { return fFileMasks; }
    void AddFileMask(const QString &mask);

private:
    QStringList fFileMasks;
};

// A folder with the settings its prefix gave it ("2>/data", "1-3>/data",
// "</data"; see ParseFolderInfo).
struct TFolderInfo {
    QString Folder;
    bool Recursive;
    int MinLevel;
    int MaxLevel;
};

// Reads the optional level prefix of Info ("2>", "1-3>", "<"), then gives
// the folder absolute with a closing "/". When the whole text is the name of
// a folder that exists, no prefix is looked for, so that folders named
// "x>y" or "a-b<c" can still be listed.
TFolderInfo ParseFolderInfo(const QString &info, bool recursive, int minLevel, int maxLevel);

class TTargetPaths {
public:
    int Count() const { return int(fItems.size()); }
    TTargetPath &operator[](int index) const { return *fItems[size_t(index)]; }

    // The item with exactly this folder (file systems tell case apart).
    TTargetPath *Find(const QString &folder) const;

    // A folder with an optional prefix, searched with all the masks given
    // ("*.*" when there are none). An item that exists already takes the
    // settings of the latest call and gains the masks.
    TTargetPath &AddFolderAndMasks(const QString &folderInfo, const QStringList *fileMasks,
                                   bool recursive, int minLevel, int maxLevel);

    // A line "PREFIX FOLDER/MASK": "/data/*.txt" is /data/ with *.txt,
    // "/data/" is the whole folder, "/data" the entry named data in "/",
    // unless /data as a whole names an existing folder.
    TTargetPath &AddPath(const QString &pathInfo, bool recursive, int minLevel, int maxLevel);

private:
    TTargetPath &AddParsed(const TFolderInfo &parsed);
    std::vector<std::unique_ptr<TTargetPath>> fItems;
};

// Cuts at every separator, trims blanks and control characters, drops empty
// pieces and pieces repeated with the given case sensitivity.
QStringList SplitList(const QString &text, QChar separator,
                      Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive);

// True when the text, trimmed and made absolute, names an existing folder.
bool NamesExistingFolder(const QString &text);

// Trims characters 0 to 32 from both ends.
QString TrimControls(const QString &text);

} // namespace engine
