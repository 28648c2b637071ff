#pragma once
// The drive bar's buttons. Exactly one is down, the drive the explorer last
// went to; a click is reported with the button's index, which is also its
// drive's place in the list its owner keeps. The tooltip carries what the
// short caption leaves out (mount point and device).
//
// Drives are told apart by their captions, which often differ only at the
// end ("Backup 2023", "Backup 2024"): a long caption is shortened in the
// middle, keeping its end, and a bar with more buttons than room scrolls
// sideways rather than squeeze them until every caption reads "...".

#include <QButtonGroup>
#include <QIcon>
#include <QWidget>

class QHBoxLayout;
class QScrollArea;

namespace ui {

class TDriveButtonBar : public QWidget {
    Q_OBJECT
public:
    explicit TDriveButtonBar(QWidget *parent = nullptr);
    void Clear();
    // Short captions ("/") still get a button wide enough to hit.
    int AddButton(const QString &caption, const QIcon &icon, const QString &toolTip);
    int Count() const;
    int Current() const { return fGroup.checkedId(); }
    // Makes the button current and scrolls it into view.
    void SetCurrent(int index);
    // The caption as given, not as shortened on the button.
    QString Caption(int index) const;

signals:
    void ButtonClicked(int index);

private:
    void FitHeight();

    QScrollArea *fScroller;
    QHBoxLayout *fLayout;
    QButtonGroup fGroup;
};

} // namespace ui
