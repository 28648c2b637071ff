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

// Code-unit comparison of A1 + A2 with B1 + B2, without building either.
int CompareJoined(QStringView a1, QStringView a2, QStringView b1, QStringView b2)
{
    const QStringView pa[2] = {a1, a2}, pb[2] = {b1, b2};
    int ia = 0, ib = 0;
    QStringView ra = pa[0], rb = pb[0];
    for (;;) {
        while (ra.isEmpty() && ia < 1)
            ra = pa[++ia];
        while (rb.isEmpty() && ib < 1)
            rb = pb[++ib];
        if (ra.isEmpty() || rb.isEmpty())
            return ra.isEmpty() ? (rb.isEmpty() ? 0 : -1) : 1;
        const qsizetype n = std::min(ra.size(), rb.size());
        if (const int c = ra.left(n).compare(rb.left(n)))
            return c;
        ra = ra.mid(n);
        rb = rb.mid(n);
    }
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
    // Rows: those of List, in its order.
    TFolderRanks(const explorer::TFileList &list, std::vector<TRow> &rows)
    {
        // Entries of one folder nearly always share its text's storage.
        // Each row's Folder holds the index of its text at first.
        std::unordered_map<const QChar *, std::vector<int32_t>> byData;
        std::vector<QStringView> texts;
        const QChar *lastData = nullptr;
        qsizetype lastSize = -1;
        int32_t lastText = -1;
        size_t i = 0;
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
            rows[i++].Folder = lastText;
        }
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
    // Outer's folder text begins Inner's: what follows it decides.
    int InnerCompare(const TRow &outer, const TRow &inner) const
    {
        const QStringView innerFolder = fTexts[size_t(inner.Folder)];
        return CompareJoined(QStringView(), outer.Name(), innerFolder.mid(fTexts[size_t(outer.Folder)].size()),
                             inner.Name());
    }

    std::vector<QStringView> fTexts;  // by rank
    std::vector<int32_t> fLast;       // the last rank whose text begins with this one
};

using TRowIterator = std::vector<TRow>::iterator;

// std::stable_sort with the range cut into one part per thread, each part
// sorted on a thread of its own and the parts merged, stably, pair by pair.
template <class Less>
void StableSort(TRowIterator first, TRowIterator last, Less less, int threads)
{
    // Below this a thread costs more than it saves.
    constexpr ptrdiff_t MinimumPart = 16384;
    const ptrdiff_t count = last - first;
    if (threads < 2 || count < 2 * MinimumPart) {
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

std::vector<TRow> RowsOf(const explorer::TFileList &list)
{
    std::vector<TRow> rows;
    rows.reserve(list.FileData.size());
    int32_t index = 0;
    for (const TFileData &d : list.FileData) {
        const bool parent = d.ImageIndex == explorer::iiParent;
        const QStringView name = parent ? QStringView() : QStringView(d.Name);
        rows.push_back({name.data(), int32_t(name.size()), index++, 0, d.Directory});
    }
    return rows;
}

// Folders first, then files, each group sorted stably on its own.
template <class Less>
std::vector<int> SortedRows(std::vector<TRow> rows, Less less, int threads)
{
    const auto files =
        std::stable_partition(rows.begin(), rows.end(), [](const TRow &r) { return r.Directory; });
    StableSort(rows.begin(), files, less, threads);
    StableSort(files, rows.end(), less, threads);
    std::vector<int> order;
    order.reserve(rows.size());
    for (const TRow &r : rows)
        order.push_back(r.Index);
    return order;
}

} // namespace

std::vector<int> ListingRowOrder(const explorer::TFileList &list, const QLocale &locale, int threads)
{
    std::vector<TRow> rows = RowsOf(list);
    if (locale.language() == QLocale::C) {
        const TFolderRanks folders(list, rows);
        return SortedRows(
            std::move(rows), [&folders](const TRow &a, const TRow &b) { return folders.Less(a, b); }, threads);
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.FileData.size());
    for (const TFileData &d : list.FileData)
        keys.push_back(collator.sortKey(d.FullName()));
    return SortedRows(
        std::move(rows),
        [&](const TRow &a, const TRow &b) { return keys[size_t(a.Index)].compare(keys[size_t(b.Index)]) < 0; },
        threads);
}

} // namespace listing
