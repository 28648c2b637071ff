#include "app/FormStorage.h"

#include "app/ColorNames.h"
#include "app/IniFile.h"
#include "platform/ReplacingFile.h"
#include "ui/ColorPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>
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

enum class TFileState { Missing, Read, Unreadable, Damaged };

// The file as it stands; an empty one when it is missing, unreadable or
// damaged (which State tells).
TIniFile ReadIniFile(const QString &path, TFileState &state)
{
    QFile file(path);
    if (!file.exists()) {
        state = TFileState::Missing;
        return TIniFile();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        state = TFileState::Unreadable;
        return TIniFile();
    }
    std::optional<TIniFile> parsed = TIniFile::Parse(file.readAll());
    state = parsed ? TFileState::Read : TFileState::Damaged;
    return parsed ? std::move(*parsed) : TIniFile();
}

// Writes Bytes as the file, in full or not at all; false when that failed.
bool WriteWhole(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    platform::TReplacingFile file;
    return file.Open(path) == 0 && file.Write(bytes.constData(), size_t(bytes.size())) == 0 && file.Commit() == 0;
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
    // A colour stored by name ("clWindow", the desktop's window colour) is
    // written back by that name while the picker still shows it, so that it
    // keeps following the desktop instead of becoming today's RGB value.
    struct TStoredName {
        QString Name;
        QString PickerText;
    };
    auto stored = std::make_shared<TStoredName>();
    fProperties.push_back({name + QStringLiteral("_SelectedColor"),
                           [picker, stored]() -> QVariant {
                               if (!stored->Name.isEmpty() && picker->Text() == stored->PickerText)
                                   return stored->Name;
                               return StoredColor(picker->Text(), ui::TColorPicker::NoColorText);
                           },
                           [picker, stored](const QVariant &v) {
                               const auto text = PickerTextOf(v, ui::TColorPicker::NoColorText);
                               if (!text)
                                   return;
                               picker->SetText(*text);
                               bool isNumber = false;
                               v.toString().trimmed().toLongLong(&isNumber);
                               *stored = isNumber ? TStoredName() : TStoredName{v.toString().trimmed(), picker->Text()};
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
    TFileState state = TFileState::Missing;
    const TIniFile file = ReadIniFile(fPath, state);
    // A damaged file is as good as none: every value keeps its initial one.
    fDamaged = state == TFileState::Damaged;
    if (state == TFileState::Read) {
        const auto stored = [&](const QString &name) { return file.Value(fSection, name); };
        RestorePlacement(stored);
        for (const TProperty &p : fProperties) {
            if (const std::optional<QString> value = stored(p.Name))
                p.Set(*value);
        }
    }
    if (AfterRestorePlacement)
        AfterRestorePlacement();
}

void TFormStorage::RestorePlacement(const TLookUp &stored)
{
    const QString suffix = DesktopSuffix();
    auto sizedOrPlain = [&](const QString &name) {
        return stored(name + suffix).value_or(stored(name).value_or(QString()));
    };
    const QString minMax = sizedOrPlain(QStringLiteral("MinMaxPos"));
    const QString norm = sizedOrPlain(QStringLiteral("NormPos"));
    const QRect current = fWindow.geometry();
    bool ok = false;
    const int ppi = stored(QStringLiteral("PixelsPerInch")).value_or(QString()).toInt(&ok);
    const bool samePixels = !ok || ppi == PixelsPerInch(fWindow);
    if (!norm.isEmpty() || !minMax.isEmpty()) {
        const std::vector<int> f = Fields(norm, {current.left(), current.top(), current.left() + current.width(),
                                                 current.top() + current.height()});
        const QRect placed(QPoint(f[0], f[1]), QPoint(f[2] - 1, f[3] - 1));
        const bool onScreen = QGuiApplication::screenAt(placed.topLeft()) && QGuiApplication::screenAt(placed.bottomRight());
        if (!norm.isEmpty() && samePixels && f[0] < f[2] && onScreen)
            fWindow.setGeometry(placed);
    }
    bool known = false;
    int showCmd = stored(QStringLiteral("ShowCmd")).value_or(QString()).toInt(&known);
    if (!known)
        showCmd = swNormal;
    if (IsMinimized(showCmd))
        QTimer::singleShot(0, &fWindow, [this] { fWindow.showMinimized(); });
    else
        fWindow.setWindowState(showCmd == swMaximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

std::vector<TIniFile::TValue> TFormStorage::PlacementValues() const
{
    const QString suffix = DesktopSuffix();
    const int showCmd = fWindow.isMinimized() ? swShowMinimized : (fWindow.isMaximized() ? swMaximized : swNormal);
    const QString norm = PositionText(fWindow.normalGeometry().isValid() ? fWindow.normalGeometry() : fWindow.geometry());
    return {{QStringLiteral("ShowCmd"), QString::number(showCmd)},
            {QStringLiteral("Flags"), QString::number(fWindow.windowState() & Qt::WindowMaximized ? 2 : 0)},
            {QStringLiteral("PixelsPerInch"), QString::number(PixelsPerInch(fWindow))},
            {QStringLiteral("MinMaxPos") + suffix, NoMinMaxPosition},
            {QStringLiteral("MinMaxPos"), NoMinMaxPosition},
            {QStringLiteral("NormPos") + suffix, norm},
            {QStringLiteral("NormPos"), norm}};
}

void TFormStorage::Save()
{
    fSaved = true;
    TFileState state = TFileState::Missing;
    TIniFile file = ReadIniFile(fPath, state);
    // A damaged file would lose what is left of it when written anew; it is
    // kept beside the new one, for whoever wants to look at what was in it.
    if (fDamaged || state == TFileState::Damaged) {
        fDamaged = false;
        const QString kept = fPath + QStringLiteral(".damaged");
        QFile::remove(kept);
        QFile::rename(fPath, kept);
    }
    std::vector<TIniFile::TValue> values{{QStringLiteral("FormVersion"), QStringLiteral("0")}};
    if (fRestored) {
        for (TIniFile::TValue &v : PlacementValues())
            values.push_back(std::move(v));
        for (const TProperty &p : fProperties)
            values.push_back({p.Name, p.Get().toString()});
    }
    file.SetSection(fSection, values);
    if (!WriteWhole(fPath, file.Text()))
        throw std::runtime_error(QStringLiteral("Unable to create key '%1'")
                                     .arg(fPath + QLatin1Char('/') + fSection)
                                     .toStdString());
}

} // namespace app
