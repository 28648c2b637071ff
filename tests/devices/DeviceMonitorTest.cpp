#include "devices/DeviceMonitor.h"
#include "devices/SystemNoticeSources.h"

#include <gtest/gtest.h>

using namespace devices;

namespace {

// A source the test feeds by hand.
class TScriptedSource : public TNoticeSource {
public:
    explicit TScriptedSource(bool starts = true) : fStarts(starts) {}
    bool Start(std::function<void(const TDeviceNotice &)> deliver) override
    {
        Deliver = std::move(deliver);
        ++Starts;
        return fStarts;
    }
    void Stop() override { ++Stops; }
    std::function<void(const TDeviceNotice &)> Deliver;
    int Starts = 0;
    int Stops = 0;

private:
    bool fStarts;
};

struct Monitor {
    explicit Monitor(bool devicesStart = true)
    {
        TZelko_DeviceMonitor::TSources sources;
        auto v = std::make_unique<TScriptedSource>();
        auto d = std::make_unique<TScriptedSource>(devicesStart);
        volumes = v.get();
        devices = d.get();
        sources.Volumes = std::move(v);
        sources.Devices = std::move(d);
        monitor = std::make_unique<TZelko_DeviceMonitor>(std::move(sources));
        monitor->OnMessage = [this](TZelko_DeviceMonitor &, const TDeviceNotice &n) {
            log.push_back("message " + std::to_string(n.Code));
        };
        monitor->OnVolumeConnect = [this](TZelko_DeviceMonitor &, const QString &drive, bool remote) {
            log.push_back("connect " + drive.toStdString() + (remote ? " remote" : ""));
        };
        monitor->OnVolumeDisconnect = [this](TZelko_DeviceMonitor &, const QString &drive, bool) {
            log.push_back("disconnect " + drive.toStdString());
        };
    }
    TScriptedSource *volumes;
    TScriptedSource *devices;
    std::unique_ptr<TZelko_DeviceMonitor> monitor;
    std::vector<std::string> log;
};

TDeviceNotice Volume(int code, const char *drive, bool remote = false)
{
    TDeviceNotice n;
    n.Code = code;
    n.DeviceType = DBT_DEVTYP_VOLUME;
    n.Drive = QString::fromUtf8(drive);
    n.Remote = remote;
    return n;
}

using Lines = std::vector<std::string>;

TEST(DeviceMonitor, VolumeNoticesRaiseTheirEventAfterOnMessage)
{
    Monitor m;
    m.monitor->SetActive(true);
    ASSERT_TRUE(m.monitor->Active());
    m.volumes->Deliver(Volume(DBT_DEVICEARRIVAL, "/media/usb"));
    m.volumes->Deliver(Volume(DBT_DEVICEREMOVECOMPLETE, "/mnt/nas", true));
    TDeviceNotice other;
    other.Code = 0x0007;
    m.volumes->Deliver(other);
    EXPECT_EQ(m.log, (Lines{"message 32768", "connect /media/usb", "message 32772", "disconnect /mnt/nas",
                            "message 7"}));
}

TEST(DeviceMonitor, DeviceNoticesAreDescribedOnlyWhenADeviceEventIsBound)
{
    Monitor m;
    m.monitor->SetActive(true);
    int lookups = 0;
    TDeviceNotice plugged;
    plugged.Code = DBT_DEVICEARRIVAL;
    plugged.DeviceType = DBT_DEVTYP_DEVICEINTERFACE;
    plugged.Properties = [&] {
        ++lookups;
        return TDeviceProperties{{QStringLiteral("DEVPATH"), QStringLiteral("/devices/pci0000:00/usb1/1-2")},
                                 {QStringLiteral("SUBSYSTEM"), QStringLiteral("usb")},
                                 {QStringLiteral("ID_VENDOR"), QStringLiteral("Kingston")},
                                 {QStringLiteral("ID_MODEL"), QStringLiteral("DataTraveler_2.0")},
                                 {QStringLiteral("ID_REVISION"), QStringLiteral("PMAP")},
                                 {QStringLiteral("ID_PATH"), QStringLiteral("pci-0000:00:14.0-usb-0:2")},
                                 {QStringLiteral("DRIVER"), QStringLiteral("usb")},
                                 {QStringLiteral("ID_MODEL_FROM_DATABASE"), QStringLiteral("Flash Drive")}};
    };
    m.devices->Deliver(plugged);
    EXPECT_EQ(lookups, 0) << "no device event bound";

    std::vector<TDeviceDesc> connected, removed;
    m.monitor->OnDeviceConnect = [&](TZelko_DeviceMonitor &, const TDeviceDesc &d) { connected.push_back(d); };
    m.monitor->OnDeviceDisconect = [&](TZelko_DeviceMonitor &, const TDeviceDesc &d) { removed.push_back(d); };
    m.devices->Deliver(plugged);
    TDeviceNotice custom = plugged;
    custom.Code = DBT_CUSTOMEVENT;
    m.devices->Deliver(custom);
    TDeviceNotice gone = plugged;
    gone.Code = DBT_DEVICEREMOVECOMPLETE;
    m.devices->Deliver(gone);
    ASSERT_EQ(connected.size(), 1u);
    ASSERT_EQ(removed.size(), 1u) << "a custom event raises neither";
    const TDeviceDesc &d = connected.front();
    EXPECT_EQ(d.SymbolicName, QStringLiteral("/devices/pci0000:00/usb1/1-2"));
    EXPECT_EQ(d.ClassName, QStringLiteral("usb"));
    EXPECT_EQ(d.Name, QStringLiteral("Kingston DataTraveler 2.0 PMAP"));
    EXPECT_EQ(d.Location, QStringLiteral("pci-0000:00:14.0-usb-0:2"));
    EXPECT_EQ(d.Driver, QStringLiteral("usb"));
    EXPECT_EQ(d.Description, QStringLiteral("Flash Drive"));
    EXPECT_EQ(d.GUID, UsbDeviceInterfaceClass);
}

TEST(DeviceMonitor, ActivationNeedsEveryDeviceSourceButVolumesComeAnyway)
{
    Monitor noUdev(false);
    noUdev.monitor->SetActive(true);
    EXPECT_FALSE(noUdev.monitor->Active()) << "no udev: the device part does not activate";
    noUdev.volumes->Deliver(Volume(DBT_DEVICEARRIVAL, "/media/cd"));
    EXPECT_EQ(noUdev.log.back(), "connect /media/cd") << "the mount table still reports";

    Monitor bluetooth;
    bluetooth.monitor->SetCatchBluetooth(true);
    bluetooth.monitor->SetActive(true);
    EXPECT_FALSE(bluetooth.monitor->Active()) << "no Bluetooth source on Linux";

    Monitor m;
    m.monitor->SetActive(true);
    m.monitor->SetCatchBluetooth(true);
    EXPECT_FALSE(m.monitor->CatchBluetooth()) << "ignored while active";
    m.monitor->SetActive(true);
    EXPECT_EQ(m.devices->Starts, 1) << "setting the same value does nothing";
    m.monitor->SetActive(false);
    EXPECT_FALSE(m.monitor->Active());
    EXPECT_EQ(m.volumes->Stops, 1);
}

TEST(SystemNoticeSources, MountTableChangesBecomeVolumeNotices)
{
    auto mount = [](unsigned minor, const char *point, const char *type, const char *source) {
        platform::TMountInfo m;
        m.major = 8;
        m.minor = minor;
        m.mountPoint = QString::fromUtf8(point);
        m.fsType = QString::fromUtf8(type);
        m.source = QString::fromUtf8(source);
        m.root = QStringLiteral("/");
        return m;
    };
    const auto before = DriveMountPoints({mount(1, "/", "ext4", "/dev/sda1"), mount(17, "/media/old", "vfat", "/dev/sdb1")});
    const auto after = DriveMountPoints({mount(1, "/", "ext4", "/dev/sda1"), mount(50, "/mnt/nas", "nfs4", "nas:/x"),
                                         mount(60, "/tmp", "tmpfs", "tmpfs")});
    const std::vector<TDeviceNotice> notices = VolumeNotices(before, after);
    ASSERT_EQ(notices.size(), 2u) << "tmpfs is no drive";
    EXPECT_EQ(notices[0].Code, DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(notices[0].Drive, QStringLiteral("/media/old"));
    EXPECT_EQ(notices[1].Code, DBT_DEVICEARRIVAL);
    EXPECT_EQ(notices[1].Drive, QStringLiteral("/mnt/nas"));
    EXPECT_TRUE(notices[1].Remote);
    EXPECT_TRUE(VolumeNotices(after, after).empty());
}

} // namespace
