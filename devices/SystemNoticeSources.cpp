#include "devices/SystemNoticeSources.h"

#include "devices/DriveList.h"

#include <cstring>
#include <fcntl.h>
#include <libudev.h>
#include <unistd.h>

namespace devices {

std::map<QString, bool> DriveMountPoints(const std::vector<platform::TMountInfo> &mounts)
{
    std::map<QString, bool> drives;
    for (const TDrive &d : GetAvailableDisks(mounts, nullptr))
        drives[d.MountPoint] = IsNetworkFileSystem(d.FileSystem);
    return drives;
}

std::vector<TDeviceNotice> VolumeNotices(const std::map<QString, bool> &before,
                                         const std::map<QString, bool> &after)
{
    std::vector<TDeviceNotice> notices;
    auto notice = [](int code, const std::pair<const QString, bool> &drive) {
        TDeviceNotice n;
        n.Code = code;
        n.DeviceType = DBT_DEVTYP_VOLUME;
        n.Drive = drive.first;
        n.Remote = drive.second;
        return n;
    };
    for (const auto &drive : before)
        if (!after.count(drive.first))
            notices.push_back(notice(DBT_DEVICEREMOVECOMPLETE, drive));
    for (const auto &drive : after)
        if (!before.count(drive.first))
            notices.push_back(notice(DBT_DEVICEARRIVAL, drive));
    return notices;
}

TMountTableSource::~TMountTableSource()
{
    Stop();
}

bool TMountTableSource::Start(std::function<void(const TDeviceNotice &)> deliver)
{
    Stop();
    fFd = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fFd < 0)
        return false;
    fDeliver = std::move(deliver);
    fDrives = DriveMountPoints(platform::ReadMountTable());
    // The kernel marks the table's file exceptional when a mount changes.
    fNotifier = std::make_unique<QSocketNotifier>(fFd, QSocketNotifier::Exception);
    QObject::connect(fNotifier.get(), &QSocketNotifier::activated, [this] { TableChanged(); });
    return true;
}

void TMountTableSource::Stop()
{
    fNotifier.reset();
    if (fFd >= 0)
        close(fFd);
    fFd = -1;
}

void TMountTableSource::TableChanged()
{
    // Reading the file to its end re-arms the notice.
    char buffer[4096];
    lseek(fFd, 0, SEEK_SET);
    while (read(fFd, buffer, sizeof buffer) > 0) {
    }
    const std::map<QString, bool> now = DriveMountPoints(platform::ReadMountTable());
    const std::vector<TDeviceNotice> notices = VolumeNotices(fDrives, now);
    fDrives = now;
    for (const TDeviceNotice &n : notices)
        fDeliver(n);
}

TUdevSource::~TUdevSource()
{
    Stop();
}

bool TUdevSource::Start(std::function<void(const TDeviceNotice &)> deliver)
{
    Stop();
    // Without a running udev the monitor would open but never hear a thing.
    if (access("/run/udev/control", F_OK) != 0)
        return false;
    fUdev = udev_new();
    if (!fUdev)
        return false;
    fMonitor = udev_monitor_new_from_netlink(fUdev, "udev");
    if (!fMonitor || udev_monitor_filter_add_match_subsystem_devtype(fMonitor, "usb", "usb_device") < 0
        || udev_monitor_enable_receiving(fMonitor) < 0) {
        Stop();
        return false;
    }
    fDeliver = std::move(deliver);
    fNotifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(fMonitor), QSocketNotifier::Read);
    QObject::connect(fNotifier.get(), &QSocketNotifier::activated, [this] { DeviceReady(); });
    return true;
}

void TUdevSource::Stop()
{
    fNotifier.reset();
    if (fMonitor)
        udev_monitor_unref(fMonitor);
    if (fUdev)
        udev_unref(fUdev);
    fMonitor = nullptr;
    fUdev = nullptr;
}

void TUdevSource::DeviceReady()
{
    udev_device *raw = udev_monitor_receive_device(fMonitor);
    if (!raw)
        return;
    const std::shared_ptr<udev_device> device(raw, udev_device_unref);
    const char *action = udev_device_get_action(raw);
    TDeviceNotice notice;
    notice.DeviceType = DBT_DEVTYP_DEVICEINTERFACE;
    notice.Code = action && !strcmp(action, "add")      ? DBT_DEVICEARRIVAL
                  : action && !strcmp(action, "remove") ? DBT_DEVICEREMOVECOMPLETE
                                                        : DBT_CUSTOMEVENT;
    notice.Properties = [device] {
        TDeviceProperties properties;
        for (udev_list_entry *e = udev_device_get_properties_list_entry(device.get()); e;
             e = udev_list_entry_get_next(e))
            properties[QString::fromUtf8(udev_list_entry_get_name(e))] =
                QString::fromUtf8(udev_list_entry_get_value(e));
        return properties;
    };
    fDeliver(notice);
}

} // namespace devices
