#include "engine/ContentSearch.h"

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

int OpenRegularFile(int folderFd, const char *name)
{
    // Ask before opening, so that no device is ever opened, and again after,
    // in case the entry was replaced meanwhile.
    struct stat st {};
    const int dirFd = folderFd >= 0 ? folderFd : AT_FDCWD;
    if (fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode))
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

TEncoding DetectEncoding(const uint8_t *b, size_t n, size_t &markLength)
{
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        markLength = 2;
        return TEncoding::Utf16LE;
    }
    if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        markLength = 2;
        return TEncoding::Utf16BE;
    }
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        markLength = 3;
        return TEncoding::Utf8;
    }
    markLength = 0;
    return TEncoding::Ansi;
}

std::vector<uint8_t> Bytes(const QByteArray &text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

TByteScanner MakeByteScanner(TEncoding encoding, const TStringVariants &variants,
                             TContentSearchOptions options)
{
    const bool caseSensitive = options & csoCaseSensitive;
    const bool wholeWord = options & csoWholeWord;
    std::vector<TBytePattern> patterns;
    if (encoding == TEncoding::Utf8) {
        patterns.push_back({Bytes(variants.Utf8), TWordRule::Utf8});
    } else if (variants.Ansi == variants.Utf8) {
        patterns.push_back({Bytes(variants.Ansi), TWordRule::AnsiOrUtf8});
    } else {
        patterns.push_back({Bytes(variants.Ansi), TWordRule::Ansi});
        patterns.push_back({Bytes(variants.Utf8), TWordRule::Utf8});
    }
    return TByteScanner(std::move(patterns), caseSensitive, wholeWord);
}

} // namespace

TStringVariants MakeStringVariants(const QString &phrase)
{
    return TStringVariants{platform::EncodeAnsi(phrase), phrase, phrase.toUtf8()};
}

bool FileContainsPhrase(int folderFd, const char *name, const TStringVariants &variants,
                        TContentSearchOptions options)
{
    if (variants.Unicode.isEmpty())
        return true;
    TFile file(OpenRegularFile(folderFd, name));
    if (file.Fd() < 0)
        return false;

    std::vector<uint8_t> block(ContentBlockSize);
    const size_t first = file.Read(block.data(), block.size());
    size_t markLength = 0;
    const TEncoding encoding = DetectEncoding(block.data(), first, markLength);
    auto readMore = [&file](uint8_t *buffer, size_t count) { return file.Read(buffer, count); };

    if (encoding == TEncoding::Utf16LE || encoding == TEncoding::Utf16BE) {
        TWideScanner scanner(variants.Unicode, options & csoCaseSensitive, options & csoWholeWord,
                             encoding == TEncoding::Utf16BE);
        return scanner.Scan(block, markLength, first, readMore);
    }
    TByteScanner scanner = MakeByteScanner(encoding, variants, options);
    return scanner.Scan(block, markLength, first, readMore);
}

} // namespace engine
