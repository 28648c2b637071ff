#pragma once
// Finding a phrase in a file's content, in whichever of its encodings the
// file holds: told by a byte-order mark, else both the 8-bit (Windows-1252)
// form and the UTF-8 form in one pass, since nearly every text file on Linux
// is UTF-8 without a mark.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace engine {

using TContentSearchOptions = unsigned;
enum : TContentSearchOptions { csoCaseSensitive = 1, csoWholeWord = 2 };

// The phrase in the three encodings a file may hold, unfolded; made once per
// change of the phrase.
struct TStringVariants {
    QByteArray Ansi;  // characters Windows-1252 lacks are "?"
    QString Unicode;
    QByteArray Utf8;
};

TStringVariants MakeStringVariants(const QString &phrase);

class TByteScanner;
class TWideScanner;

// Asked before each block of a file is read: false stops the read, and the
// file then counts as not holding the phrase. The search engine answers
// from the run's stop flag, so a stop is seen inside a file of any size.
using TReadMonitor = std::function<bool()>;

// The scanners for one phrase and set of options, made once and used for
// every file of a search.
class TPhraseSearch {
public:
    TPhraseSearch(const TStringVariants &variants, TContentSearchOptions options);
    ~TPhraseSearch();
    TPhraseSearch(const TPhraseSearch &) = delete;
    TPhraseSearch &operator=(const TPhraseSearch &) = delete;

    // Name is opened relative to FolderFd (or as a path when FolderFd is
    // -1), through a link only when FollowLink says so. Only regular files
    // are read, up to the size they had when opened: a FIFO, socket, device
    // or folder is a non-match and is never opened. A file that cannot be
    // opened or read is a non-match too, and Error, when given, gets the
    // errno (0 otherwise): what was not read may have held the phrase. A
    // name that is gone or no longer a regular file is no error. Nothing
    // here throws for a file's sake.
    bool FileContainsPhrase(int folderFd, const char *name, bool followLink,
                            const TReadMonitor &monitor = nullptr, int *error = nullptr) const;

private:
    std::unique_ptr<TByteScanner> fUnmarked;  // no mark: Windows-1252 and UTF-8 forms
    std::unique_ptr<TByteScanner> fUtf8;
    std::unique_ptr<TWideScanner> fLittleEndian;
    std::unique_ptr<TWideScanner> fBigEndian;
};

bool FileContainsPhrase(int folderFd, const char *name, const TStringVariants &variants,
                        TContentSearchOptions options, const TReadMonitor &monitor = nullptr);

// The size of the blocks a file is read in.
constexpr size_t ContentBlockSize = 61440;

} // namespace engine
