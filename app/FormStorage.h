#pragma once
// Remembers where the window was and how the user likes the reports, from
// one run to the next, in a per-user INI file (TIniFile: values in a fixed
// order, under their own names, texts as typed). Values are read once, when
// the window is first shown, so that the window comes up where it was
// rather than jumping there; they are written when it closes, or when it is
// destroyed without closing (a session ending). A file that cannot be read
// is treated as empty: losing the options is better than not starting.

#include "app/IniFile.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QWidget;

namespace ui {
class TColorPicker;
}

namespace app {

class TFormStorage {
public:
    // Path: the INI file; Section: the group of the values, the window's
    // object name.
    TFormStorage(QWidget &window, const QString &path, const QString &section);

    // The current user's file: Zelko/Tamarel/1.x.ini in the folder the
    // desktop keeps configuration in (~/.config unless XDG_CONFIG_HOME says
    // otherwise), so that tests can point it elsewhere.
    static QString DefaultPath();

    // The stored properties, in the order they are written.
    void AddChecked(const QString &name, QCheckBox *box);
    void AddItemIndex(const QString &name, std::function<int()> get, std::function<void(int)> set);
    void AddText(const QString &name, QComboBox *box);
    void AddColor(const QString &name, ui::TColorPicker *picker);

    void Restore();
    // Throws std::runtime_error "Unable to create key '%s'" when the file
    // cannot be written; the values are kept for nothing then.
    void Save();
    bool Restored() const { return fRestored; }
    bool SavedSinceRestore() const { return fSaved; }

    // Runs after every restore, also when nothing was stored.
    std::function<void()> AfterRestorePlacement;

    // Boolean texts: "TRUE", "YES", "Y" and "FALSE", "NO", "N" in any case,
    // else a number (non-zero true); nothing for anything else.
    static std::optional<bool> ReadBoolean(const QVariant &value);

private:
    struct TProperty {
        QString Name;
        std::function<QVariant()> Get;
        std::function<void(const QVariant &)> Set;
    };
    using TLookUp = std::function<std::optional<QString>(const QString &name)>;
    QString DesktopSuffix() const;
    void RestorePlacement(const TLookUp &stored);
    std::vector<TIniFile::TValue> PlacementValues() const;

    QWidget &fWindow;
    QString fPath;
    QString fSection;
    std::vector<TProperty> fProperties;
    bool fRestored = false;
    bool fSaved = false;
    bool fDamaged = false;
};

} // namespace app
