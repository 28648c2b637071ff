#pragma once
// Making the window's controls the same way on every page: each gets its
// object name, which the stored settings and the window tests find it by.

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace app {

inline QCheckBox *NewCheckBox(const char *name, const char *caption, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

inline QPushButton *NewButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// A line the user reads but does not edit or tab into, without a frame.
inline QLineEdit *NewReadOnlyLine(const char *name, QWidget *parent)
{
    auto *line = new QLineEdit(parent);
    line->setObjectName(QLatin1String(name));
    line->setReadOnly(true);
    line->setFrame(false);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

// A caption without its mnemonic marks: "&Save..." as "Save...", "A&&B" as
// "A&B".
inline QString WithoutMnemonic(const QString &caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        plain += caption.at(i);
    }
    return plain;
}

// The widths of a small desktop font, widened where the user's font would
// cut texts that always have the same length.
inline int FixedTextColumnWidth(const QFontMetrics &metrics, const char *widestText, int minimum)
{
    constexpr int CellPadding = 16;
    return std::max(minimum, metrics.horizontalAdvance(QLatin1String(widestText)) + CellPadding);
}
inline int TimestampColumnWidth(const QFontMetrics &metrics)
{
    constexpr int NominalWidth = 100;
    return FixedTextColumnWidth(metrics, "00.00.0000 00:00", NominalWidth);
}

} // namespace app
