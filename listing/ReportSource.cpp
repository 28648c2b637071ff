#include "listing/ReportSource.h"

#include "explorer/FieldFormat.h"

namespace listing {

using namespace explorer;

TNameParts::TNameParts(const TFileData &d)
{
    const QString full = ReportText(d.FullName());
    Folder = ExtractFolderPart(full);
    if (!Folder.endsWith(QLatin1Char('/')))
        Folder += QLatin1Char('/');
    Base = ExtractBaseName(full);
    Ext = ExtractExtension(full);
    DottedExt = ExtractDottedExtension(full);
}

QString TNameParts::Combined(const TColumnOptions &columns) const
{
    QString value;
    if (columns.Path)
        value += Folder;
    if (columns.Name)
        value += Base;
    if (columns.Ext)
        value += DottedExt;
    return value;
}

} // namespace listing
