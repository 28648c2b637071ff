#include "explorer/FileData.h"

#include "explorer/FieldFormat.h"

namespace explorer {

QString TFileData::Ext() const
{
    return ImageIndex == iiParent ? QString() : ExtractExtension(Name);
}

namespace {

// A full name cut after its last "/": the parent entry's "/data/" is
// ("/data/", ""), a record's "/data/b.txt" is ("/data/", "b.txt").
qsizetype NameStart(QStringView fullName)
{
    return fullName.lastIndexOf(QLatin1Char('/')) + 1;
}

// The record's full name equals Folder + Name, compared piece by piece.
bool FullNameIs(const TFileData &d, QStringView folder, QStringView name)
{
    const QStringView own[2] = {d.Location, d.ImageIndex == iiParent ? QStringView() : QStringView(d.Name)};
    if (own[0].size() + own[1].size() != folder.size() + name.size())
        return false;
    if (own[0].size() == folder.size())
        return own[0] == folder && own[1] == name;
    const QString whole = d.FullName();
    return QStringView(whole).left(folder.size()) == folder && QStringView(whole).mid(folder.size()) == name;
}

} // namespace

void TFileList::BuildIndex() const
{
    // A listing asks once per folder entered and once per hit in the listed
    // folder; a linear scan would make large folders quadratic.
    fIndex.clear();
    fIndex.reserve(qsizetype(FileData.size()));
    fNextSameName.assign(FileData.size(), -1);
    for (size_t i = FileData.size(); i-- > 0;) {
        const TFileData &d = FileData[i];
        // A record's name never holds "/", so it is the last component of
        // its full name; the parent entry's full name ends in "/".
        QString key = d.ImageIndex == iiParent ? QString() : d.Name;
        if (key.contains(QLatin1Char('/'))) {
            const QString whole = d.FullName();
            key = whole.mid(NameStart(whole));
        }
        const auto found = fIndex.find(key);
        if (found == fIndex.end()) {
            fIndex.insert(key, int(i));
        } else {
            fNextSameName[i] = *found;
            *found = int(i);
        }
    }
    fIndexValid = true;
    fIndexedCount = FileData.size();
}

int TFileList::FindObjectIndex(const QString &location, const QString &name) const
{
    if (name.contains(QLatin1Char('/')))
        return FindObjectIndex(location + name);
    if (!fIndexValid || fIndexedCount != FileData.size())
        BuildIndex();
    const auto found = fIndex.constFind(name);
    for (int i = found == fIndex.constEnd() ? -1 : *found; i >= 0; i = fNextSameName[size_t(i)])
        if (FullNameIs(FileData[size_t(i)], location, name))
            return i;
    return -1;
}

int TFileList::FindObjectIndex(const QString &fullName) const
{
    const qsizetype start = NameStart(fullName);
    return FindObjectIndex(fullName.left(start), fullName.mid(start));
}

} // namespace explorer
