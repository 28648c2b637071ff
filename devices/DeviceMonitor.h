#pragma once
// Tells its owner when a volume is mounted or unmounted and when a USB
// device is plugged in or removed. Notices come from sources that report on
// the owner's thread through its event loop: the mount table and udev in
// the program, a scripted source in tests.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace devices {

// The codes and kinds of a notice. The numbers are the ones the notices
// have always carried, so logs and handlers read the same on every system.
enum TNoticeCode { DBT_DEVICEARRIVAL = 0x8000, DBT_DEVICEREMOVECOMPLETE = 0x8004, DBT_CUSTOMEVENT = 0x8006 };
enum TNoticeType { DBT_DEVTYP_VOLUME = 2, DBT_DEVTYP_DEVICEINTERFACE = 5, DBT_DEVTYP_HANDLE = 6 };

inline const QString UsbDeviceInterfaceClass = QStringLiteral("{A5DCBF10-6530-11D2-901F-00C04FB951ED}");

using TDeviceProperties = std::map<QString, QString>;

// One notice as a source delivers it.
struct TDeviceNotice {
    int Code = 0;
    int DeviceType = 0;
    QString Drive;       // volumes: the mount point
    bool Remote = false; // volumes: a network file system
    // Devices: the device's properties, asked for only when needed.
    std::function<TDeviceProperties()> Properties;
};

// The seven texts describing a device.
struct TDeviceDesc {
    QString SymbolicName;
    QString ClassName;
    QString Name;
    QString Location;
    QString Driver;
    QString Description;
    QString GUID;
};

// A description from udev's properties: the sysfs path, the subsystem,
// "vendor model revision" with "_" as blanks, the bus path, the driver, the
// hardware database's model name, and the USB device class for USB devices.
TDeviceDesc DescribeDevice(const TDeviceProperties &properties);

class TNoticeSource {
public:
    virtual ~TNoticeSource() = default;
    // Starts reporting notices through Deliver; false when it cannot.
    virtual bool Start(std::function<void(const TDeviceNotice &)> deliver) = 0;
    virtual void Stop() = 0;
};

class TZelko_DeviceMonitor : public QObject {
public:
    // The sources it uses; the default ones are the mount table and udev.
    struct TSources {
        std::unique_ptr<TNoticeSource> Volumes;
        std::unique_ptr<TNoticeSource> Devices;
        std::unique_ptr<TNoticeSource> Bluetooth;  // none on Linux
    };
    static TSources SystemSources();

    explicit TZelko_DeviceMonitor(QObject *owner = nullptr);
    TZelko_DeviceMonitor(TSources sources, QObject *owner = nullptr);
    ~TZelko_DeviceMonitor() override;

    bool Active() const { return fActive; }
    // Starts the sources. Active reads True only when every source asked
    // for started: without udev (containers, CI) it reads False, while the
    // mount table still reports volumes.
    void SetActive(bool value);
    bool CatchBluetooth() const { return fCatchBluetooth; }
    void SetCatchBluetooth(bool value);  // ignored while active

    std::function<void(TZelko_DeviceMonitor &, const TDeviceNotice &)> OnMessage;
    std::function<void(TZelko_DeviceMonitor &, const TDeviceDesc &)> OnDeviceConnect;
    std::function<void(TZelko_DeviceMonitor &, const TDeviceDesc &)> OnDeviceDisconect;
    std::function<void(TZelko_DeviceMonitor &, const QString &drive, bool remote)> OnVolumeConnect;
    std::function<void(TZelko_DeviceMonitor &, const QString &drive, bool remote)> OnVolumeDisconnect;

    // Interprets one notice and raises the events, OnMessage first.
    virtual void WMDeviceChange(const TDeviceNotice &notice);

private:
    void Deactivate();

    TSources fSources;
    bool fActive = false;
    bool fCatchBluetooth = false;
    bool fStarted = false;
};

} // namespace devices
