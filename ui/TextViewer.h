#pragma once
// A read-only text viewer with line numbers in a gutter that sizes itself
// and the caret's line highlighted in yellow.

#include <QPlainTextEdit>

namespace ui {

class TTextViewer : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TTextViewer(QWidget *parent = nullptr);
    int GutterWidth() const;
    void PaintGutter(QPaintEvent *event);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void UpdateGutterWidth();
    void UpdateGutter(const QRect &rect, int dy);
    void HighlightCurrentLine();

    QWidget *fGutter;
};

} // namespace ui
