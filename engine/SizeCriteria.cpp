#include "engine/SizeCriteria.h"

namespace engine {

void TSizeCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TSizeCriteria>(source, "TSizeCriteria");
    Min = s.Min;
    Max = s.Max;
}

} // namespace engine
