#include "explorer/IncrementalSearch.h"

#include <algorithm>

namespace explorer {

int IncrementalSearchCompare(const QString &typed, const QString &name)
{
    auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
    const qsizetype n = std::min(typed.size(), name.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int a = fold(typed.at(i).unicode()), b = fold(name.at(i).unicode());
        if (a != b)
            return a - b;
    }
    return 0;
}

int TIncrementalSearch::Find(const QString &typed, int focusedRow, int rowCount,
                             const std::function<const QString &(int row)> &nameOf)
{
    if (typed.isEmpty() || rowCount <= 0)
        return -1;
    if (!fSinceTyped.isValid() || fSinceTyped.elapsed() > fInterval)
        fTyped.clear();
    fSinceTyped.restart();
    fTyped += typed;
    const int start = focusedRow >= 0 ? focusedRow : 0;
    const int first = fTyped.size() == 1 ? start + 1 : start;
    for (int i = 0; i < rowCount; ++i) {
        const int row = (first + i) % rowCount;
        if (IncrementalSearchCompare(fTyped, nameOf(row)) == 0)
            return row;
    }
    return -1;
}

} // namespace explorer
