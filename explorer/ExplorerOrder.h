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

// The explorer table's columns, by their index (which is not their place:
// the user may drag them around). A column's index is also what sorting by
// it is called, in the header menu's tags as in the stored sort state.
enum TExplorerColumn { ecName = 0, ecExt = 1, ecSize = 2, ecTimestamp = 3, ecAttr = 4, ExplorerColumnCount };
// The sort column while the rows are unsorted.
constexpr int NoSortColumn = -1;

// The rows (entry indexes) in their present order, sorted anew. Collation
// keys are made once per row for the text columns, never per comparison.
std::vector<int> SortExplorerRows(const TFileList &list, std::vector<int> rows, int column,
                                  TSortDirection direction, const QLocale &locale);

} // namespace explorer
