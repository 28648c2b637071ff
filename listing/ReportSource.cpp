#include "listing/ReportSource.h"

#include "explorer/FieldFormat.h"

namespace listing {

using namespace explorer;

namespace {

// The folder part of a record as reports write it: "/data/".
QString ReportFolder(const TFileData &d)
{
    // A listed entry's folder part is its stored location; splitting the
    // name alone spares building the full name for every row.
    const bool parent = d.ImageIndex == iiParent;
    QString folder = ReportText(parent ? ExtractFolderPart(d.Location) : d.Location);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

TNameParts::TNameParts(const TFileData &d, TFolderTexts &folders)
{
    if (d.ImageIndex == iiParent || d.Location.constData() != folders.Location
        || d.Location.size() != folders.Size) {
        folders.Text = ReportFolder(d);
        folders.Location = d.ImageIndex == iiParent ? nullptr : d.Location.constData();
        folders.Size = d.Location.size();
    }
    Folder = folders.Text;
    FileName = d.ImageIndex == iiParent ? QString() : ReportText(d.Name);
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
