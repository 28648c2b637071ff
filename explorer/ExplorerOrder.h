#pragma once
// The order of the explorer's rows for each sort column and direction:
// folders first in both directions, the parent row first when ascending and
// last among the folders when descending, and rows that compare equal
// keeping their present order (a stable merge sort), also while unsorted.

#include "explorer/FileData.h"

#include <QLocale>
#include <vector>

namespace explorer {

enum TSortDirection { sdAscending = 0, sdDescending = 1 };

// Sort columns: 0 name, 1 extension, 2 size, 3 modified, 4 attributes,
// -1 unsorted.
constexpr int NoSortColumn = -1;

// The rows (entry indexes) in their present order, sorted anew. Collation
// keys are made once per row for the text columns, never per comparison.
std::vector<int> SortExplorerRows(const TFileList &list, std::vector<int> rows, int column,
                                  TSortDirection direction, const QLocale &locale);

// The incremental-search compare: the first min(|typed|, |name|) units
// with only a-z folded to upper case; 0 when they agree, else the
// difference of the first units that differ.
int IncrementalSearchCompare(const QString &typed, const QString &name);

} // namespace explorer
