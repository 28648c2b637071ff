#pragma once
// The settings file, read and written by the program itself rather than by
// QSettings, which sorts the names, writes "NormPos(1600x1000)" as
// "NormPos%281600x1000%29" and reads a value with a comma in it as a list
// ("cbCSVDelim_Text=," comes back empty). Here a file is sections of
// NAME=VALUE lines:
//
//     [wnd_qv_Main]
//     FormVersion=0
//     NormPos(1600x1000)=412,184,1175,826
//     cbCharset_Text=iso-8859-1, utf-8
//
// Names stand as written. A value is the rest of its line, blanks around it
// aside; one that needs them (blanks at its ends, a line break, a leading
// quote) is written in double quotes with backslash escapes (\" \\ \n \r
// \t \xHH), as QSettings quoted its values, so files written by earlier
// versions read the same. Names QSettings escaped ("%28") are read back
// unescaped. Lines starting with ";" or "#" are comments and are kept.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace app {

class TIniFile {
public:
    struct TValue {
        QString Name;
        QString Text;
    };

    // Nothing when the bytes are no such file: a NUL byte, text that is not
    // UTF-8, a line that is neither a section, a value nor a comment.
    static std::optional<TIniFile> Parse(const QByteArray &bytes);
    QByteArray Text() const;

    // The value's text, or nothing when it is not there.
    std::optional<QString> Value(const QString &section, const QString &name) const;
    // The section's values become Values, in their order, followed by the
    // values (and comments) it held before under other names, in the order
    // they had: a value this program does not write, such as a position
    // stored for another desktop size, stays.
    void SetSection(const QString &section, const std::vector<TValue> &values);

private:
    struct TLine {
        QString Name;  // empty for a comment
        QString Text;  // the value, or the whole comment line
    };
    struct TSection {
        QString Name;
        std::vector<TLine> Lines;
    };
    const TSection *Find(const QString &section) const;

    std::vector<TSection> fSections;  // the first one is the part before any section
};

} // namespace app
