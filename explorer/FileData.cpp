#include "explorer/FileData.h"

#include "explorer/FieldFormat.h"

namespace explorer {

QString TFileData::Ext() const
{
    return ImageIndex == iiParent ? QString() : ExtractExtension(Name);
}

int TFileList::FindObjectIndex(const QString &fullName) const
{
    // A listing asks once per folder entered and once per hit in the listed
    // folder; a linear scan would make large folders quadratic.
    if (!fIndexValid || fIndexedCount != FileData.size()) {
        fIndex.clear();
        fIndex.reserve(qsizetype(FileData.size()));
        for (size_t i = FileData.size(); i-- > 0;)
            fIndex.insert(FileData[i].FullName(), int(i));
        fIndexValid = true;
        fIndexedCount = FileData.size();
    }
    return fIndex.value(fullName, -1);
}

} // namespace explorer
