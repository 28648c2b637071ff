#pragma once
// Pages without tabs (the report options). Like the page control, setting
// the page shown fires the change event again.

#include <QStackedWidget>

namespace ui {

class TNotebook : public QStackedWidget {
    Q_OBJECT
public:
    using QStackedWidget::QStackedWidget;
    // Adds a page with a caption the owner shows elsewhere (a group box).
    int AddPage(QWidget *page, const QString &caption);
    QString PageCaption(int index) const { return page(index) ? page(index)->windowTitle() : QString(); }
    void SetActivePage(int index);

signals:
    void Changed(int index);

private:
    QWidget *page(int index) const { return widget(index); }
};

} // namespace ui
