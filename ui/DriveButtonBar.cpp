#include "ui/DriveButtonBar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QToolButton>

namespace ui {

namespace {
constexpr int MinimumButtonWidth = 45;
constexpr int BarHeight = 30;
} // namespace

TDriveButtonBar::TDriveButtonBar(QWidget *parent) : QWidget(parent), fLayout(new QHBoxLayout(this))
{
    fLayout->setContentsMargins(2, 2, 2, 2);
    fLayout->setSpacing(2);
    fLayout->addStretch();
    setFixedHeight(BarHeight);
    fGroup.setExclusive(true);
    connect(&fGroup, &QButtonGroup::idClicked, this, &TDriveButtonBar::ButtonClicked);
}

void TDriveButtonBar::Clear()
{
    for (QAbstractButton *button : fGroup.buttons()) {
        fGroup.removeButton(button);
        delete button;
    }
}

int TDriveButtonBar::AddButton(const QString &caption, const QIcon &icon, const QString &toolTip)
{
    auto *button = new QToolButton(this);
    button->setText(caption);
    button->setIcon(icon);
    button->setToolTip(toolTip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setMinimumWidth(MinimumButtonWidth);
    const int index = Count();
    fGroup.addButton(button, index);
    fLayout->insertWidget(index, button);
    return index;
}

int TDriveButtonBar::Count() const
{
    return int(fGroup.buttons().size());
}

void TDriveButtonBar::SetCurrent(int index)
{
    if (QAbstractButton *button = fGroup.button(index))
        button->setChecked(true);
}

QString TDriveButtonBar::Caption(int index) const
{
    const QAbstractButton *button = fGroup.button(index);
    return button ? button->text() : QString();
}

} // namespace ui
