#include "app/ListModel.h"

#include "app/FileImages.h"
#include "explorer/FieldFormat.h"
#include "listing/ListingOrder.h"

namespace app {

using explorer::TFileData;

TListModel::TListModel(explorer::TFileList &list, const explorer::TRegionalFormats &formats,
                       const QString &timestampFormat, QObject *parent)
    : QAbstractTableModel(parent), fList(list), fFormats(formats), fTimestampFormat(timestampFormat)
{
}

int TListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fRows.size());
}

int TListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(fRows.size()))
        return QVariant();
    const TFileData &d = fList.FileData[size_t(EntryOf(index.row()))];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        auto stamp = [&](explorer::TDateTime t) { return explorer::FormatTimestamp(t, fTimestampFormat, fFormats); };
        switch (index.column()) {
        case colFullName: return explorer::ReportText(d.FullName());
        case colName: return explorer::ReportText(explorer::ExtractBaseName(d.Name));
        case colExt: return explorer::ReportText(d.Ext());
        case colSize: return d.Directory ? explorer::FolderSizeText : explorer::FormatFileSize(d.Size, fFormats);
        case colCreated: return stamp(d.Created);
        case colModified: return stamp(d.Modified);
        case colAccessed: return stamp(d.Accessed);
        case colAttr: return explorer::AttributesToText(d.Attributes);
        }
    } else if (role == Qt::DecorationRole && index.column() == colFullName) {
        return DefaultFileImage(d.ImageIndex);
    } else if (role == Qt::TextAlignmentRole) {
        return int((index.column() == colSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[] = {"Full name", "Name", "Ext", "Size", "Created", "Modified", "Accessed", "Attr"};
    static const char *const tips[] = {nullptr, "Name", nullptr, "Size", "Date", nullptr, nullptr, "Attributes"};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(captions[section]);
    if (role == Qt::ToolTipRole && tips[section])
        return QString::fromLatin1(tips[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == colSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

void TListModel::Clear()
{
    beginResetModel();
    fRows.clear();
    endResetModel();
}

void TListModel::Fill()
{
    beginResetModel();
    fRows = listing::ListingRowOrder(fList, fFormats.Locale);
    endResetModel();
    for (size_t row = 0; row < fRows.size(); ++row)
        fList.FileData[size_t(fRows[row])].NodePointer = int(row);
}

} // namespace app
