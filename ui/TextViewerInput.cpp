// The text viewer's keys and mouse: moving the caret, selecting, copying.

#include "ui/TextViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextLayout>

namespace ui {

namespace {

// How often a drag held beyond the view's edge scrolls it by a line.
constexpr int DragScrollMilliseconds = 50;

struct TKeyMove {
    QKeySequence::StandardKey Key;
    TTextCursor::TMove Move;
    bool Select;
};

// The platform's own keys for each move, so that they are the ones every
// other text view of the desktop answers to.
const TKeyMove KeyMoves[] = {
    {QKeySequence::MoveToNextChar, TTextCursor::mvNextChar, false},
    {QKeySequence::SelectNextChar, TTextCursor::mvNextChar, true},
    {QKeySequence::MoveToPreviousChar, TTextCursor::mvPreviousChar, false},
    {QKeySequence::SelectPreviousChar, TTextCursor::mvPreviousChar, true},
    {QKeySequence::MoveToNextWord, TTextCursor::mvNextWord, false},
    {QKeySequence::SelectNextWord, TTextCursor::mvNextWord, true},
    {QKeySequence::MoveToPreviousWord, TTextCursor::mvPreviousWord, false},
    {QKeySequence::SelectPreviousWord, TTextCursor::mvPreviousWord, true},
    {QKeySequence::MoveToStartOfLine, TTextCursor::mvLineStart, false},
    {QKeySequence::SelectStartOfLine, TTextCursor::mvLineStart, true},
    {QKeySequence::MoveToEndOfLine, TTextCursor::mvLineEnd, false},
    {QKeySequence::SelectEndOfLine, TTextCursor::mvLineEnd, true},
    {QKeySequence::MoveToStartOfDocument, TTextCursor::mvDocumentStart, false},
    {QKeySequence::SelectStartOfDocument, TTextCursor::mvDocumentStart, true},
    {QKeySequence::MoveToEndOfDocument, TTextCursor::mvDocumentEnd, false},
    {QKeySequence::SelectEndOfDocument, TTextCursor::mvDocumentEnd, true},
};

// A line or a page up or down; Page counts as the lines the view shows.
struct TLineMove {
    QKeySequence::StandardKey Key;
    int Lines;
    bool Page;
    bool Select;
};

const TLineMove LineMoves[] = {
    {QKeySequence::MoveToNextLine, 1, false, false},      {QKeySequence::SelectNextLine, 1, false, true},
    {QKeySequence::MoveToPreviousLine, -1, false, false}, {QKeySequence::SelectPreviousLine, -1, false, true},
    {QKeySequence::MoveToNextPage, 1, true, false},       {QKeySequence::SelectNextPage, 1, true, true},
    {QKeySequence::MoveToPreviousPage, -1, true, false},  {QKeySequence::SelectPreviousPage, -1, true, true},
};

} // namespace

void TTextViewer::keyPressEvent(QKeyEvent *event)
{
    if (MoveByKey(event) || MoveByLines(event))
        return;
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
               event->modifiers() == Qt::ControlModifier) {
        // The view moves, the caret stays.
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_Up ? QAbstractSlider::SliderSingleStepSub
                                                                      : QAbstractSlider::SliderSingleStepAdd);
    } else {
        // Not the viewer's: the window's shortcuts and the like.
        event->ignore();
    }
}

bool TTextViewer::MoveByKey(QKeyEvent *event)
{
    for (const TKeyMove &m : KeyMoves) {
        if (event->matches(m.Key)) {
            fCursor.Move(m.Move, m.Select);
            fDesiredX = -1;
            CaretMoved();
            return true;
        }
    }
    return false;
}

bool TTextViewer::MoveByLines(QKeyEvent *event)
{
    for (const TLineMove &m : LineMoves) {
        if (event->matches(m.Key)) {
            const int lines = m.Page ? m.Lines * FullyVisibleLines() : m.Lines;
            // A page turns the view with the caret, which keeps its place
            // on the screen.
            if (m.Page)
                verticalScrollBar()->setValue(FirstVisibleLine() + lines);
            MoveVertically(lines, m.Select);
            return true;
        }
    }
    return false;
}

