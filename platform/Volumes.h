#pragma once
// What the system says of a mounted volume beyond the mount table: its
// label, whether its device is removable or optical, and its size.

#include "platform/MountTable.h"

#include <QString>
#include <cstdint>

namespace platform {

struct TBlockDeviceInfo {
    bool Removable = false;  // sysfs "removable", or a device on a USB bus
    bool Optical = false;    // a CD/DVD drive (/dev/sr*)
    QString Label;           // the file system's label, when it has one
};

// Looks the device of a mount up in sysfs and /dev/disk/by-label.
TBlockDeviceInfo ReadBlockDeviceInfo(const TMountInfo &mount);

struct TVolumeSpace {
    int64_t Capacity = 0;   // bytes
    int64_t Available = 0;  // bytes the user may still use
};

// Zeros when the volume cannot be asked (not ready, gone).
TVolumeSpace ReadVolumeSpace(const QString &mountPoint);

} // namespace platform
