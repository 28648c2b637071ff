#pragma once
// The system's notice sources, read on the thread that starts them through
// its event loop: the mount table for volumes, udev for USB devices.

#include "devices/DeviceMonitor.h"
#include "platform/MountTable.h"

#include <QSocketNotifier>
#include <memory>

struct udev;
struct udev_monitor;

namespace devices {

// Volumes that become drives or stop being drives, by mount point.
class TMountTableSource : public TNoticeSource {
public:
    ~TMountTableSource() override;
    bool Start(std::function<void(const TDeviceNotice &)> deliver) override;
    void Stop() override;

private:
    void TableChanged();
    int fFd = -1;
    std::unique_ptr<QSocketNotifier> fNotifier;
    std::function<void(const TDeviceNotice &)> fDeliver;
    std::map<QString, bool> fDrives;  // mount point -> remote
};

// USB devices plugged in or removed. Fails to start where udev does not
// run (containers, CI).
class TUdevSource : public TNoticeSource {
public:
    ~TUdevSource() override;
    bool Start(std::function<void(const TDeviceNotice &)> deliver) override;
    void Stop() override;

private:
    void DeviceReady();
    udev *fUdev = nullptr;
    udev_monitor *fMonitor = nullptr;
    std::unique_ptr<QSocketNotifier> fNotifier;
    std::function<void(const TDeviceNotice &)> fDeliver;
};

// The drives of a mount table by mount point, with whether each is remote.
std::map<QString, bool> DriveMountPoints(const std::vector<platform::TMountInfo> &mounts);

// What changed between two such sets, as notices: removals first.
std::vector<TDeviceNotice> VolumeNotices(const std::map<QString, bool> &before,
                                         const std::map<QString, bool> &after);

} // namespace devices
