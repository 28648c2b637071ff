#include "ui/TextViewer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

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

} // namespace

TTextViewer::TTextViewer(QWidget *parent) : QPlainTextEdit(parent), fGutter(new TGutter(this))
{
    setReadOnly(true);
    // Readers of a report scroll sideways rather than see its lines broken.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    setFont(font);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &TTextViewer::UpdateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &TTextViewer::UpdateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TTextViewer::HighlightCurrentLine);
    UpdateGutterWidth();
    HighlightCurrentLine();
}

int TTextViewer::GutterWidth() const
{
    const int digits = QString::number(qMax(1, blockCount())).size();
    return GutterPadding * 2 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void TTextViewer::UpdateGutterWidth()
{
    setViewportMargins(GutterWidth(), 0, 0, 0);
}

void TTextViewer::UpdateGutter(const QRect &rect, int dy)
{
    if (dy)
        fGutter->scroll(0, dy);
    else
        fGutter->update(0, rect.y(), fGutter->width(), rect.height());
}

void TTextViewer::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    fGutter->setGeometry(QRect(area.left(), area.top(), GutterWidth(), area.height()));
}

void TTextViewer::HighlightCurrentLine()
{
    QTextEdit::ExtraSelection line;
    line.format.setBackground(QColor(Qt::yellow));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

void TTextViewer::PaintGutter(QPaintEvent *event)
{
    QPainter painter(fGutter);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, fGutter->width() - GutterPadding, height, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}

} // namespace ui
