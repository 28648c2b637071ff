#include "devices/DriveList.h"

#include <cmath>
#include <set>

namespace devices {

namespace {

const QString Root = QStringLiteral("/");

bool IsOptical(const platform::TMountInfo &m, const platform::TBlockDeviceInfo &device)
{
    return device.Optical || m.fsType == QLatin1String("iso9660") || m.fsType == QLatin1String("udf");
}

int ImageOf(const platform::TMountInfo &m, const platform::TBlockDeviceInfo &device)
{
    if (IsNetworkFileSystem(m.fsType))
        return diNetwork;
    if (IsOptical(m, device))
        return diOptical;
    if (!m.source.startsWith(QLatin1String("/dev/")))
        return diOther;
    return device.Removable ? diRemovable : diFixed;
}

bool IsDrive(const platform::TMountInfo &m)
{
    if (m.mountPoint == Root)
        return true;
    if (platform::IsPseudoFileSystem(m.fsType) || m.fsType == QLatin1String("tmpfs")
        || m.fsType == QLatin1String("squashfs") || m.fsType == QLatin1String("overlay"))
        return false;
    return IsNetworkFileSystem(m.fsType) || m.source.startsWith(QLatin1String("/dev/"));
}

QString LastComponent(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

bool IsNetworkFileSystem(const QString &fsType)
{
    static const char *const network[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs",
                                          "sshfs", "9p", "afs", "ceph", "glusterfs", "davfs", "fuse.rclone"};
    for (const char *name : network)
        if (fsType == QLatin1String(name))
            return true;
    return false;
}

std::vector<TDrive> GetAvailableDisks(const std::vector<platform::TMountInfo> &mounts,
                                      const TDeviceProbe &probe)
{
    std::vector<TDrive> drives;
    std::set<std::pair<unsigned, unsigned>> seen;
    std::set<QString> mountPoints;
    auto add = [&](const platform::TMountInfo &m) {
        // A file system mounted a second time (a bind mount, or the same
        // device again) is one drive, shown at its first mount point. A
        // mount hidden under a later one at the same place shows once.
        if (!IsDrive(m) || !seen.insert({m.major, m.minor}).second || !mountPoints.insert(m.mountPoint).second)
            return;
        const platform::TBlockDeviceInfo device = probe ? probe(m) : platform::TBlockDeviceInfo();
        TDrive d;
        d.MountPoint = m.mountPoint;
        d.FileSystem = m.fsType;
        d.Label = device.Label;
        d.Caption = m.mountPoint == Root ? Root : (device.Label.isEmpty() ? LastComponent(m.mountPoint) : device.Label);
        d.ToolTip = m.mountPoint + QStringLiteral(" (") + m.source + QLatin1Char(')');
        d.ImageIndex = ImageOf(m, device);
        drives.push_back(d);
    };
    for (const auto &m : mounts)
        if (m.mountPoint == Root)
            add(m);
    if (drives.empty())
        drives.push_back(TDrive{Root, Root, Root, QString(), QString(), diFixed});
    for (const auto &m : mounts)
        if (m.mountPoint != Root && m.root == Root)
            add(m);
    return drives;
}

int DriveOf(const std::vector<TDrive> &drives, const QString &path)
{
    int best = -1, root = -1;
    qsizetype bestLength = -1;
    for (size_t i = 0; i < drives.size(); ++i) {
        const QString &mp = drives[i].MountPoint;
        if (mp == Root)
            root = int(i);
        const bool inside = path == mp || path.startsWith(mp == Root ? mp : mp + QLatin1Char('/'));
        if (path.startsWith(QLatin1Char('/')) && inside && mp.size() > bestLength) {
            best = int(i);
            bestLength = mp.size();
        }
    }
    return best >= 0 ? best : root;
}

QString VolumeLineText(const QString &label, const QString &fileSystem, int64_t capacity,
                       int64_t available, const QLocale &locale)
{
    auto megabytes = [&](int64_t bytes) {
        const long double mb = static_cast<long double>(bytes) / 1024 / 1024;
        return locale.toString(static_cast<qlonglong>(std::llround(mb)));
    };
    return QStringLiteral("Label: %1     System: %2     Capacity: %3 MB     Free: %4 MB")
        .arg(label, fileSystem, megabytes(capacity), megabytes(available));
}

} // namespace devices
