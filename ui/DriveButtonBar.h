#pragma once
// A bar of drive buttons, one current at a time, each with a caption, an
// icon and a tooltip.

#include <QButtonGroup>
#include <QIcon>
#include <QWidget>

class QHBoxLayout;

namespace ui {

class TDriveButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit TDriveButtonBar(QWidget *parent = nullptr);
    void Clear();
    // Buttons are at least 45 pixels wide and grow to fit their caption.
    int AddButton(const QString &caption, const QIcon &icon, const QString &toolTip);
    int Count() const;
    int Current() const { return fGroup.checkedId(); }
    void SetCurrent(int index);
    QString Caption(int index) const;

signals:
    void ButtonClicked(int index);

private:
    QHBoxLayout *fLayout;
    QButtonGroup fGroup;
};

} // namespace ui
