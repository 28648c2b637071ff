#include "listing/ListingOrder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>
#include <system_error>
#include <thread>

namespace listing {

namespace {

using explorer::TFileData;

// A row to sort: its full name as the two stored parts, held right here so
// that comparing touches neither the records nor a built full name. Kept
// small, since a million of them are sorted at once.
struct TRow {
    const QChar *LocationData;
    const QChar *NameData;
    int32_t LocationSize;
    int32_t NameSize;
    int32_t Index;
    bool Directory;
    QStringView Location() const { return QStringView(LocationData, LocationSize); }
    QStringView Name() const { return QStringView(NameData, NameSize); }
};

// Ordinal comparison of two full names given in parts; the C locale's
// collation is exactly this. Entries of one folder share their location's
// text, so most comparisons look at the names alone.
int CompareOrdinal(const TRow &a, const TRow &b)
{
    if (a.LocationData == b.LocationData && a.LocationSize == b.LocationSize)
        return a.Name().compare(b.Name());
    const QStringView pa[2] = {a.Location(), a.Name()}, pb[2] = {b.Location(), b.Name()};
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

// Folders first, then files, each group sorted stably on its own.
template <class Less>
std::vector<int> SortedRows(const explorer::TFileList &list, Less less, int threads)
{
    std::vector<TRow> rows;
    rows.reserve(list.FileData.size());
    int32_t index = 0;
    for (const TFileData &d : list.FileData) {
        const bool parent = d.ImageIndex == explorer::iiParent;
        const QStringView name = parent ? QStringView() : QStringView(d.Name);
        rows.push_back({d.Location.constData(), name.data(), int32_t(d.Location.size()), int32_t(name.size()),
                        index++, d.Directory});
    }
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
    if (locale.language() == QLocale::C) {
        return SortedRows(
            list, [](const TRow &a, const TRow &b) { return CompareOrdinal(a, b) < 0; }, threads);
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.FileData.size());
    for (const TFileData &d : list.FileData)
        keys.push_back(collator.sortKey(d.FullName()));
    return SortedRows(
        list,
        [&](const TRow &a, const TRow &b) { return keys[size_t(a.Index)].compare(keys[size_t(b.Index)]) < 0; },
        threads);
}

} // namespace listing
