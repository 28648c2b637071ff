#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace app {

// The about box: product, version, description, licence statement, the
// maker's links, the copyright and the operating-system line.
class TdlgAbout : public QDialog {
    Q_OBJECT
public:
    // Extra, when not empty, is added to the licence text as a line.
    TdlgAbout(QWidget *owner, const QString &extra);

    QLabel *lProduct = nullptr;
    QLabel *lVer = nullptr;
    QLabel *lDesc = nullptr;
    QPlainTextEdit *mLic = nullptr;
    QLabel *lEmail = nullptr;
    QLabel *lWWW = nullptr;
    QLabel *lCR = nullptr;
    QLabel *lOS2 = nullptr;

    void cmEmail();
    void cmHomepage();
};

// Shows the dialog modally and frees it when it closes.
void ShowAbout(QWidget *owner, const QString &extra);

} // namespace app
