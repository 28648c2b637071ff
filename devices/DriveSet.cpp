#include "devices/DriveSet.h"

namespace devices {

TDriveSet::TDriveSet(TMountReader readMounts, TDeviceProbe probe)
    : fReadMounts(std::move(readMounts)), fProbe(std::move(probe))
{
}

QString TDriveSet::Refresh(const QString &disk)
{
    fDrives = GetAvailableDisks(fReadMounts(), fProbe);
    fCurrent = DriveOf(fDrives, disk);
    return CurrentMountPoint();
}

QString TDriveSet::CurrentMountPoint() const
{
    return fCurrent >= 0 && fCurrent < int(fDrives.size()) ? fDrives[size_t(fCurrent)].MountPoint : QString();
}

bool TDriveSet::Choose(int index)
{
    if (index < 0 || index >= int(fDrives.size()))
        return false;
    fCurrent = index;
    return true;
}

QString TDriveSet::ExtractFileDrive(const QString &path) const
{
    const int index = DriveOf(fDrives, path);
    return index >= 0 ? fDrives[size_t(index)].MountPoint : QStringLiteral("/");
}

QString TDriveSet::VolumeLine(const QString &drive, const QLocale &locale) const
{
    const int index = DriveOf(fDrives, drive);
    const TDrive *d = index >= 0 ? &fDrives[size_t(index)] : nullptr;
    const platform::TVolumeSpace space = platform::ReadVolumeSpace(drive);
    return VolumeLineText(d ? d->Label : QString(), d ? d->FileSystem : QString(), space.Capacity,
                          space.Available, locale);
}

} // namespace devices
