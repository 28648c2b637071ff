#pragma once
// The order of the listing's rows, which every report follows too: folders
// first, then files, each by full name in the user's collation (letter case
// counts), records that compare equal in the order they were found.

#include "explorer/FileData.h"

#include <QLocale>
#include <vector>

namespace listing {

// Record indexes in row order. Collation keys are made once per record, not
// in every comparison, so a million rows sort in seconds; the C locale
// collates by code units and needs no keys at all. Threads share the
// sorting (the order is the same for any number).
std::vector<int> ListingRowOrder(const explorer::TFileList &list, const QLocale &locale, int threads = 1);

} // namespace listing
