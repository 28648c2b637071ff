#pragma once
// The explorer table's cells over the explorer controller, which holds the
// entries, their order and their marks; the model only answers the view and
// passes on what the controller says has changed.

#include "explorer/ExplorerController.h"

#include <QAbstractTableModel>

namespace app {

class TExplorerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // TimestampFormat: the pattern of the Timestamp column, kept by the
    // caller.
    TExplorerModel(explorer::TExplorerController &explorer, const QString &timestampFormat,
                   const explorer::TRegionalFormats &formats, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A click on a row's box, or Space on its row, raises Checked; the box
    // shows the entry's mark, whatever the view asked to set.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    void Checked(int row);

private:
    void BeginOrderChange();
    void EndOrderChange();

    explorer::TExplorerController &fExplorer;
    const QString &fTimestampFormat;
    const explorer::TRegionalFormats &fFormats;
    // Across a change of order: the entries of the indexes the view keeps.
    QModelIndexList fPersistent;
    std::vector<int> fPersistentEntries;
};

} // namespace app
