#pragma once
// The preview's text viewer: read-only, since the preview shows what would
// be saved and editing it would save nothing; line numbers, because a CSV
// line that a name has split is easiest found by number; the line with the
// caret marked, so the eye keeps its row in a wide report. The number gutter
// grows with the number of lines.
//
// It holds the lines as it is given them and lays out only those on screen,
// so that a report of a few hundred thousand lines shows at once: a text
// document would lay out every line before showing the first. Keys and the
// mouse do what they do in any read-only text view: the caret moves by
// character, word, line, page, to the line's ends and the text's ends;
// Shift or a drag selects, a double click takes a word, Ctrl+A takes
// everything and Ctrl+C copies.

#include "ui/TextCursor.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

class QTextLayout;

namespace ui {

class TTextViewer : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TTextViewer(QWidget *parent = nullptr);

    // Shows Lines, shared rather than copied: the cost does not grow with
    // their number. No line may hold a line break. The caret goes to the
    // start of the first line.
    void SetLines(const QStringList &lines);
    // One line at least, empty when nothing is shown.
    const QStringList &Lines() const { return fLines; }
    int LineCount() const { return int(fLines.size()); }
    TTextPosition CaretPosition() const { return fCursor.Caret(); }
    QString SelectedText() const { return fCursor.SelectedText(); }
    // The line at the top of the view.
    int FirstVisibleLine() const;
    // Pixels between two tab stops, on screen and, through the print
    // engine, on paper.
    qreal TabStopDistance() const { return TabStop; }
    void SelectAll();
    // Puts the selected text on the clipboard; nothing when none is.
    void Copy() const;

    int GutterWidth() const;
    void PaintGutter(QPaintEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    static constexpr qreal TabStop = 80;
    static constexpr int TextMargin = 4;

    void UpdateMetrics();
    void UpdateScrollBars();
    void GrowContentWidth(int width);
    int FullyVisibleLines() const;
    int LineTop(int line) const;
    int TextLeft() const;
    void LayOut(QTextLayout &layout, int line) const;
    void PaintLine(QPainter &painter, int line);
    TTextPosition PositionAt(QPoint point) const;
    int ColumnAtX(int line, qreal x) const;
    qreal CaretX() const;
    bool MoveByKey(QKeyEvent *event);
    bool MoveByLines(QKeyEvent *event);
    void MoveVertically(int lines, bool select);
    void CaretMoved();
    void EnsureCaretVisible();
    void DragTo(QPoint point);

    QStringList fLines{QString()};
    TTextCursor fCursor{fLines};
    QWidget *fGutter;
    int fLineHeight = 1;
    int fCharWidth = 1;
    int fContentWidth = 0;  // the widest line known so far, in pixels
    qreal fDesiredX = -1;   // where Up and Down keep the caret; -1: where it is
    QBasicTimer fDragScroll;
    QPoint fDragPoint;
};

} // namespace ui
