#pragma once
// The listing as bare full paths, one a row in the report's row order, for
// other programs to open: "/data/b.txt", a folder without its trailing "/".
// The paths keep the bytes that were not UTF-8 (as NameCodec's escapes), so
// that whoever writes them out can give the file system its own names back;
// how a path ends (a line break, a NUL) is the writer's choice.

#include "listing/ReportParts.h"
#include "listing/ReportSource.h"

namespace listing {

TReportParts PathParts(const TReportSource &source);

} // namespace listing
