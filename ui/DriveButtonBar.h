#pragma once
// The drive bar's buttons. Exactly one is down, the drive the explorer last
// went to; a click is reported with the button's index, which is also its
// drive's place in the list its owner keeps. The tooltip carries what the
// short caption leaves out (mount point and device).

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
    // Short captions ("/") still get a button wide enough to hit; long
    // labels widen theirs rather than being cut.
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
