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
    case ecName: return d.Name;
    case ecExt: return d.Ext();
    case ecAttr: return AttributesToText(d.Attributes);
    default: return QString();
    }
}

// A row as the sort sees it: everything a comparison needs, side by side,
// so that sorting a large folder does not wander through the records.
struct TSortRow {
    int Index;
    bool Directory;
    bool Parent;
    int64_t Size;
    double Modified;
    const QString *Text;          // the column's text (C locale)
    const QCollatorSortKey *Key;  // its collation key (other locales)
};

} // namespace

std::vector<int> SortExplorerRows(const TFileList &list, std::vector<int> rows, int column,
                                  TSortDirection direction, const QLocale &locale)
{
    const bool byText = column == ecName || column == ecExt || column == ecAttr;
    // The C locale collates by code units: the texts serve as their keys.
    const bool ordinal = locale.language() == QLocale::C;
    std::vector<QString> texts;
    std::vector<QCollatorSortKey> keys;
    if (byText) {
        QCollator collator(locale);
        collator.setCaseSensitivity(Qt::CaseSensitive);
        texts.reserve(list.FileData.size());
        for (const TFileData &d : list.FileData)
            texts.push_back(ColumnText(d, column));
        if (!ordinal) {
            keys.reserve(texts.size());
            for (const QString &text : texts)
                keys.push_back(collator.sortKey(text));
        }
    }
    std::vector<TSortRow> sortRows;
    sortRows.reserve(rows.size());
    for (const int i : rows) {
        const TFileData &d = list.FileData[size_t(i)];
        sortRows.push_back({i, d.Directory, IsParentEntry(d), d.Size, d.Modified,
                            byText ? &texts[size_t(i)] : nullptr,
                            byText && !ordinal ? &keys[size_t(i)] : nullptr});
    }

    const bool ascending = direction == sdAscending;
    // The comparison as the table's handler gives it; the table reverses
    // it for a descending sort, so rules that follow the direction keep
    // folders first either way and the parent row moves.
    auto result = [&](const TSortRow &e1, const TSortRow &e2) {
        if (e1.Directory != e2.Directory)
            return e1.Directory == ascending ? -1 : 1;
        if (e1.Parent)
            return -1;
        if (e2.Parent)
            return 1;
        switch (column) {
        case ecName:
        case ecExt:
        case ecAttr: return e1.Key ? Sign(e1.Key->compare(*e2.Key)) : Sign(e1.Text->compare(*e2.Text));
        case ecSize: return Sign(e1.Size - e2.Size);
        case ecTimestamp: return Sign(e1.Modified - e2.Modified);
        default: return 0;
        }
    };
    std::stable_sort(sortRows.begin(), sortRows.end(), [&](const TSortRow &a, const TSortRow &b) {
        const int r = result(a, b);
        return ascending ? r < 0 : r > 0;
    });
    for (size_t i = 0; i < sortRows.size(); ++i)
        rows[i] = sortRows[i].Index;
    return rows;
}

} // namespace explorer
