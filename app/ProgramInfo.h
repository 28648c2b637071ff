#pragma once
// What the about box says of the program and of the system it runs on.

#include <QString>

namespace app {

struct TVersionInfo {
    QString ProductName;
    QString Description;
    QString Comments;
    QString Copyright;
    QString Version;  // "1.2.3.0"
};

// The program's own record, from the build.
TVersionInfo ProgramVersionInfo();

// "Debian GNU/Linux 12 x64": the distribution's name and version from the
// text of os-release, and "x64" on a 64-bit x86 processor. Empty fields
// leave nothing behind but the other parts.
QString OperatingSystemLine(const QString &osRelease, const QString &cpuArchitecture);
// The same for this machine (/etc/os-release, else /usr/lib/os-release).
QString CurrentOperatingSystemLine();

// The maker's two links; the about box shows them without their scheme.
inline const QString MakerEmailLink = QStringLiteral("mailto:tamarel@example.org");
inline const QString MakerHomePageLink = QStringLiteral("http://www.example.org/tamarel");

} // namespace app
