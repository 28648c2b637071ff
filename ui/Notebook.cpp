#include "ui/Notebook.h"

namespace ui {

int TNotebook::AddPage(QWidget *page, const QString &caption)
{
    page->setWindowTitle(caption);
    return addWidget(page);
}

void TNotebook::SetActivePage(int index)
{
    setCurrentIndex(index);
    emit Changed(index);
}

} // namespace ui
