#include "engine/PhraseSearch.h"

#include "engine/CharTables.h"
#include "engine/PhraseScanner.h"
#include "platform/AnsiCodePage.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <vector>

namespace engine {

namespace {

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
        // A phrase Windows-1252 cannot hold has no 8-bit form: its "?"
        // stand-ins would find question marks.
        if (variants.Ansi.count('?') == variants.Unicode.count(QLatin1Char('?')))
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

bool TPhraseSearch::FileContainsPhrase(int folderFd, const char *name, bool followLink,
                                       const TReadMonitor &monitor, int *error) const
{
    platform::TRegularFile file;
    const int openError = file.Open(folderFd, name, followLink);
    // Gone since the walk saw it, or swapped for something that is not a
    // regular file (a link refused, a FIFO): nothing of the file was missed.
    const bool missed = openError != 0 && openError != ENOENT && openError != EINVAL && openError != ELOOP;
    if (error)
        *error = missed ? openError : 0;
    if (openError != 0 || file.Size() == 0)
        return false;
    bool stopped = false;
    auto mayRead = [&] {
        stopped = stopped || (monitor && !monitor());
        return !stopped;
    };
    if (!mayRead())
        return false;
    // The first block's first bytes tell the encoding, and the scan begins
    // on that block where it lies.
    thread_local std::vector<uint8_t> first(ContentBlockSize);
    const size_t firstLength = file.Read(first.data(), ContentBlockSize);
    const TContent content{first.data(), firstLength, [&](uint8_t *buffer, size_t count) -> size_t {
                               return mayRead() ? file.Read(buffer, count) : 0;
                           }};
    const TEncoding encoding = DetectEncoding(first.data(), firstLength);
    const size_t mark = MarkLength(encoding);
    bool found = false;
    switch (encoding) {
    case TEncoding::Utf16LE: found = fLittleEndian->Scan(content, mark); break;
    case TEncoding::Utf16BE: found = fBigEndian->Scan(content, mark); break;
    case TEncoding::Utf8: found = fUtf8->Scan(content, mark); break;
    case TEncoding::Ansi: found = fUnmarked->Scan(content, mark); break;
    }
    if (error && !found && !stopped)
        *error = file.ReadError();
    // What was read before a stop may hold the phrase; a stopped search
    // reports nothing more, so say no.
    return found && !stopped;
}

bool FileContainsPhrase(int folderFd, const char *name, const TStringVariants &variants,
                        TContentSearchOptions options, const TReadMonitor &monitor)
{
    if (variants.Unicode.isEmpty())
        return true;
    return TPhraseSearch(variants, options).FileContainsPhrase(folderFd, name, true, monitor);
}

} // namespace engine
