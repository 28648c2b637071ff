#pragma once
// The listing as JSON Lines, for programs: one object a line for each row,
// in the report's row order, with the entry's fields as values rather than
// texts:
//   {"path":"/data/b.txt","name":"b","ext":"txt","type":"file","size":1536,
//    "modified":"2024-05-01T12:00:00+02:00","created":"...","accessed":"...",
//    "attributes":128}
// Names are written exactly: a byte that was not UTF-8 becomes "\udcXX", so
// a reader that maps such surrogates back to bytes (Python's
// "surrogateescape") gets the name the file system holds.

#include "listing/ListingOptions.h"
#include "listing/ReportParts.h"
#include "listing/ReportSource.h"

namespace listing {

// Style tsUtc writes the stamps in UTC, any other ISO 8601 with the local
// offset. The source's columns are not looked at: every field is written.
TReportParts JsonParts(TTimeStyle style, const TReportSource &source);

// Appends Text as a JSON string, quotes included.
void AppendJsonString(QString &out, QStringView text);

} // namespace listing
