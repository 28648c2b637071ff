#include "ui/ExplorerView.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace ui {

TExplorerView::TExplorerView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The highlight: the button face while the table has the focus, a pale
    // grey when it has not; its text always black.
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Highlight, p.color(QPalette::Active, QPalette::Button).darker(115));
    p.setColor(QPalette::Inactive, QPalette::Highlight, QColor(237, 236, 233));
    p.setColor(QPalette::Active, QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    header()->setSectionsMovable(true);
    header()->setHighlightSections(true);
}

void TExplorerView::keyboardSearch(const QString &search)
{
    if (!model() || !IncrementalSearch || search.isEmpty())
        return;
    if (!fSinceTyped.isValid() || fSinceTyped.elapsed() > QApplication::keyboardInputInterval())
        fTyped.clear();
    fSinceTyped.restart();
    fTyped += search;
    const int rows = model()->rowCount();
    const int start = currentIndex().isValid() ? currentIndex().row() : 0;
    // A first letter moves on from the focused row; more letters refine the
    // match from the focused row itself.
    const int first = fTyped.size() == 1 ? start + 1 : start;
    for (int i = 0; i < rows; ++i) {
        const int row = (first + i) % rows;
        if (IncrementalSearch(row, fTyped) == 0) {
            const QModelIndex index = model()->index(row, 0);
            setCurrentIndex(index);
            scrollTo(index, EnsureVisible);
            return;
        }
    }
}

bool TExplorerView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const QString text = index.data(Qt::DisplayRole).toString();
            const int room = visualRect(index).width() - 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin)
                             - (index.column() == 0 ? iconSize().width() + 8 : 0);
            if (fontMetrics().horizontalAdvance(text) <= room) {
                QToolTip::hideText();
                event->ignore();
                return true;
            }
        }
    }
    return QTreeView::viewportEvent(event);
}

} // namespace ui
