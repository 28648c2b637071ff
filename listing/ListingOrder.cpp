#include "listing/ListingOrder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

namespace listing {

std::vector<int> ListingRowOrder(const explorer::TFileList &list, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    collator.setNumericMode(false);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(list.FileData.size());
    for (const explorer::TFileData &d : list.FileData)
        keys.push_back(collator.sortKey(d.FullName()));

    std::vector<int> order(list.FileData.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const bool dirA = list.FileData[size_t(a)].Directory;
        const bool dirB = list.FileData[size_t(b)].Directory;
        if (dirA != dirB)
            return dirA;
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });
    return order;
}

} // namespace listing
