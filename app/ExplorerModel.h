#pragma once
// The explorer table's rows over the window's folder listing, which the
// model reads but does not own. Rows carry their entry's index; entries
// learn their row (NodePointer) whenever the order changes.

#include "explorer/FileData.h"
#include "explorer/RegionalFormats.h"

#include <QAbstractTableModel>
#include <vector>

namespace app {

class TExplorerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TExplorerModel(explorer::TFileList &list, const explorer::TRegionalFormats &formats,
                   const QString &timestampFormat, QObject *parent = nullptr);

    enum TColumn { colName, colExt, colSize, colTimestamp, colAttr, ColumnCount };

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // One row per entry in array order, as a scan leaves them.
    void Rebuild();
    // Rows in this order of entry indexes.
    void SetOrder(std::vector<int> rows);
    const std::vector<int> &Order() const { return fRows; }
    int EntryOf(int row) const { return fRows[size_t(row)]; }
    // The check boxes follow the entries' marks again.
    void MarksChanged();

signals:
    // The user flipped the box of this row; the entry is not changed yet.
    void Checked(int row);

private:
    bool HasCheckBox(const explorer::TFileData &d) const;

    explorer::TFileList &fList;
    const explorer::TRegionalFormats &fFormats;
    const QString &fTimestampFormat;
    std::vector<int> fRows;
};

} // namespace app
