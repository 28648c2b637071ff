#pragma once
// Colours as the stored settings write them: a name of the colour-name
// table ("clWhite") or a number, blue x 65536 + green x 256 + red.

#include <QString>
#include <QVariant>
#include <optional>

namespace app {

// The picker's text ("#0080C0", or the no-colour text) as stored: a name
// or a number.
QVariant StoredColor(const QString &pickerText, const QString &noColorText);

// The picker's text for a stored value, if the value names a colour.
std::optional<QString> PickerTextOf(const QVariant &stored, const QString &noColorText);

} // namespace app
