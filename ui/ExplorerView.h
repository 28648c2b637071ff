#pragma once
// The table view behind both tables: whole-row highlight, black text on
// the highlight, tooltips only for cells whose text is cut, and an
// incremental search whose rows the owner finds.

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

protected:
    bool viewportEvent(QEvent *event) override;
};

} // namespace ui