void TTextViewer::MoveVertically(int lines, bool select)
{
    if (fDesiredX < 0)
        fDesiredX = CaretX();
    const int line = qBound(0, fCursor.Caret().Line + lines, LineCount() - 1);
    fCursor.MoveTo({line, ColumnAtX(line, fDesiredX)}, select);
    CaretMoved();
}

void TTextViewer::SelectAll()
{
    fCursor.SelectAll();
    CaretMoved();
}

void TTextViewer::Copy() const
{
    if (fCursor.HasSelection())
        QGuiApplication::clipboard()->setText(fCursor.SelectedText());
}

void TTextViewer::CaretMoved()
{
    EnsureCaretVisible();
    viewport()->update();
}

qreal TTextViewer::CaretX() const
{
    QTextLayout layout;
    LayOut(layout, fCursor.Caret().Line);
    return layout.lineAt(0).cursorToX(fCursor.Caret().Column);
}

int TTextViewer::ColumnAtX(int line, qreal x) const
{
    QTextLayout layout;
    LayOut(layout, line);
    return layout.lineAt(0).xToCursor(x);
}

TTextPosition TTextViewer::PositionAt(QPoint point) const
{
    // Above the first line shown counts as the line before it, so that a
    // drag beyond the edge reaches the lines out of view.
    const int offset = point.y() - TextMargin;
    const int rows = offset < 0 ? -1 - (-offset - 1) / fLineHeight : offset / fLineHeight;
    const int line = qBound(0, FirstVisibleLine() + rows, LineCount() - 1);
    return {line, ColumnAtX(line, point.x() - TextLeft())};
}

void TTextViewer::EnsureCaretVisible()
{
    const TTextPosition caret = fCursor.Caret();
    QScrollBar *lines = verticalScrollBar();
    if (caret.Line < lines->value())
        lines->setValue(caret.Line);
    else if (caret.Line >= lines->value() + FullyVisibleLines())
        lines->setValue(caret.Line - FullyVisibleLines() + 1);

    const int x = qRound(CaretX());
    GrowContentWidth(x + fCharWidth);
    QScrollBar *columns = horizontalScrollBar();
    const int width = viewport()->width() - 2 * TextMargin;
    if (x < columns->value())
        columns->setValue(x);
    else if (x >= columns->value() + width)
        columns->setValue(x - width + fCharWidth);
}

void TTextViewer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    fCursor.MoveTo(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    fDesiredX = -1;
    CaretMoved();
}

void TTextViewer::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    DragTo(event->position().toPoint());
    // Held beyond an edge, the drag goes on scrolling.
    if (viewport()->rect().contains(event->position().toPoint()))
        fDragScroll.stop();
    else if (!fDragScroll.isActive())
        fDragScroll.start(DragScrollMilliseconds, this);
}

void TTextViewer::DragTo(QPoint point)
{
    fDragPoint = point;
    fCursor.MoveTo(PositionAt(point), true);
    fDesiredX = -1;
    CaretMoved();
}

void TTextViewer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == fDragScroll.timerId())
        DragTo(fDragPoint);
    else
        QAbstractScrollArea::timerEvent(event);
}

void TTextViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    fDragScroll.stop();
    // The desktop's selection, which a middle click pastes elsewhere.
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (fCursor.HasSelection() && clipboard->supportsSelection())
        clipboard->setText(fCursor.SelectedText(), QClipboard::Selection);
}

void TTextViewer::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    fCursor.SelectWordAt(PositionAt(event->position().toPoint()));
    fDesiredX = -1;
    CaretMoved();
}

void TTextViewer::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("&Copy"), this, &TTextViewer::Copy);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(fCursor.HasSelection());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &TTextViewer::SelectAll)->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}

void TTextViewer::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TTextViewer::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace ui
