#pragma once
// The List page's rows over the built listing, in the listing's fixed
// order (folders first, then files, each by full name), which the reports
// follow too.

#include "explorer/FileData.h"
#include "explorer/RegionalFormats.h"

#include <QAbstractTableModel>
#include <vector>

namespace app {

class TListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TListModel(explorer::TFileList &list, const explorer::TRegionalFormats &formats,
               const QString &timestampFormat, QObject *parent = nullptr);

    enum TColumn { colFullName, colName, colExt, colSize, colCreated, colModified, colAccessed, colAttr, ColumnCount };

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // One row per record, sorted; records learn their rows.
    void Fill();
    // No rows, until the next Fill.
    void Clear();
    const std::vector<int> &Order() const { return fRows; }
    int EntryOf(int row) const { return fRows[size_t(row)]; }

private:
    explorer::TFileList &fList;
    const explorer::TRegionalFormats &fFormats;
    const QString &fTimestampFormat;
    std::vector<int> fRows;
};

} // namespace app
