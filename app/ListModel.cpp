#include "app/ListModel.h"

#include "app/FileImages.h"
#include "explorer/FieldFormat.h"
#include "listing/ReportColumns.h"

namespace app {

using namespace listing;

namespace {

int Alignment(int column)
{
    const bool right = column >= 0 && column < ReportColumnCount && ReportColumns()[size_t(column)].RightAligned;
    return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

} // namespace

TListModel::TListModel(TListingController &listing, const QString &timestampFormat,
                       const explorer::TRegionalFormats &formats, QObject *parent)
    : QAbstractTableModel(parent), fListing(listing), fTimestampFormat(timestampFormat), fFormats(formats)
{
    connect(&listing, &TListingController::RowsAboutToBeReset, this, &TListModel::beginResetModel);
    connect(&listing, &TListingController::RowsReset, this, &TListModel::endResetModel);
}

int TListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : fListing.RowCount();
}

int TListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ReportColumnCount;
}

QVariant TListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= fListing.RowCount())
        return QVariant();
    const explorer::TFileData &d = fListing.EntryAt(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return explorer::DisplayText(ListText(TReportColumn(index.column()), d, fTimestampFormat, fFormats));
    if (role == Qt::DecorationRole && index.column() == rcPath)
        return DefaultFileImage(d.ImageIndex);
    if (role == Qt::TextAlignmentRole)
        return Alignment(index.column());
    return QVariant();
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ReportColumnCount)
        return QVariant();
    const TReportColumnInfo &column = ReportColumns()[size_t(section)];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(column.ListCaption);
    if (role == Qt::ToolTipRole && column.ListToolTip)
        return QString::fromLatin1(column.ListToolTip);
    if (role == Qt::TextAlignmentRole)
        return Alignment(section);
    return QVariant();
}

} // namespace app
