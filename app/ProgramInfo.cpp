#include "app/ProgramInfo.h"
#include "app/ProgramVersion.h"

#include <QFile>
#include <QSysInfo>

namespace app {

namespace {

// A value of os-release: KEY=value, KEY="value" or KEY='value'.
QString OsReleaseValue(const QString &text, const QString &key)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(key + QLatin1Char('=')))
            continue;
        QString value = trimmed.mid(key.size() + 1);
        if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
            && value.endsWith(value.at(0)))
            value = value.mid(1, value.size() - 2);
        return value.replace(QLatin1String("\\\""), QLatin1String("\""));
    }
    return QString();
}

} // namespace

TVersionInfo ProgramVersionInfo()
{
    TVersionInfo info;
    info.ProductName = QStringLiteral(TAMAREL_PRODUCT);
    info.Description = QStringLiteral(TAMAREL_DESCRIPTION);
    info.Copyright = QStringLiteral(TAMAREL_COPYRIGHT);
    info.Version = QStringLiteral(TAMAREL_VERSION);
    return info;
}

QString OperatingSystemLine(const QString &osRelease, const QString &cpuArchitecture)
{
    QString name = OsReleaseValue(osRelease, QStringLiteral("NAME"));
    if (name.isEmpty())
        name = QStringLiteral("Linux");
    const QString version = OsReleaseValue(osRelease, QStringLiteral("VERSION_ID"));
    const QString edition = cpuArchitecture == QLatin1String("x86_64") ? QStringLiteral("x64") : QString();
    return QStringList{name, version, edition}.join(QLatin1Char(' ')).simplified();
}

QString CurrentOperatingSystemLine()
{
    for (const char *path : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly))
            return OperatingSystemLine(QString::fromUtf8(file.readAll()),
                                       QSysInfo::currentCpuArchitecture());
    }
    return OperatingSystemLine(QString(), QSysInfo::currentCpuArchitecture());
}

} // namespace app
