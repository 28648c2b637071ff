#include "devices/DeviceMonitor.h"

#include "devices/SystemNoticeSources.h"

namespace devices {

namespace {

QString Property(const TDeviceProperties &properties, const char *name)
{
    const auto it = properties.find(QString::fromLatin1(name));
    return it == properties.end() ? QString() : it->second;
}

} // namespace

TDeviceDesc DescribeDevice(const TDeviceProperties &p)
{
    TDeviceDesc d;
    d.SymbolicName = Property(p, "DEVPATH");
    d.ClassName = Property(p, "SUBSYSTEM");
    QStringList name;
    for (const char *key : {"ID_VENDOR", "ID_MODEL", "ID_REVISION"})
        if (!Property(p, key).isEmpty())
            name.append(Property(p, key));
    d.Name = name.join(QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' ')).trimmed();
    d.Location = Property(p, "ID_PATH");
    d.Driver = Property(p, "DRIVER");
    d.Description = Property(p, "ID_MODEL_FROM_DATABASE");
    if (d.ClassName == QLatin1String("usb"))
        d.GUID = UsbDeviceInterfaceClass;
    return d;
}

TZelko_DeviceMonitor::TSources TZelko_DeviceMonitor::SystemSources()
{
    TSources sources;
    sources.Volumes = std::make_unique<TMountTableSource>();
    sources.Devices = std::make_unique<TUdevSource>();
    return sources;
}

TZelko_DeviceMonitor::TZelko_DeviceMonitor(QObject *owner) : TZelko_DeviceMonitor(SystemSources(), owner)
{
}

TZelko_DeviceMonitor::TZelko_DeviceMonitor(TSources sources, QObject *owner)
    : QObject(owner), fSources(std::move(sources))
{
}

TZelko_DeviceMonitor::~TZelko_DeviceMonitor()
{
    SetActive(false);
    Deactivate();
}

void TZelko_DeviceMonitor::SetActive(bool value)
{
    if (value == fActive)
        return;
    if (!value) {
        fActive = false;
        Deactivate();
        return;
    }
    auto deliver = [this](const TDeviceNotice &notice) { WMDeviceChange(notice); };
    Deactivate();
    fStarted = true;
    // Volumes come regardless, as broadcast notices do; only the device
    // registrations decide whether activation succeeded.
    if (fSources.Volumes)
        fSources.Volumes->Start(deliver);
    bool ok = fSources.Devices && fSources.Devices->Start(deliver);
    if (ok && fCatchBluetooth)
        ok = fSources.Bluetooth && fSources.Bluetooth->Start(deliver);
    fActive = ok;
}

void TZelko_DeviceMonitor::Deactivate()
{
    if (!fStarted)
        return;
    fStarted = false;
    for (TNoticeSource *source : {fSources.Volumes.get(), fSources.Devices.get(), fSources.Bluetooth.get()})
        if (source)
            source->Stop();
}

void TZelko_DeviceMonitor::SetCatchBluetooth(bool value)
{
    if (!fActive)
        fCatchBluetooth = value;
}

void TZelko_DeviceMonitor::WMDeviceChange(const TDeviceNotice &notice)
{
    if (OnMessage)
        OnMessage(*this, notice);
    if (notice.Code != DBT_DEVICEARRIVAL && notice.Code != DBT_DEVICEREMOVECOMPLETE
        && notice.Code != DBT_CUSTOMEVENT)
        return;
    switch (notice.DeviceType) {
    case DBT_DEVTYP_DEVICEINTERFACE: {
        if (!OnDeviceConnect && !OnDeviceDisconect)
            return;
        const TDeviceDesc desc = DescribeDevice(notice.Properties ? notice.Properties() : TDeviceProperties());
        if (notice.Code == DBT_DEVICEARRIVAL && OnDeviceConnect)
            OnDeviceConnect(*this, desc);
        else if (notice.Code == DBT_DEVICEREMOVECOMPLETE && OnDeviceDisconect)
            OnDeviceDisconect(*this, desc);
        return;
    }
    case DBT_DEVTYP_VOLUME:
        if (notice.Code == DBT_DEVICEARRIVAL) {
            if (OnVolumeConnect)
                OnVolumeConnect(*this, notice.Drive, notice.Remote);
        } else if (OnVolumeDisconnect) {
            OnVolumeDisconnect(*this, notice.Drive, notice.Remote);
        }
        return;
    default:
        return;
    }
}

} // namespace devices
