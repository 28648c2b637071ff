#include "listing/ListingOrder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <system_error>
#include <thread>

namespace listing {

namespace {

using explorer::TFileData;

// A row to sort, kept small since a million of them are sorted at once.
// For the C locale Folder is the rank of the row's folder text among all
// the folder texts of the list (see TFolderRanks); with collation keys it
// is not used.
struct TRow {
    const QChar *NameData;
    int32_t NameSize;
    int32_t Index;
    int32_t Folder;
    bool Directory;
    QStringView Name() const { return QStringView(NameData, NameSize); }
};

// Code-unit comparison of two short texts, such as two names: a plain loop
// beats the library's call, which is made for long texts.
int CompareShort(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = a.utf16(), *pb = b.utf16();
    for (qsizetype i = 0; i < n; ++i)
        if (pa[i] != pb[i])
            return pa[i] < pb[i] ? -1 : 1;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

using TRowIterator = std::vector<TRow>::iterator;

// Rows a thread sorts at least: below this a thread costs more than it saves.
constexpr size_t MinimumPart = 16384;

// std::stable_sort with the range cut into one part per thread, each part
// sorted on a thread of its own and the parts merged, stably, pair by pair.
template <class Less>
void StableSort(TRowIterator first, TRowIterator last, Less less, int threads)
{
    const ptrdiff_t count = last - first;
    if (threads < 2 || count < 2 * ptrdiff_t(MinimumPart)) {
        std::stable_sort(first, last, less);
        return;
    }
    const TRowIterator middle = first + count / 2;
    std::thread lower;
    try {
        lower = std::thread([&] { StableSort(first, middle, less, threads / 2); });
    } catch (const std::system_error &) {
        std::stable_sort(first, last, less);  // no thread to be had: alone
        return;
    }
    StableSort(middle, last, less, threads - threads / 2);
    lower.join();
    std::inplace_merge(first, middle, last, less);
}

// The folder texts of a list in code-unit order, so that comparing two full
// names mostly comes down to comparing two numbers. Folders whose texts are
// equal share a rank. The texts that begin with a given text follow it in
// one run, which Last records: if A ranks before B and B lies beyond A's
// run, A differs from B within A's length, and every name in A comes before
// every name in B. Only a folder and a folder inside it need their
// characters compared, and then only past the shared start.
class TFolderRanks {
public:
    // Texts: the folder texts of Rows, each row's Folder an index into it
    // (see RowsOf); ranks replace the indexes.
    TFolderRanks(const std::vector<QStringView> &texts, std::vector<TRow> &rows)
    {
        std::vector<int32_t> sorted(texts.size());
        std::iota(sorted.begin(), sorted.end(), 0);
        std::sort(sorted.begin(), sorted.end(),
                  [&](int32_t a, int32_t b) { return texts[size_t(a)].compare(texts[size_t(b)]) < 0; });
        std::vector<int32_t> rankOfText(texts.size());
        for (size_t k = 0; k < sorted.size(); ++k) {
            const QStringView text = texts[size_t(sorted[k])];
            if (fTexts.empty() || fTexts.back() != text)
                fTexts.push_back(text);
            rankOfText[size_t(sorted[k])] = int32_t(fTexts.size() - 1);
        }
        fLast.resize(fTexts.size());
        std::vector<int32_t> open;  // each text begins with the one below it
        for (int32_t r = 0; r < int32_t(fTexts.size()); ++r) {
            while (!open.empty() && !fTexts[size_t(r)].startsWith(fTexts[size_t(open.back())])) {
                fLast[size_t(open.back())] = r - 1;
                open.pop_back();
            }
            open.push_back(r);
        }
        for (const int32_t r : open)
            fLast[size_t(r)] = int32_t(fTexts.size()) - 1;
        for (TRow &row : rows)
            row.Folder = rankOfText[size_t(row.Folder)];
        fFoldersEndInSlash = std::all_of(fTexts.begin(), fTexts.end(),
                                         [](QStringView text) { return text.endsWith(u'/'); });
    }

    // Sorts a run of rows by full name, stably.
    void Sort(TRowIterator first, TRowIterator last, int threads) const
    {
        if (fFoldersEndInSlash && SortAsTree(first, last, threads))
            return;
        StableSort(first, last, [this](const TRow &a, const TRow &b) { return Less(a, b); }, threads);
    }

    // Code-unit order of the full names of A and B.
    bool Less(const TRow &a, const TRow &b) const
    {
        if (a.Folder == b.Folder)
            return CompareShort(a.Name(), b.Name()) < 0;
        if (a.Folder < b.Folder)
            return b.Folder > fLast[size_t(a.Folder)] || InnerCompare(a, b) < 0;
        return a.Folder <= fLast[size_t(b.Folder)] && InnerCompare(b, a) > 0;
    }

private:
    // Where every folder text ends in "/" and no name holds one, a full
    // name splits into folder and name in one way only, and no name of a
    // folder begins with what the text of a folder inside it adds (which
    // holds a "/"): the rows of a folder can be sorted by name alone and
    // the folders inside it put among them whole, each where what its text
    // adds would go as a name.
    // That reads each name a few times instead of in every comparison of a
    // sort of the whole list. False, with the rows unchanged, where a name
    // holds a "/".
    bool SortAsTree(TRowIterator first, TRowIterator last, int threads) const
    {
        const size_t ranks = fTexts.size();
        // The rows by folder, in their order (a counting sort); Start[r] is
        // where folder r's rows begin.
        std::vector<size_t> start(ranks + 1, 0);
        for (TRowIterator it = first; it != last; ++it)
            ++start[size_t(it->Folder) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        std::vector<TRow> byFolder(size_t(last - first));
        std::vector<size_t> next(start.begin(), start.end() - 1);
        for (TRowIterator it = first; it != last; ++it)
            byFolder[next[size_t(it->Folder)]++] = *it;
        if (!SortEachFolder(byFolder, start, threads))
            return false;
        // Each folder's rows, with the folders inside it (each one's own
        // rows and those inside it: a run of ranks) put among them.
        struct TFrame {
            int32_t Rank;
            size_t Row;        // the next of its own rows
            int32_t NextInner; // the next folder directly inside it
        };
        std::vector<TFrame> frames;
        TRowIterator out = first;
        const auto rowsIn = [&](int32_t rank) {  // its own and those of the folders inside it
            return start[size_t(fLast[size_t(rank)]) + 1] - start[size_t(rank)];
        };
        for (int32_t top = 0; top < int32_t(ranks); top = fLast[size_t(top)] + 1) {
            if (rowsIn(top) != 0)
                frames.push_back({top, start[size_t(top)], top + 1});
            while (!frames.empty()) {
                TFrame &frame = frames.back();
                const int32_t rank = frame.Rank;
                const size_t end = start[size_t(rank) + 1];
                if (frame.NextInner <= fLast[size_t(rank)]) {
                    const int32_t inner = frame.NextInner;
                    frame.NextInner = fLast[size_t(inner)] + 1;
                    if (rowsIn(inner) == 0)
                        continue;
                    const QStringView rest = fTexts[size_t(inner)].mid(fTexts[size_t(rank)].size());
                    while (frame.Row < end && CompareShort(byFolder[frame.Row].Name(), rest) < 0)
                        *out++ = byFolder[frame.Row++];
                    frames.push_back({inner, start[size_t(inner)], inner + 1});
                    continue;
                }
                while (frame.Row < end)
                    *out++ = byFolder[frame.Row++];
                frames.pop_back();
            }
        }
        return true;
    }

    // Sorts the rows of each folder by name, stably, the folders shared out
    // among the threads; false if a name holds a "/".
    static bool SortEachFolder(std::vector<TRow> &byFolder, const std::vector<size_t> &start, int threads)
    {
        const auto byName = [](const TRow &a, const TRow &b) { return CompareShort(a.Name(), b.Name()) < 0; };
        const auto first = [&](size_t rank) { return byFolder.begin() + ptrdiff_t(start[rank]); };
        const auto last = [&](size_t rank) { return byFolder.begin() + ptrdiff_t(start[rank + 1]); };
        const auto holdsSlash = [&](size_t rank) {
            return std::any_of(first(rank), last(rank), [](const TRow &row) { return row.Name().contains(u'/'); });
        };
        // A folder of many entries is sorted by all threads together (one
        // folder may be the whole list); the others are shared out whole.
        const auto large = [&](size_t rank) { return threads > 1 && start[rank + 1] - start[rank] >= 2 * MinimumPart; };
        const auto sortFolders = [&](size_t firstRank, size_t lastRank) {
            bool slash = false;
            for (size_t r = firstRank; r < lastRank; ++r) {
                if (large(r))
                    continue;
                std::stable_sort(first(r), last(r), byName);
                slash = slash || holdsSlash(r);
            }
            return !slash;
        };
        const size_t ranks = start.size() - 1, rows = byFolder.size();
        const size_t parts = std::max<size_t>(1, std::min(size_t(std::max(threads, 1)), rows / MinimumPart));
        // Part p takes the folders whose rows begin in its share of the rows.
        std::vector<size_t> bounds{0};
        for (size_t p = 1; p < parts; ++p)
            bounds.push_back(size_t(std::upper_bound(start.begin(), start.end() - 1, rows * p / parts) - start.begin()) - 1);
        bounds.push_back(ranks);
        std::vector<char> sound(parts, 1);
        std::vector<std::thread> helpers;
        for (size_t p = 1; p < parts; ++p) {
            try {
                helpers.emplace_back([&, p] { sound[p] = sortFolders(bounds[p], bounds[p + 1]); });
            } catch (const std::system_error &) {
                sound[p] = sortFolders(bounds[p], bounds[p + 1]);  // no thread to be had
            }
        }
        sound[0] = sortFolders(bounds[0], bounds[1]);
        for (std::thread &helper : helpers)
            helper.join();
        bool ok = std::all_of(sound.begin(), sound.end(), [](char part) { return part != 0; });
        for (size_t r = 0; r < ranks && ok; ++r) {
            if (large(r)) {
                StableSort(first(r), last(r), byName, threads);
                ok = !holdsSlash(r);
            }
        }
        return ok;
    }

    // Outer's folder text begins Inner's: Outer's name decides against
    // what Inner's folder text adds, followed by Inner's name.
    int InnerCompare(const TRow &outer, const TRow &inner) const
    {
        const QStringView name = outer.Name();
        const QStringView added = fTexts[size_t(inner.Folder)].mid(fTexts[size_t(outer.Folder)].size());
        const qsizetype n = std::min(name.size(), added.size());
        if (const int c = name.left(n).compare(added.left(n)))
            return c;
        if (name.size() > added.size())
            return name.mid(n).compare(inner.Name());
        return name.size() < added.size() || !inner.Name().isEmpty() ? -1 : 0;
    }

    std::vector<QStringView> fTexts;  // by rank
    std::vector<int32_t> fLast;       // the last rank whose text begins with this one
    bool fFoldersEndInSlash = false;
};

// The rows of List in its order, each with the index of its folder's text
// in Texts, which holds each text once.
std::vector<TRow> RowsOf(const explorer::TFileList &list, std::vector<QStringView> &texts)
{
    std::vector<TRow> rows;
    rows.reserve(list.FileData.size());
    // Entries of one folder nearly always share its text's storage.
    std::unordered_map<const QChar *, std::vector<int32_t>> byData;
    const QChar *lastData = nullptr;
    qsizetype lastSize = -1;
    int32_t lastText = -1;
    int32_t index = 0;
    for (const TFileData &d : list.FileData) {
        const QStringView location = d.Location;
        if (location.data() != lastData || location.size() != lastSize) {
            lastData = location.data();
            lastSize = location.size();
            std::vector<int32_t> &known = byData[lastData];
            lastText = -1;
            for (const int32_t t : known)
                if (texts[size_t(t)].size() == lastSize)
                    lastText = t;
            if (lastText < 0) {
                lastText = int32_t(texts.size());
                texts.push_back(location);
                known.push_back(lastText);
            }
        }
        const bool parent = d.ImageIndex == explorer::iiParent;
        const QStringView name = parent ? QStringView() : QStringView(d.Name);
        rows.push_back({name.data(), int32_t(name.size()), index++, lastText, d.Directory});
    }
    return rows;
}

// Folders first, then files, each group sorted stably on its own by
// SortGroup(first, last).
template <class SortGroup>
std::vector<int> SortedRows(std::vector<TRow> rows, SortGroup sortGroup)
{
    const auto files =
        std::stable_partition(rows.begin(), rows.end(), [](const TRow &r) { return r.Directory; });
    sortGroup(rows.begin(), files);
    sortGroup(files, rows.end());
    std::vector<int> order;
    order.reserve(rows.size());
    for (const TRow &r : rows)
        order.push_back(r.Index);
    return order;
}

} // namespace

std::vector<int> ListingRowOrder(const explorer::TFileList &list, const QLocale &locale, int threads)
{
    std::vector<QStringView> texts;
    std::vector<TRow> rows = RowsOf(list, texts);
    if (locale.language() == QLocale::C) {
        const TFolderRanks folders(texts, rows);
        return SortedRows(std::move(rows),
                          [&](TRowIterator first, TRowIterator last) { folders.Sort(first, last, threads); });
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.FileData.size());
    for (const TFileData &d : list.FileData)
        keys.push_back(collator.sortKey(d.FullName()));
    const auto less = [&](const TRow &a, const TRow &b) {
        return keys[size_t(a.Index)].compare(keys[size_t(b.Index)]) < 0;
    };
    return SortedRows(std::move(rows), [&](TRowIterator first, TRowIterator last) { StableSort(first, last, less, threads); });
}

} // namespace listing
