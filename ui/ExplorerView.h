#pragma once
// The table view behind both tables: whole-row highlight, black text on
// the highlight, tooltips only for cells whose text is cut, and an
// incremental search whose matching rule the owner gives.

#include <QElapsedTimer>
#include <QTreeView>
#include <functional>

namespace ui {

class TExplorerView : public QTreeView {
    Q_OBJECT
public:
    explicit TExplorerView(QWidget *parent = nullptr);

    // 0 when the row matches the typed text (the owner's rule).
    std::function<int(int row, const QString &typed)> IncrementalSearch;

    void keyboardSearch(const QString &search) override;

protected:
    bool viewportEvent(QEvent *event) override;

private:
    QString fTyped;
    QElapsedTimer fSinceTyped;
};

} // namespace ui
