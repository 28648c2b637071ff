#include "listing/ListingOrder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace listing {

namespace {

using explorer::TFileData;

// A row to sort: its full name as the two stored parts, held right here so
// that comparing touches neither the records nor a built full name.
struct TRow {
    QStringView Location;
    QStringView Name;
    int Index;
    bool Directory;
};

// Ordinal comparison of two full names given in parts; the C locale's
// collation is exactly this. Entries of one folder share their location's
// text, so most comparisons look at the names alone.
int CompareOrdinal(const TRow &a, const TRow &b)
{
    if (a.Location.data() == b.Location.data() && a.Location.size() == b.Location.size())
        return a.Name.compare(b.Name);
    const QStringView pa[2] = {a.Location, a.Name}, pb[2] = {b.Location, b.Name};
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

// Folders first, then files, each group sorted stably on its own.
template <class Less>
std::vector<int> SortedRows(const explorer::TFileList &list, Less less)
{
    std::vector<TRow> rows;
    rows.reserve(list.FileData.size());
    int index = 0;
    for (const TFileData &d : list.FileData) {
        const bool parent = d.ImageIndex == explorer::iiParent;
        rows.push_back({d.Location, parent ? QStringView() : QStringView(d.Name), index++, d.Directory});
    }
    const auto files =
        std::stable_partition(rows.begin(), rows.end(), [](const TRow &r) { return r.Directory; });
    std::stable_sort(rows.begin(), files, less);
    std::stable_sort(files, rows.end(), less);
    std::vector<int> order;
    order.reserve(rows.size());
    for (const TRow &r : rows)
        order.push_back(r.Index);
    return order;
}

} // namespace

std::vector<int> ListingRowOrder(const explorer::TFileList &list, const QLocale &locale)
{
    if (locale.language() == QLocale::C) {
        return SortedRows(list, [](const TRow &a, const TRow &b) {
            return CompareOrdinal(a, b) < 0;
        });
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.FileData.size());
    for (const TFileData &d : list.FileData)
        keys.push_back(collator.sortKey(d.FullName()));
    return SortedRows(list, [&](const TRow &a, const TRow &b) {
        return keys[size_t(a.Index)].compare(keys[size_t(b.Index)]) < 0;
    });
}

} // namespace listing
