#pragma once
// The mount table (/proc/self/mountinfo). Parsing is a pure function over the
// text so that odd lines can be tested; reading the file is separate.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace platform {

struct TMountInfo {
    unsigned major = 0;
    unsigned minor = 0;
    QString root;        // the part of the file system mounted here ("/" mostly)
    QString mountPoint;  // "/media/usb stick" with the "\040" escapes undone
    QString fsType;      // "ext4", "proc", "fuse.sshfs"
    QString source;      // "/dev/sdb1", "nas:/share/work", "proc"
};

// Lines that do not have the expected fields are skipped.
std::vector<TMountInfo> ParseMountInfo(const QByteArray &text);

// The current table; empty when it cannot be read.
std::vector<TMountInfo> ReadMountTable();

// Kernel file systems that hold no user files: their mount points carry the
// System bit, so a walk from "/" stays out of /proc and /sys. tmpfs is not
// among them: /tmp and /run/user hold real files.
bool IsPseudoFileSystem(const QString &fsType);

inline uint64_t DeviceNumber(unsigned major, unsigned minor)
{
    return (uint64_t(major) << 32) | minor;
}

// Answers "is the file system of this device number a pseudo one?" for the
// walk, which meets a mount point whenever a folder's device differs from its
// parent's. The table is read on the first question and read again when a
// device is not in it (a volume mounted meanwhile).
class TMountTypes {
public:
    bool IsPseudo(uint64_t device);

private:
    void Load();
    bool fLoaded = false;
    std::vector<std::pair<uint64_t, bool>> fDevices;
};

} // namespace platform
