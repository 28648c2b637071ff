#pragma once
// A colour as a swatch and as web text ("#0080C0"), with a button for more
// colours and one for no colour. Reports take the text as it stands.

#include <QColor>
#include <QWidget>

class QLabel;
class QToolButton;

namespace ui {

class TColorPicker : public QWidget {
    Q_OBJECT
public:
    explicit TColorPicker(const QString &text, QWidget *parent = nullptr);
    // "#RRGGBB", or NoColorText once the user chose no colour.
    QString Text() const { return fText; }
    void SetText(const QString &text);
    // The picked colour, invalid when there is none.
    QColor Color() const { return QColor(fText); }

    static const QString NoColorText;

signals:
    void Changed(const QString &text);

private:
    void ChooseMore();
    void UpdateLook();

    QString fText;
    QLabel *fSwatch;
    QLabel *fLabel;
};

} // namespace ui
