#include "listing/ReportSource.h"

#include "explorer/FieldFormat.h"

namespace listing {

using namespace explorer;

TNameParts::TNameParts(const TFileData &d)
{
    // A listed entry's folder part is its stored location; splitting the
    // name alone spares building the full name for every row.
    const bool parent = d.ImageIndex == iiParent;
    Folder = ReportText(parent ? ExtractFolderPart(d.Location) : d.Location);
    if (!Folder.endsWith(QLatin1Char('/')))
        Folder += QLatin1Char('/');
    FileName = parent ? QString() : ReportText(d.Name);
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    Base = dot < 0 ? QStringView(FileName) : QStringView(FileName).left(dot);
    DottedExt = dot < 0 ? QStringView() : QStringView(FileName).mid(dot);
    Ext = DottedExt.mid(1, MaxExtension);
}

QString TNameParts::Combined(const TColumnOptions &columns) const
{
    QString value;
    AppendCombined(value, columns);
    return value;
}

void TNameParts::AppendCombined(QString &out, const TColumnOptions &columns) const
{
    if (columns.Path)
        out += Folder;
    if (columns.Name)
        out += Base;
    if (columns.Ext)
        out += DottedExt;
}

} // namespace listing
