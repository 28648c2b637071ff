#pragma once
// A report as three parts: the lines before the rows, the lines of a run of
// rows, and the lines after them. Cut that way, the rows of a large listing
// can be written in chunks on several threads and still come out in order,
// byte for byte what one thread writes.

#include "explorer/FieldFormat.h"
#include "listing/ReportSource.h"
#include "listing/StampTexts.h"

#include <QByteArray>
#include <functional>

namespace listing {

struct TReportParts {
    std::function<void(const TLineSink &sink)> Head;
    // The lines of rows First to Last (exclusive) of the order. Called on
    // several threads at once, each with its own Times; keeps nothing
    // between calls.
    std::function<void(const TLineSink &sink, size_t first, size_t last, TStampTexts &times)> Rows;
    std::function<void(const TLineSink &sink)> Tail;
    size_t RowCount = 0;
    const explorer::TRegionalFormats *Formats = nullptr;  // for each thread's Times
    TTimeStyle TimeStyle = tsLocale;
};

// Parts with no lines before or after the rows, sized for Source; the caller
// sets Rows.
TReportParts RowsOnly(const TReportSource &source);

// Writes the whole report, line by line, on this thread.
void WriteParts(const TReportParts &parts, const TLineSink &sink);

// Turns a line into the bytes of a file, its line end included. Called on
// several threads at once: it keeps nothing between calls.
using TLineEncoder = std::function<void(QByteArray &out, const QString &line)>;
// Takes the report's bytes in order, on the calling thread; it may throw to
// stop the report (no chunk follows).
using TByteSink = std::function<void(const QByteArray &bytes)>;

// Writes the report as encoded bytes: the rows in chunks, made and encoded
// on up to Threads threads (this one included), handed to Sink in order.
// A few chunks at most are held at once, whatever the size of the listing.
void WriteEncodedParts(const TReportParts &parts, const TLineEncoder &encode, const TByteSink &sink, int threads);

} // namespace listing
