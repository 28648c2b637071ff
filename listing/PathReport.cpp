#include "listing/PathReport.h"

namespace listing {

void WritePathList(const TLineSink &sink, const TReportSource &source)
{
    for (const int index : source.Order)
        sink(source.List.FileData[size_t(index)].FullName());
}

} // namespace listing
