#include "app/ExplorerModel.h"

#include "app/FileImages.h"
#include "explorer/FieldFormat.h"

namespace app {

using namespace explorer;

namespace {

bool HasCheckBox(const TFileData &d)
{
    return d.Directory && d.ImageIndex != iiParent;
}

int Alignment(int column)
{
    return int((column == ecSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace

TExplorerModel::TExplorerModel(TExplorerController &explorer, const QString &timestampFormat,
                               const TRegionalFormats &formats, QObject *parent)
    : QAbstractTableModel(parent), fExplorer(explorer), fTimestampFormat(timestampFormat), fFormats(formats)
{
    connect(&explorer, &TExplorerController::ScanStarted, this, &TExplorerModel::beginResetModel);
    connect(&explorer, &TExplorerController::ScanFinished, this, &TExplorerModel::endResetModel);
    connect(&explorer, &TExplorerController::OrderAboutToChange, this, &TExplorerModel::BeginOrderChange);
    connect(&explorer, &TExplorerController::OrderChanged, this, &TExplorerModel::EndOrderChange);
    connect(&explorer, &TExplorerController::MarksChanged, this, [this](int first, int last) {
        emit dataChanged(index(first, ecName), index(last, ecName), {Qt::CheckStateRole});
    });
}

int TExplorerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : fExplorer.RowCount();
}

int TExplorerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ExplorerColumnCount;
}

QVariant TExplorerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= fExplorer.RowCount())
        return QVariant();
    const TFileData &d = fExplorer.EntryAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case ecName: return DisplayText(ExtractBaseName(d.Name));
        case ecExt: return DisplayText(d.Ext());
        case ecSize: return d.Directory ? FolderSizeText : FormatFileSize(d.Size, fFormats);
        case ecTimestamp: return FormatTimestamp(d.Modified, fTimestampFormat, fFormats);
        case ecAttr: return AttributesToText(d.Attributes);
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == ecName)
            return DefaultFileImage(d.ImageIndex);
        break;
    case Qt::CheckStateRole:
        if (index.column() == ecName && HasCheckBox(d))
            return d.Selected ? Qt::Checked : Qt::Unchecked;
        break;
    case Qt::TextAlignmentRole:
        return Alignment(index.column());
    }
    return QVariant();
}

QVariant TExplorerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const captions[] = {"Name", "Ext", "Size", "Timestamp", "Attr"};
    static const char *const tips[] = {"Name", nullptr, "Size", "Date", "Attributes"};
    static_assert(std::size(captions) == ExplorerColumnCount && std::size(tips) == ExplorerColumnCount);
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole && section >= 0 && section < ExplorerColumnCount)
        return QString::fromLatin1(captions[section]);
    if (role == Qt::ToolTipRole && section >= 0 && section < ExplorerColumnCount && tips[section])
        return QString::fromLatin1(tips[section]);
    if (role == Qt::TextAlignmentRole)
        return Alignment(section);
    return QVariant();
}

Qt::ItemFlags TExplorerModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == ecName && HasCheckBox(fExplorer.EntryAt(index.row())))
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

void TExplorerModel::BeginOrderChange()
{
    emit layoutAboutToBeChanged();
    fPersistent = persistentIndexList();
    fPersistentEntries.clear();
    for (const QModelIndex &i : fPersistent)
        fPersistentEntries.push_back(fExplorer.EntryOf(i.row()));
}

void TExplorerModel::EndOrderChange()
{
    const TFileList &list = fExplorer.List();
    QModelIndexList moved;
    for (qsizetype i = 0; i < fPersistent.size(); ++i)
        moved.append(index(list.FileData[size_t(fPersistentEntries[size_t(i)])].NodePointer, fPersistent[i].column()));
    changePersistentIndexList(fPersistent, moved);
    fPersistent.clear();
    emit layoutChanged();
}

} // namespace app
