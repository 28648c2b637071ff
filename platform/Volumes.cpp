#include "platform/Volumes.h"

#include "platform/NameCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace platform {

namespace {

QString SysfsDevice(const TMountInfo &mount)
{
    return QStringLiteral("/sys/dev/block/%1:%2").arg(mount.major).arg(mount.minor);
}

bool ReadFlag(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(1) == "1";
}

// udev writes blanks and other bytes of a label as "\x20" in link names.
QString UnescapeLabel(const QString &name)
{
    std::string out;
    const std::string bytes = EncodeFileName(name);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\\' && i + 3 < bytes.size() && bytes[i + 1] == 'x') {
            bool ok = false;
            const int value = QString::fromStdString(bytes.substr(i + 2, 2)).toInt(&ok, 16);
            if (ok) {
                out.push_back(char(value));
                i += 3;
                continue;
            }
        }
        out.push_back(bytes[i]);
    }
    return DecodeFileName(out);
}

} // namespace

TBlockDeviceInfo ReadBlockDeviceInfo(const TMountInfo &mount)
{
    TBlockDeviceInfo info;
    if (!mount.source.startsWith(QLatin1String("/dev/")))
        return info;
    info.Optical = mount.source.startsWith(QLatin1String("/dev/sr"));
    const QString device = SysfsDevice(mount);
    const QString real = QFileInfo(device).canonicalFilePath();
    // A partition's flag sits on its disk, one folder up.
    info.Removable = ReadFlag(device + QStringLiteral("/removable"))
                     || ReadFlag(device + QStringLiteral("/../removable"))
                     || real.contains(QLatin1String("/usb"));
    const QString source = QFileInfo(mount.source).canonicalFilePath();
    const QDir labels(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo &link : labels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == source) {
            info.Label = UnescapeLabel(link.fileName());
            break;
        }
    }
    return info;
}

TVolumeSpace ReadVolumeSpace(const QString &mountPoint)
{
    TVolumeSpace space;
    struct statvfs st {};
    if (statvfs(EncodeFileName(mountPoint).c_str(), &st) != 0)
        return space;
    space.Capacity = int64_t(st.f_blocks) * int64_t(st.f_frsize);
    space.Available = int64_t(st.f_bavail) * int64_t(st.f_frsize);
    return space;
}

} // namespace platform
