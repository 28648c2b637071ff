#include "engine/AttributesCriteria.h"

namespace engine {

namespace {

uint32_t BitOf(int index)
{
    return uint32_t(1) << (index - 1);
}

} // namespace

void TAttributesCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TAttributesCriteria>(source, "TAttributesCriteria");
    fOnAttributes = s.fOnAttributes;
    fOffAttributes = s.fOffAttributes;
    fAnyOnAttributes = s.fAnyOnAttributes;
    fAnyOffAttributes = s.fAnyOffAttributes;
}

void TAttributesCriteria::Clear()
{
    fOnAttributes = fOffAttributes = fAnyOnAttributes = fAnyOffAttributes = 0;
}

bool TAttributesCriteria::Matches(uint32_t attr) const
{
    return (attr & fOnAttributes) == fOnAttributes
           && (attr & fOffAttributes) == 0
           && (fAnyOnAttributes == 0 || (attr & fAnyOnAttributes) != 0)
           && (fAnyOffAttributes == 0 || (attr & fAnyOffAttributes) != fAnyOffAttributes);
}

TFileAttributeStatus TAttributesCriteria::GetAttributeStatus(int index) const
{
    const uint32_t bit = BitOf(index);
    if (fOnAttributes & bit)
        return fsSet;
    if (fOffAttributes & bit)
        return fsUnset;
    if (fAnyOnAttributes & bit)
        return fsAnySet;
    if (fAnyOffAttributes & bit)
        return fsAnyUnset;
    return fsIgnore;
}

void TAttributesCriteria::SetAttributeStatus(int index, TFileAttributeStatus value)
{
    const uint32_t bit = BitOf(index);
    fOnAttributes &= ~bit;
    fOffAttributes &= ~bit;
    fAnyOnAttributes &= ~bit;
    fAnyOffAttributes &= ~bit;
    switch (value) {
    case fsSet: fOnAttributes |= bit; break;
    case fsUnset: fOffAttributes |= bit; break;
    case fsAnySet: fAnyOnAttributes |= bit; break;
    case fsAnyUnset: fAnyOffAttributes |= bit; break;
    case fsIgnore: break;
    }
}

} // namespace engine
