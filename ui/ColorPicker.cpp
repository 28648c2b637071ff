#include "ui/ColorPicker.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace ui {

// A CSS keyword, so that a page built with no colour still reads well.
const QString TColorPicker::NoColorText = QStringLiteral("transparent");

TColorPicker::TColorPicker(const QString &text, QWidget *parent)
    : QWidget(parent), fSwatch(new QLabel(this)), fLabel(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    fSwatch->setFixedSize(18, 18);
    fSwatch->setFrameShape(QFrame::Box);
    fLabel->setMinimumWidth(fLabel->fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDD")));
    auto *more = new QToolButton(this);
    more->setText(QStringLiteral("..."));
    more->setToolTip(QStringLiteral("More colours"));
    auto *none = new QToolButton(this);
    none->setText(QStringLiteral("\u2205"));
    none->setToolTip(QStringLiteral("No colour"));
    for (QToolButton *button : {more, none}) {
        button->setAutoRaise(true);
        button->setFixedSize(20, 20);
    }
    layout->addWidget(fSwatch);
    layout->addWidget(fLabel);
    layout->addWidget(more);
    layout->addWidget(none);
    layout->addStretch();
    connect(more, &QToolButton::clicked, this, &TColorPicker::ChooseMore);
    connect(none, &QToolButton::clicked, this, [this] { SetText(NoColorText); });
    SetText(text);
}

void TColorPicker::SetText(const QString &text)
{
    if (text == fText)
        return;
    fText = text;
    UpdateLook();
    emit Changed(fText);
}

void TColorPicker::ChooseMore()
{
    const QColor chosen = QColorDialog::getColor(Color().isValid() ? Color() : Qt::white, this);
    if (chosen.isValid())
        SetText(chosen.name(QColor::HexRgb).toUpper());
}

void TColorPicker::UpdateLook()
{
    fLabel->setText(fText);
    const QColor color = Color();
    fSwatch->setStyleSheet(color.isValid() && fText != NoColorText
                               ? QStringLiteral("background-color: %1;").arg(color.name())
                               : QString());
}

} // namespace ui
