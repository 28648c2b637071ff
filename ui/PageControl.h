#pragma once
// A page control whose change event fires whenever the page is set, also
// to the page already shown: start-up relies on that to run the window's
// page handling once.

#include <QTabWidget>

namespace ui {

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;
    void SetActivePage(int index);

signals:
    void Changed(int index);

protected:
    void tabInserted(int index) override;

private:
    bool fConnected = false;
};

} // namespace ui
