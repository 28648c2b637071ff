#include "listing/PathReport.h"

namespace listing {

TReportParts PathParts(const TReportSource &source)
{
    TReportParts parts = RowsOnly(source);
    parts.Rows = [source](const TLineSink &sink, size_t first, size_t last, TStampTexts &) {
        for (size_t row = first; row < last; ++row)
            sink(source.List.FileData[size_t(source.Order[row])].FullName());
    };
    return parts;
}

} // namespace listing
