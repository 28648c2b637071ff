#pragma once
// The table view behind both tables: whole-row highlight in the face colour
// framed in black while the table has the focus, black text on it, dark
// check boxes, tooltips only for cells whose text is cut, a column that
// takes the width the others leave, and an incremental search whose rows
// the owner finds.

#include <QTreeView>
#include <functional>

namespace ui {

class TExplorerView : public QTreeView {
    Q_OBJECT
public:
    explicit TExplorerView(QWidget *parent = nullptr);

    // The row that letters typed into the table lead to, or -1 to stay.
    // The owner keeps what was typed before and decides when a pause
    // starts a new search.
    std::function<int(const QString &typed)> FindRow;

    void keyboardSearch(const QString &search) override;

    // Column takes the width the other columns leave in the table, never
    // less than MinimumWidth (the table scrolls sideways then). The user
    // may still resize every column; the others keep the width given.
    void SetAutoSizeColumn(int column, int minimumWidth);

protected:
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    void FitAutoSizeColumn();

    int fAutoSizeColumn = -1;
    int fAutoSizeMinimum = 0;
    bool fFitting = false;
};

} // namespace ui
