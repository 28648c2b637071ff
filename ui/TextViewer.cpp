#include "ui/TextViewer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace ui {

namespace {

constexpr int GutterPadding = 6;

class TGutter : public QWidget {
public:
    explicit TGutter(TTextViewer *viewer) : QWidget(viewer), fViewer(viewer) {}
    QSize sizeHint() const override { return QSize(fViewer->GutterWidth(), 0); }

protected:
    void paintEvent(QPaintEvent *event) override { fViewer->PaintGutter(event); }

private:
    TTextViewer *fViewer;
};

// A layout breaks its line at these; shown as one mark each, the columns of
// the text drawn stay those of the line.
bool BreaksLayout(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

QString DisplayText(const QString &line)
{
    if (std::none_of(line.begin(), line.end(), BreaksLayout))
        return line;
    QString shown = line;
    std::replace_if(shown.begin(), shown.end(), BreaksLayout, QChar(QChar::ReplacementCharacter));
    return shown;
}

} // namespace

TTextViewer::TTextViewer(QWidget *parent) : QAbstractScrollArea(parent), fGutter(new TGutter(this))
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    UpdateMetrics();
}

void TTextViewer::SetLines(const QStringList &lines)
{
    fLines = lines.isEmpty() ? QStringList{QString()} : lines;
    fCursor.Reset();
    fDesiredX = -1;
    // Until a line is drawn its width is a guess from its length; lines
    // drawn wider (tabs, wide characters) widen the view as they appear.
    qsizetype longest = 0;
    for (const QString &line : std::as_const(fLines))
        longest = qMax(longest, line.size());
    fContentWidth = int(qMin<qsizetype>(longest * fCharWidth, QWIDGETSIZE_MAX));
    UpdateMetrics();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    fGutter->update();
}

int TTextViewer::FirstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void TTextViewer::UpdateMetrics()
{
    fLineHeight = qMax(1, fontMetrics().lineSpacing());
    fCharWidth = qMax(1, fontMetrics().horizontalAdvance(QLatin1Char('0')));
    setViewportMargins(GutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    fGutter->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
    UpdateScrollBars();
}

int TTextViewer::FullyVisibleLines() const
{
    return qMax(1, (viewport()->height() - TextMargin) / fLineHeight);
}

void TTextViewer::UpdateScrollBars()
{
    const int lines = FullyVisibleLines();
    verticalScrollBar()->setRange(0, qMax(0, LineCount() - lines));
    verticalScrollBar()->setPageStep(lines);
    verticalScrollBar()->setSingleStep(1);
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, qMax(0, fContentWidth + 2 * TextMargin - width));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(2 * fCharWidth);
}

void TTextViewer::GrowContentWidth(int width)
{
    if (width <= fContentWidth)
        return;
    fContentWidth = width;
    UpdateScrollBars();
}

int TTextViewer::LineTop(int line) const
{
    return TextMargin + (line - FirstVisibleLine()) * fLineHeight;
}

int TTextViewer::TextLeft() const
{
    return TextMargin - horizontalScrollBar()->value();
}

void TTextViewer::LayOut(QTextLayout &layout, int line) const
{
    layout.setText(DisplayText(fLines.at(line)));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStop);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine row = layout.createLine();
    row.setLeadingIncluded(true);
    layout.endLayout();
    // Every line's text on the baseline of the viewer's own font, also when
    // a character from a fallback font with a taller ascent lowers the
    // line's natural baseline.
    row.setPosition(QPointF(0, fontMetrics().ascent() - row.ascent()));
}

int TTextViewer::GutterWidth() const
{
    const int digits = int(QString::number(LineCount()).size());
    return GutterPadding * 2 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void TTextViewer::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateMetrics();
}

void TTextViewer::scrollContentsBy(int, int)
{
    viewport()->update();
    fGutter->update();
}

void TTextViewer::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateMetrics();
        viewport()->update();
    }
}

void TTextViewer::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int first = qMax(FirstVisibleLine(), FirstVisibleLine() + (area.top() - TextMargin) / fLineHeight);
    const int last = qMin(LineCount() - 1, FirstVisibleLine() + (area.bottom() - TextMargin) / fLineHeight);
    for (int line = first; line <= last; ++line)
        PaintLine(painter, line);
}

void TTextViewer::PaintLine(QPainter &painter, int line)
{
    const int top = LineTop(line);
    const TTextPosition caret = fCursor.Caret();
    if (line == caret.Line)
        painter.fillRect(0, top, viewport()->width(), fLineHeight, QColor(Qt::yellow));
    QTextLayout layout;
    LayOut(layout, line);
    const QPointF origin(TextLeft(), top);
    QVector<QTextLayout::FormatRange> selected;
    int from = 0, to = 0;
    bool pastEnd = false;
    if (fCursor.SelectedColumns(line, from, to, pastEnd)) {
        QTextLayout::FormatRange range;
        range.start = from;
        range.length = to - from;
        range.format.setBackground(palette().brush(QPalette::Highlight));
        range.format.setForeground(palette().brush(QPalette::HighlightedText));
        selected.append(range);
        // The line's end is selected too: a copy takes the line break.
        if (pastEnd)
            painter.fillRect(QRectF(origin.x() + layout.lineAt(0).naturalTextWidth(), top, fCharWidth, fLineHeight),
                             palette().brush(QPalette::Highlight));
    }
    painter.setPen(palette().color(QPalette::Text));
    layout.draw(&painter, origin, selected);
    if (line == caret.Line && hasFocus())
        layout.drawCursor(&painter, origin, caret.Column);
    // Wider than guessed: widened after painting, since a scroll bar that
    // appeared now would resize the view being painted.
    const int width = qCeil(layout.lineAt(0).naturalTextWidth()) + fCharWidth;
    if (width > fContentWidth)
        QMetaObject::invokeMethod(this, [this, width] { GrowContentWidth(width); }, Qt::QueuedConnection);
}

void TTextViewer::PaintGutter(QPaintEvent *event)
{
    QPainter painter(fGutter);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    const int top = viewport()->geometry().top() - fGutter->geometry().top();
    const int last = qMin(LineCount() - 1, FirstVisibleLine() + fGutter->height() / fLineHeight);
    for (int line = FirstVisibleLine(); line <= last; ++line)
        painter.drawText(0, top + LineTop(line), fGutter->width() - GutterPadding, fLineHeight, Qt::AlignRight,
                         QString::number(line + 1));
}

} // namespace ui
