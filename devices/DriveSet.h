#pragma once
// The drives the drive bar shows and which one is current, without the bar:
// rebuilt wholesale from the mount table on every refresh, current by a
// click or by a refresh and by nothing else.

#include "devices/DriveList.h"

#include <functional>
#include <vector>

namespace devices {

class TDriveSet {
public:
    using TMountReader = std::function<std::vector<platform::TMountInfo>()>;

    // ReadMounts is asked at every refresh (the system's mount table in the
    // program, a table of the test's own in tests); Probe answers the device
    // questions of each mount.
    explicit TDriveSet(TMountReader readMounts, TDeviceProbe probe = platform::ReadBlockDeviceInfo);

    // Rebuilds the set and makes current the drive that holds Disk ("C",
    // "nowhere" and "" mean the root file system). Returns the current
    // drive's mount point, empty when there is no drive at all.
    QString Refresh(const QString &disk);

    const std::vector<TDrive> &Drives() const { return fDrives; }
    int Current() const { return fCurrent; }  // -1 for none
    // The mount point of the current drive, empty for none.
    QString CurrentMountPoint() const;
    // A click on drive Index makes it current; false for an index that is
    // not a drive's.
    bool Choose(int index);

    // The mount point of the drive that holds Path; "/" when no drive does.
    QString ExtractFileDrive(const QString &path) const;
    // The volume line of the drive that holds Drive, with its space as the
    // system reports it now.
    QString VolumeLine(const QString &drive, const QLocale &locale) const;

private:
    TMountReader fReadMounts;
    TDeviceProbe fProbe;
    std::vector<TDrive> fDrives;
    int fCurrent = -1;
};

} // namespace devices
