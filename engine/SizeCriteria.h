#pragma once

#include "engine/CustomCriteria.h"

#include <cstdint>

namespace engine {

// Inclusive byte bounds; 0 is not set. Folders have size 0, so Min = 1 keeps
// them out.
class TSizeCriteria : public TCustomCriteria {
public:
    void Assign(const TCustomCriteria &source) override;
    void Clear() override { Min = Max = 0; }
    bool Matches(int64_t size) const
    {
        return (Min == 0 || size >= Min) && (Max == 0 || size <= Max);
    }

    int64_t Min = 0;
    int64_t Max = 0;
};

} // namespace engine
