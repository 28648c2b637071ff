#include "ui/DriveButtonBar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace ui {

namespace {
constexpr int MinimumButtonWidth = 45;
constexpr int MaximumCaptionWidth = 150;
constexpr int BarHeight = 30;
const char *const CaptionProperty = "caption";
} // namespace

TDriveButtonBar::TDriveButtonBar(QWidget *parent)
    : QWidget(parent), fScroller(new QScrollArea(this)), fLayout(nullptr)
{
    auto *buttons = new QWidget(fScroller);
    fLayout = new QHBoxLayout(buttons);
    fLayout->setContentsMargins(2, 2, 2, 2);
    fLayout->setSpacing(2);
    fLayout->addStretch();
    // The buttons' row never narrower than its buttons: it grows, and the
    // scroll area follows its size.
    fLayout->setSizeConstraint(QLayout::SetMinimumSize);
    fScroller->setObjectName(QStringLiteral("bgDiskScroller"));
    fScroller->setFrameShape(QFrame::NoFrame);
    fScroller->setWidgetResizable(true);
    fScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    fScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fScroller->setWidget(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fScroller);
    // The bar grows by the scroll bar while it needs one, so that the
    // scroll bar never covers the buttons.
    connect(fScroller->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &TDriveButtonBar::FitHeight);
    FitHeight();
    fGroup.setExclusive(true);
    connect(&fGroup, &QButtonGroup::idClicked, this, &TDriveButtonBar::ButtonClicked);
}

void TDriveButtonBar::FitHeight()
{
    const QScrollBar *bar = fScroller->horizontalScrollBar();
    setFixedHeight(BarHeight + (bar->maximum() > bar->minimum() ? bar->sizeHint().height() : 0));
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
    auto *button = new QToolButton(fScroller->widget());
    const QString shown = button->fontMetrics().elidedText(caption, Qt::ElideMiddle, MaximumCaptionWidth);
    button->setText(shown);
    button->setProperty(CaptionProperty, caption);
    button->setIcon(icon);
    button->setToolTip(shown == caption ? toolTip : caption + QLatin1Char('\n') + toolTip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setMinimumWidth(qMax(MinimumButtonWidth, button->sizeHint().width()));
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
    if (QAbstractButton *button = fGroup.button(index)) {
        button->setChecked(true);
        // The buttons of a bar just rebuilt have their places once the
        // layout has run, from the event loop.
        QTimer::singleShot(0, button, [this, button] { fScroller->ensureWidgetVisible(button, 0, 0); });
    }
}

QString TDriveButtonBar::Caption(int index) const
{
    const QAbstractButton *button = fGroup.button(index);
    return button ? button->property(CaptionProperty).toString() : QString();
}

} // namespace ui
