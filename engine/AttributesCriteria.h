#pragma once
// Which attribute bits an entry must have or lack, kept as four masks and
// presented per attribute. A bit is in at most one mask.

#include "engine/CustomCriteria.h"
#include "platform/FindData.h"

#include <cstdint>

namespace engine {

enum TFileAttributeStatus { fsIgnore = 0, fsSet = 1, fsUnset = 2, fsAnySet = 3, fsAnyUnset = 4 };

class TAttributesCriteria : public TCustomCriteria {
public:
    // Fresh criteria keep hidden entries, system entries and folders out.
    TAttributesCriteria() = default;

    void Assign(const TCustomCriteria &source) override;
    // Every attribute to fsIgnore, which is not the state after construction.
    void Clear() override;
    bool Matches(uint32_t attr) const;

    // The property index of an attribute is its bit position plus one
    // (Readonly 1, Hidden 2, ..., Virtual 17).
    TFileAttributeStatus GetAttributeStatus(int index) const;
    void SetAttributeStatus(int index, TFileAttributeStatus value);

#define TAMAREL_ATTRIBUTE_PROPERTY(Name, Index)                                  \
    TFileAttributeStatus Name() const { return GetAttributeStatus(Index); }     \
    void Set##Name(TFileAttributeStatus value) { SetAttributeStatus(Index, value); }
    TAMAREL_ATTRIBUTE_PROPERTY(Readonly, 1)
    TAMAREL_ATTRIBUTE_PROPERTY(Hidden, 2)
    TAMAREL_ATTRIBUTE_PROPERTY(System, 3)
    TAMAREL_ATTRIBUTE_PROPERTY(Directory, 5)
    TAMAREL_ATTRIBUTE_PROPERTY(Archive, 6)
    TAMAREL_ATTRIBUTE_PROPERTY(Device, 7)
    TAMAREL_ATTRIBUTE_PROPERTY(Normal, 8)
    TAMAREL_ATTRIBUTE_PROPERTY(Temporary, 9)
    TAMAREL_ATTRIBUTE_PROPERTY(SparseFile, 10)
    TAMAREL_ATTRIBUTE_PROPERTY(ReparsePoint, 11)
    TAMAREL_ATTRIBUTE_PROPERTY(Compressed, 12)
    TAMAREL_ATTRIBUTE_PROPERTY(Offline, 13)
    TAMAREL_ATTRIBUTE_PROPERTY(NotContentIndexed, 14)
    TAMAREL_ATTRIBUTE_PROPERTY(Encrypted, 15)
    TAMAREL_ATTRIBUTE_PROPERTY(Virtual, 17)
#undef TAMAREL_ATTRIBUTE_PROPERTY

    uint32_t OnAttributes() const { return fOnAttributes; }
    uint32_t OffAttributes() const { return fOffAttributes; }
    uint32_t AnyOnAttributes() const { return fAnyOnAttributes; }
    uint32_t AnyOffAttributes() const { return fAnyOffAttributes; }

private:
    uint32_t fOnAttributes = 0;
    uint32_t fOffAttributes = platform::faHidden | platform::faSystem | platform::faDirectory;
    uint32_t fAnyOnAttributes = 0;
    uint32_t fAnyOffAttributes = 0;
};

} // namespace engine
