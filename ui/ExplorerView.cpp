#include "ui/ExplorerView.h"

#include "ui/TableStyle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace ui {

namespace {
const QColor InactiveHighlight(0xED, 0xEC, 0xE9);
} // namespace

TExplorerView::TExplorerView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The highlight: the button face framed in black while the table has
    // the focus, a pale grey when it has not; its text always black. The
    // frame is what tells it from the white rows.
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Highlight, p.color(QPalette::Active, QPalette::Button));
    p.setColor(QPalette::Inactive, QPalette::Highlight, InactiveHighlight);
    p.setColor(QPalette::Active, QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
    header()->setSectionsMovable(true);
    header()->setHighlightSections(true);
    auto *style = new TTableStyle;
    style->setParent(this);
    setStyle(style);
    // Another column resized gives or takes the width of the one that fills;
    // that one resized by the user keeps the width given until the table's
    // own width changes.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column != fAutoSizeColumn)
            FitAutoSizeColumn();
    });
}

void TExplorerView::SetAutoSizeColumn(int column, int minimumWidth)
{
    fAutoSizeColumn = column;
    fAutoSizeMinimum = minimumWidth;
    header()->setStretchLastSection(false);
    FitAutoSizeColumn();
}

void TExplorerView::FitAutoSizeColumn()
{
    if (fAutoSizeColumn < 0 || fFitting || !model() || fAutoSizeColumn >= model()->columnCount())
        return;
    int others = 0;
    for (int column = 0; column < model()->columnCount(); ++column) {
        if (column != fAutoSizeColumn && !isColumnHidden(column))
            others += columnWidth(column);
    }
    // Setting the width reports a resize of that column, which comes back
    // here.
    fFitting = true;
    setColumnWidth(fAutoSizeColumn, qMax(fAutoSizeMinimum, viewport()->width() - others));
    fFitting = false;
}

void TExplorerView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    FitAutoSizeColumn();
}

void TExplorerView::drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QTreeView::drawRow(painter, option, index);
    if (!hasFocus() || !selectionModel() || !selectionModel()->isRowSelected(index.row(), index.parent()))
        return;
    painter->save();
    painter->setPen(Qt::black);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRect(-horizontalOffset(), option.rect.top(), header()->length(), option.rect.height())
                          .adjusted(0, 0, -1, -1));
    painter->restore();
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
