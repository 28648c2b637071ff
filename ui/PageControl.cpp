#include "ui/PageControl.h"

namespace ui {

void TPageControl::tabInserted(int index)
{
    QTabWidget::tabInserted(index);
    if (!fConnected) {
        fConnected = true;
        connect(this, &QTabWidget::currentChanged, this, &TPageControl::Changed);
    }
}

void TPageControl::SetActivePage(int index)
{
    if (currentIndex() == index)
        emit Changed(index);
    else
        setCurrentIndex(index);
}

} // namespace ui
