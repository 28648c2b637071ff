#pragma once
// The preview's text viewer: read-only, since the preview shows what would
// be saved and editing it would save nothing; line numbers, because a CSV
// line that a name has split is easiest found by number; the line with the
// caret marked, so the eye keeps its row in a wide report. The number gutter
// grows with the number of lines.

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
