#include "explorer/ExplorerOrder.h"

#include "explorer/FieldFormat.h"

#include <QCollator>
#include <algorithm>

namespace explorer {

namespace {

bool IsParentEntry(const TFileData &d)
{
    return d.Directory && d.Name.compare(QLatin1String(".."), Qt::CaseInsensitive) == 0;
}

template <class T>
int Sign(T value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// The text a column sorts by, when it sorts by text.
QString ColumnText(const TFileData &d, int column)
{
    switch (column) {
    case 0: return d.Name;
    case 1: return d.Ext();
    case 4: return AttributesToText(d.Attributes);
    default: return QString();
    }
}

// Keys for the text columns: collation keys, or (in the C locale, whose
// collation is by code units) the texts themselves.
class TTextKeys {
public:
    TTextKeys(const TFileList &list, int column, const QLocale &locale) : fOrdinal(locale.language() == QLocale::C)
    {
        if (column != 0 && column != 1 && column != 4)
            return;
        QCollator collator(locale);
        collator.setCaseSensitivity(Qt::CaseSensitive);
        fTexts.reserve(list.FileData.size());
        if (!fOrdinal)
            fKeys.reserve(list.FileData.size());
        for (const TFileData &d : list.FileData) {
            if (fOrdinal)
                fTexts.push_back(ColumnText(d, column));
            else
                fKeys.push_back(collator.sortKey(ColumnText(d, column)));
        }
    }
    int Compare(int a, int b) const
    {
        if (fOrdinal)
            return Sign(fTexts[size_t(a)].compare(fTexts[size_t(b)]));
        return Sign(fKeys[size_t(a)].compare(fKeys[size_t(b)]));
    }

private:
    bool fOrdinal;
    std::vector<QString> fTexts;
    std::vector<QCollatorSortKey> fKeys;
};

} // namespace

std::vector<int> SortExplorerRows(const TFileList &list, std::vector<int> rows, int column,
                                  TSortDirection direction, const QLocale &locale)
{
    const TTextKeys keys(list, column, locale);
    const bool ascending = direction == sdAscending;
    // The comparison as the table's handler gives it; the table reverses
    // it for a descending sort, so rules that follow the direction keep
    // folders first either way and the parent row moves.
    auto result = [&](int a, int b) {
        const TFileData &e1 = list.FileData[size_t(a)];
        const TFileData &e2 = list.FileData[size_t(b)];
        if (e1.Directory != e2.Directory)
            return e1.Directory == ascending ? -1 : 1;
        if (IsParentEntry(e1))
            return -1;
        if (IsParentEntry(e2))
            return 1;
        switch (column) {
        case 0:
        case 1:
        case 4: return keys.Compare(a, b);
        case 2: return Sign(e1.Size - e2.Size);
        case 3: return Sign(e1.Modified - e2.Modified);
        default: return 0;
        }
    };
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int r = result(a, b);
        return ascending ? r < 0 : r > 0;
    });
    return rows;
}

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

} // namespace explorer
