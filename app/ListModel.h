#pragma once
// The List table's cells over the listing controller, which holds the list
// and its row order; each column is one of the report columns, with the
// text the column table gives it.

#include "listing/ListingController.h"

#include <QAbstractTableModel>

namespace app {

class TListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // TimestampFormat: the pattern of the time columns, kept by the caller.
    TListModel(listing::TListingController &listing, const QString &timestampFormat,
               const explorer::TRegionalFormats &formats, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const listing::TListingController &fListing;
    const QString &fTimestampFormat;
    const explorer::TRegionalFormats &fFormats;
};

} // namespace app
