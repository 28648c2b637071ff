#include "app/FormStorage.h"

#include "app/ColorNames.h"
#include "ui/ColorPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

namespace app {

namespace {

// Linux has no minimized or maximized position to remember.
const QString NoMinMaxPosition = QStringLiteral("-1,-1,-1,-1");

// The show states a stored "ShowCmd" may hold. A value the program did not
// write itself (an older version, a hand edit) is read by its kind: the
// three minimizing states open minimized, anything else unknown normal.
enum TShowCmd {
    swNormal = 1,
    swShowMinimized = 2,
    swMaximized = 3,
    swMinimize = 6,
    swShowMinNoActive = 7,
};

bool IsMinimized(int showCmd)
{
    return showCmd == swShowMinimized || showCmd == swMinimize || showCmd == swShowMinNoActive;
}

QString PositionText(const QRect &r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height());
}

// The fields of "a,b,c,d"; a field that is no number counts as 0, a missing
// one takes the default. A stored file may hold any number: each is held to
// the widest coordinate a window can have, so that the arithmetic on the
// placement cannot overflow (such a placement then lies off every screen).
std::vector<int> Fields(const QString &text, const std::vector<int> &defaults)
{
    std::vector<int> fields = defaults;
    const QStringList parts = text.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size() && size_t(i) < fields.size(); ++i)
        fields[size_t(i)] = int(std::clamp<qlonglong>(parts[i].trimmed().toLongLong(),
                                                      -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    return fields;
}

// QSettings tells a damaged file only once it has read it.
bool IsDamaged(QSettings &settings)
{
    settings.allKeys();
    return settings.status() == QSettings::FormatError;
}

int PixelsPerInch(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

} // namespace

TFormStorage::TFormStorage(QWidget &window, const QString &path, const QString &section)
    : fWindow(window), fPath(path), fSection(section)
{
}

QString TFormStorage::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/Zelko/Tamarel/1.x.ini");
}

std::optional<bool> TFormStorage::ReadBoolean(const QVariant &value)
{
    const QString text = value.toString().trimmed().toUpper();
    if (text == QLatin1String("TRUE") || text == QLatin1String("YES") || text == QLatin1String("Y"))
        return true;
    if (text == QLatin1String("FALSE") || text == QLatin1String("NO") || text == QLatin1String("N"))
        return false;
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    return ok ? std::optional<bool>(number != 0) : std::nullopt;
}

void TFormStorage::AddChecked(const QString &name, QCheckBox *box)
{
    fProperties.push_back({name + QStringLiteral("_Checked"),
                           [box] { return box->isChecked() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); },
                           [box](const QVariant &v) {
                               if (const auto b = ReadBoolean(v))
                                   box->setChecked(*b);
                           }});
}

void TFormStorage::AddItemIndex(const QString &name, std::function<int()> get, std::function<void(int)> set)
{
    fProperties.push_back({name + QStringLiteral("_ItemIndex"), [get] { return get(); },
                           [set](const QVariant &v) {
                               bool ok = false;
                               const int index = v.toInt(&ok);
                               if (ok)
                                   set(index);
                           }});
}

void TFormStorage::AddText(const QString &name, QComboBox *box)
{
    fProperties.push_back({name + QStringLiteral("_Text"), [box] { return box->currentText(); },
                           [box](const QVariant &v) { box->setCurrentText(v.toString()); }});
}

void TFormStorage::AddColor(const QString &name, ui::TColorPicker *picker)
{
    fProperties.push_back({name + QStringLiteral("_SelectedColor"),
                           [picker] { return StoredColor(picker->Text(), ui::TColorPicker::NoColorText); },
                           [picker](const QVariant &v) {
                               if (const auto text = PickerTextOf(v, ui::TColorPicker::NoColorText))
                                   picker->SetText(*text);
                           }});
}

QString TFormStorage::DesktopSuffix() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->virtualGeometry().size() : QSize();
    return QStringLiteral("(%1x%2)").arg(desktop.width()).arg(desktop.height());
}

