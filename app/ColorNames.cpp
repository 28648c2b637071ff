#include "app/ColorNames.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QVariant>

namespace app {

namespace {

struct TNamedColor {
    const char *Name;
    unsigned Rgb;
};

// The plain colours, the ones a picker's text can be written as by name.
const TNamedColor PlainColors[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x800000}, {"clGreen", 0x008000},     {"clOlive", 0x808000},
    {"clNavy", 0x000080},   {"clPurple", 0x800080}, {"clTeal", 0x008080},      {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0xFF0000},    {"clLime", 0x00FF00},      {"clYellow", 0xFFFF00},
    {"clBlue", 0x0000FF},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF},     {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xA6CAF0}, {"clCream", 0xFFFBF0}, {"clMedGray", 0xA0A0A4},
};

constexpr qint64 ColorNone = 536870911;     // clNone
constexpr qint64 ColorDefault = 536870912;  // clDefault
constexpr qint64 SystemColorBase = 4278190080LL;

// The system colours by their index, as the desktop's palette gives them.
struct TSystemColor {
    const char *Name;
    int Index;
    QPalette::ColorRole Role;
};
const TSystemColor SystemColors[] = {
    {"clScrollBar", 0, QPalette::Button},          {"clBackground", 1, QPalette::Window},
    {"clActiveCaption", 2, QPalette::Highlight},   {"clInactiveCaption", 3, QPalette::Mid},
    {"clMenu", 4, QPalette::Window},               {"clWindow", 5, QPalette::Base},
    {"clWindowFrame", 6, QPalette::Shadow},        {"clMenuText", 7, QPalette::WindowText},
    {"clWindowText", 8, QPalette::Text},           {"clCaptionText", 9, QPalette::HighlightedText},
    {"clActiveBorder", 10, QPalette::Window},      {"clInactiveBorder", 11, QPalette::Window},
    {"clAppWorkSpace", 12, QPalette::Dark},        {"clHighlight", 13, QPalette::Highlight},
    {"clHighlightText", 14, QPalette::HighlightedText}, {"clBtnFace", 15, QPalette::Button},
    {"clBtnShadow", 16, QPalette::Dark},           {"clGrayText", 17, QPalette::PlaceholderText},
    {"clBtnText", 18, QPalette::ButtonText},       {"clInactiveCaptionText", 19, QPalette::WindowText},
    {"clBtnHighlight", 20, QPalette::Light},       {"cl3DDkShadow", 21, QPalette::Shadow},
    {"cl3DLight", 22, QPalette::Midlight},         {"clInfoText", 23, QPalette::ToolTipText},
    {"clInfoBk", 24, QPalette::ToolTipBase},       {"clHotLight", 26, QPalette::Link},
    {"clGradientActiveCaption", 27, QPalette::Highlight}, {"clGradientInactiveCaption", 28, QPalette::Mid},
    {"clMenuHighlight", 29, QPalette::Highlight},  {"clMenuBar", 30, QPalette::Window},
};

QString WebText(unsigned rgb)
{
    return QColor::fromRgb(QRgb(rgb)).name(QColor::HexRgb).toUpper();
}

std::optional<QString> FromNumber(qint64 value, const QString &noColorText)
{
    if (value == ColorNone)
        return noColorText;
    if (value == ColorDefault)
        return WebText(QApplication::palette().color(QPalette::Base).rgb() & 0xFFFFFF);
    if (value >= SystemColorBase) {
        for (const TSystemColor &c : SystemColors)
            if (value - SystemColorBase == c.Index)
                return WebText(QApplication::palette().color(c.Role).rgb() & 0xFFFFFF);
        return std::nullopt;
    }
    if (value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    const unsigned bgr = unsigned(value);
    return WebText(((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
}

} // namespace

QVariant StoredColor(const QString &pickerText, const QString &noColorText)
{
    if (pickerText == noColorText)
        return QStringLiteral("clNone");
    const QColor color(pickerText);
    if (!color.isValid())
        return QStringLiteral("clNone");
    const unsigned rgb = color.rgb() & 0xFFFFFF;
    for (const TNamedColor &c : PlainColors)
        if (c.Rgb == rgb)
            return QString::fromLatin1(c.Name);
    return qint64(color.blue()) << 16 | qint64(color.green()) << 8 | qint64(color.red());
}

std::optional<QString> PickerTextOf(const QVariant &stored, const QString &noColorText)
{
    const QString text = stored.toString().trimmed();
    for (const TNamedColor &c : PlainColors)
        if (text.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
            return WebText(c.Rgb);
    if (text.compare(QLatin1String("clNone"), Qt::CaseInsensitive) == 0)
        return noColorText;
    if (text.compare(QLatin1String("clDefault"), Qt::CaseInsensitive) == 0)
        return FromNumber(ColorDefault, noColorText);
    for (const TSystemColor &c : SystemColors)
        if (text.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
            return FromNumber(SystemColorBase + c.Index, noColorText);
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    return ok ? FromNumber(number, noColorText) : std::nullopt;
}

} // namespace app
