#include "ui/ExplorerView.h"

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
    if (!model() || !FindRow || search.isEmpty())
        return;
    const int row = FindRow(search);
    if (row < 0)
        return;
    const QModelIndex index = model()->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index, EnsureVisible);
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