void TFormStorage::Restore()
{
    fRestored = true;
    fSaved = false;
    QSettings settings(fPath, QSettings::IniFormat);
    // A damaged file is as good as none: every value keeps its initial one.
    fDamaged = IsDamaged(settings);
    if (!fDamaged && settings.status() == QSettings::NoError) {
        settings.beginGroup(fSection);
        RestorePlacement(settings);
        for (const TProperty &p : fProperties) {
            if (settings.contains(p.Name))
                p.Set(settings.value(p.Name));
        }
    }
    if (AfterRestorePlacement)
        AfterRestorePlacement();
}

void TFormStorage::RestorePlacement(QSettings &settings)
{
    const QString suffix = DesktopSuffix();
    auto stored = [&](const QString &name) {
        const QString sized = name + suffix;
        return settings.contains(sized) ? settings.value(sized).toString() : settings.value(name).toString();
    };
    const QString minMax = stored(QStringLiteral("MinMaxPos"));
    const QString norm = stored(QStringLiteral("NormPos"));
    const QRect current = fWindow.geometry();
    bool ok = false;
    const int ppi = settings.value(QStringLiteral("PixelsPerInch")).toInt(&ok);
    const bool samePixels = !ok || ppi == PixelsPerInch(fWindow);
    if (!norm.isEmpty() || !minMax.isEmpty()) {
        const std::vector<int> f = Fields(norm, {current.left(), current.top(), current.left() + current.width(),
                                                 current.top() + current.height()});
        const QRect placed(QPoint(f[0], f[1]), QPoint(f[2] - 1, f[3] - 1));
        const bool onScreen = QGuiApplication::screenAt(placed.topLeft()) && QGuiApplication::screenAt(placed.bottomRight());
        if (!norm.isEmpty() && samePixels && f[0] < f[2] && onScreen)
            fWindow.setGeometry(placed);
    }
    const int showCmd = settings.value(QStringLiteral("ShowCmd"), swNormal).toInt();
    if (IsMinimized(showCmd))
        QTimer::singleShot(0, &fWindow, [this] { fWindow.showMinimized(); });
    else
        fWindow.setWindowState(showCmd == swMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TFormStorage::SavePlacement(QSettings &settings) const
{
    const QString suffix = DesktopSuffix();
    const int showCmd = fWindow.isMinimized() ? swShowMinimized : (fWindow.isMaximized() ? swMaximized : swNormal);
    const QString norm = PositionText(fWindow.normalGeometry().isValid() ? fWindow.normalGeometry() : fWindow.geometry());
    settings.setValue(QStringLiteral("ShowCmd"), showCmd);
    settings.setValue(QStringLiteral("Flags"), fWindow.windowState() & Qt::WindowMaximized ? 2 : 0);
    settings.setValue(QStringLiteral("PixelsPerInch"), PixelsPerInch(fWindow));
    settings.setValue(QStringLiteral("MinMaxPos") + suffix, NoMinMaxPosition);
    settings.setValue(QStringLiteral("MinMaxPos"), NoMinMaxPosition);
    settings.setValue(QStringLiteral("NormPos") + suffix, norm);
    settings.setValue(QStringLiteral("NormPos"), norm);
}

void TFormStorage::Save()
{
    fSaved = true;
    // A damaged file would refuse every value. It is kept beside the new
    // one, for whoever wants to look at what was in it.
    QSettings existing(fPath, QSettings::IniFormat);
    // Qt keeps files it has parsed: a damage seen at the restore may not
    // show again here.
    if (fDamaged || IsDamaged(existing)) {
        fDamaged = false;
        const QString kept = fPath + QStringLiteral(".damaged");
        QFile::remove(kept);
        QFile::rename(fPath, kept);
    }
    QSettings settings(fPath, QSettings::IniFormat);
    settings.beginGroup(fSection);
    settings.setValue(QStringLiteral("FormVersion"), 0);
    if (fRestored) {
        SavePlacement(settings);
        for (const TProperty &p : fProperties)
            settings.setValue(p.Name, p.Get());
    }
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(QStringLiteral("Unable to create key '%1'")
                                     .arg(fPath + QLatin1Char('/') + fSection)
                                     .toStdString());
}

} // namespace app
