#pragma once
// Which mounted volumes are drives, and what the bar shows for each: the
// root file system always, real disks, optical media and network shares;
// not kernel and memory file systems, nor second mounts of one file system.

#include "platform/MountTable.h"
#include "platform/Volumes.h"

#include <QLocale>
#include <QString>
#include <functional>
#include <vector>

namespace devices {

// The bar's images.
enum TDriveImage { diOther = 0, diFixed = 1, diNetwork = 2, diOptical = 3, diRemovable = 4 };

struct TDrive {
    QString MountPoint;  // "/", "/media/usb stick"
    QString Caption;     // "/", the label, or the mount point's last component
    QString ToolTip;     // mount point and device
    QString FileSystem;  // as the mount table names it
    QString Label;
    int ImageIndex = diOther;
};

using TDeviceProbe = std::function<platform::TBlockDeviceInfo(const platform::TMountInfo &)>;

bool IsNetworkFileSystem(const QString &fsType);

// The drives of a mount table, in its order with "/" first. The probe
// answers the device questions (sysfs in the program, a table in tests).
std::vector<TDrive> GetAvailableDisks(const std::vector<platform::TMountInfo> &mounts,
                                      const TDeviceProbe &probe);

// The drive that holds Path: the longest mount point that is a prefix of
// it. "C", an empty or an unknown path give the root file system's drive;
// -1 only when there is no drive at all.
int DriveOf(const std::vector<TDrive> &drives, const QString &path);

// "Label: data     System: ext4     Capacity: 262,144 MB     Free: 1,537 MB"
QString VolumeLineText(const QString &label, const QString &fileSystem, int64_t capacity,
                       int64_t available, const QLocale &locale);

} // namespace devices
