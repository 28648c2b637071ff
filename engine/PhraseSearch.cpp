#include "engine/PhraseSearch.h"

#include "engine/CharTables.h"
#include "engine/PhraseScanner.h"
#include "platform/AnsiCodePage.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace engine {

namespace {

class TFile {
public:
    explicit TFile(int fd) : fFd(fd) {}
    ~TFile()
    {
        if (fFd >= 0)
            close(fFd);
    }
    TFile(const TFile &) = delete;
    TFile &operator=(const TFile &) = delete;
    int Fd() const { return fFd; }

    // Fills up to Count bytes, retrying interrupted and short reads; 0 at
    // the end, and at a read error, which ends the scan like the end.
    size_t Read(uint8_t *buffer, size_t count)
    {
        size_t done = 0;
        while (done < count) {
            const ssize_t n = read(fFd, buffer + done, count - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += size_t(n);
        }
        return done;
    }

private:
    int fFd;
};

int OpenRegularFile(int folderFd, const char *name, bool knownRegular)
{
    // Ask before opening, unless the walk has just seen a regular file, so
    // that no device is ever opened; and ask again after, in case the entry
    // was replaced meanwhile.
    struct stat st {};
    const int dirFd = folderFd >= 0 ? folderFd : AT_FDCWD;
    if (!knownRegular && (fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)))
        return -1;
    const int fd = openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

enum class TEncoding { Ansi, Utf16LE, Utf16BE, Utf8 };

size_t MarkLength(TEncoding encoding)
{
    switch (encoding) {
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE: return 2;
    case TEncoding::Utf8: return 3;
    case TEncoding::Ansi: break;
    }
    return 0;
}

TEncoding DetectEncoding(const uint8_t *b, size_t n)
{
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE)
        return TEncoding::Utf16LE;
    if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF)
        return TEncoding::Utf16BE;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return TEncoding::Utf8;
    return TEncoding::Ansi;
}

std::vector<uint8_t> Bytes(const QByteArray &text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace

TStringVariants MakeStringVariants(const QString &phrase)
{
    return TStringVariants{platform::EncodeAnsi(phrase), phrase, phrase.toUtf8()};
}

TPhraseSearch::TPhraseSearch(const TStringVariants &variants, TContentSearchOptions options)
{
    const bool caseSensitive = options & csoCaseSensitive;
    const bool wholeWord = options & csoWholeWord;
    std::vector<TBytePattern> unmarked;
    if (variants.Ansi == variants.Utf8) {
        unmarked.push_back({Bytes(variants.Ansi), TWordRule::AnsiOrUtf8});
    } else {
        unmarked.push_back({Bytes(variants.Ansi), TWordRule::Ansi});
        unmarked.push_back({Bytes(variants.Utf8), TWordRule::Utf8});
    }
    fUnmarked = std::make_unique<TByteScanner>(std::move(unmarked), caseSensitive, wholeWord);
    fUtf8 = std::make_unique<TByteScanner>(
        std::vector<TBytePattern>{{Bytes(variants.Utf8), TWordRule::Utf8}}, caseSensitive, wholeWord);
    fLittleEndian = std::make_unique<TWideScanner>(variants.Unicode, caseSensitive, wholeWord, false);
    fBigEndian = std::make_unique<TWideScanner>(variants.Unicode, caseSensitive, wholeWord, true);
}

TPhraseSearch::~TPhraseSearch() = default;

bool TPhraseSearch::FileContainsPhrase(int folderFd, const char *name, bool knownRegular) const
{
    TFile file(OpenRegularFile(folderFd, name, knownRegular));
    if (file.Fd() < 0)
        return false;
    uint8_t head[3];
    const ssize_t headLength = pread(file.Fd(), head, sizeof head, 0);
    const TEncoding encoding = DetectEncoding(head, headLength > 0 ? size_t(headLength) : 0);
    const TReadMore readMore = [&file](uint8_t *buffer, size_t count) {
        return file.Read(buffer, count);
    };
    const size_t mark = MarkLength(encoding);
    switch (encoding) {
    case TEncoding::Utf16LE: return fLittleEndian->Scan(readMore, mark);
    case TEncoding::Utf16BE: return fBigEndian->Scan(readMore, mark);
    case TEncoding::Utf8: return fUtf8->Scan(readMore, mark);
    case TEncoding::Ansi: break;
    }
    return fUnmarked->Scan(readMore, mark);
}

bool FileContainsPhrase(int folderFd, const char *name, const TStringVariants &variants,
                        TContentSearchOptions options)
{
    if (variants.Unicode.isEmpty())
        return true;
    return TPhraseSearch(variants, options).FileContainsPhrase(folderFd, name);
}

} // namespace engine
