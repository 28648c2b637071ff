#include "app/ExplorerModel.h"

#include "app/FileImages.h"
#include "explorer/FieldFormat.h"

#include <numeric>

namespace app {

using explorer::TFileData;

TExplorerModel::TExplorerModel(explorer::TFileList &list, const explorer::TRegionalFormats &formats,
                               const QString &timestampFormat, QObject *parent)
    : QAbstractTableModel(parent), fList(list), fFormats(formats), fTimestampFormat(timestampFormat)
{
}

int TExplorerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fRows.size());
}

int TExplorerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool TExplorerModel::HasCheckBox(const TFileData &d) const
{
    return d.Directory && d.ImageIndex != explorer::iiParent;
}

QVariant TExplorerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(fRows.size()))
        return QVariant();
    const TFileData &d = fList.FileData[size_t(EntryOf(index.row()))];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case colName: return explorer::ExtractBaseName(d.Name);
        case colExt: return d.Ext();
        case colSize: return d.Directory ? explorer::FolderSizeText : explorer::FormatFileSize(d.Size, fFormats);
        case colTimestamp: return explorer::FormatTimestamp(d.Modified, fTimestampFormat, fFormats);
        case colAttr: return explorer::AttributesToText(d.Attributes);
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == colName)
            return DefaultFileImage(d.ImageIndex);
        break;
    case Qt::CheckStateRole:
        if (index.column() == colName && HasCheckBox(d))
            return d.Selected ? Qt::Checked : Qt::Unchecked;
        break;
    case Qt::TextAlignmentRole:
        return int((index.column() == colSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant TExplorerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    static const char *const captions[] = {"Name", "Ext", "Size", "Timestamp", "Attr"};
    static const char *const tips[] = {"Name", nullptr, "Size", "Date", "Attributes"};
    if (role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromLatin1(captions[section]);
    if (role == Qt::ToolTipRole && section >= 0 && section < ColumnCount && tips[section])
        return QString::fromLatin1(tips[section]);
    if (role == Qt::TextAlignmentRole)
        return int((section == colSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return QVariant();
}

Qt::ItemFlags TExplorerModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == colName
        && HasCheckBox(fList.FileData[size_t(EntryOf(index.row()))]))
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TExplorerModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid())
        return false;
    Q_UNUSED(value);
    emit Checked(index.row());
    return true;
}

void TExplorerModel::Rebuild()
{
    std::vector<int> rows(fList.FileData.size());
    std::iota(rows.begin(), rows.end(), 0);
    beginResetModel();
    fRows = std::move(rows);
    endResetModel();
    for (size_t row = 0; row < fRows.size(); ++row)
        fList.FileData[size_t(fRows[row])].NodePointer = int(row);
}

void TExplorerModel::SetOrder(std::vector<int> rows)
{
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> entryOfBefore;
    for (const QModelIndex &i : before)
        entryOfBefore.push_back(EntryOf(i.row()));
    fRows = std::move(rows);
    for (size_t row = 0; row < fRows.size(); ++row)
        fList.FileData[size_t(fRows[row])].NodePointer = int(row);
    QModelIndexList after;
    for (size_t i = 0; i < size_t(before.size()); ++i)
        after.append(index(fList.FileData[size_t(entryOfBefore[i])].NodePointer, before[int(i)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void TExplorerModel::MarksChanged()
{
    if (!fRows.empty())
        emit dataChanged(index(0, colName), index(int(fRows.size()) - 1, colName), {Qt::CheckStateRole});
}

} // namespace app
