#include "devices/DriveList.h"

#include <gtest/gtest.h>

using namespace devices;
using platform::TMountInfo;

namespace {

TMountInfo Mount(unsigned major, unsigned minor, const char *point, const char *type, const char *source,
                 const char *root = "/")
{
    TMountInfo m;
    m.major = major;
    m.minor = minor;
    m.mountPoint = QString::fromUtf8(point);
    m.fsType = QString::fromUtf8(type);
    m.source = QString::fromUtf8(source);
    m.root = QString::fromUtf8(root);
    return m;
}

std::vector<TMountInfo> SampleTable()
{
    return {
        Mount(0, 21, "/proc", "proc", "proc"),
        Mount(8, 1, "/", "ext4", "/dev/sda1"),
        Mount(0, 24, "/tmp", "tmpfs", "tmpfs"),
        Mount(8, 17, "/media/usb stick", "vfat", "/dev/sdb1"),
        Mount(11, 0, "/media/cdrom", "iso9660", "/dev/sr0"),
        Mount(0, 50, "/mnt/nas", "nfs4", "nas:/share/work"),
        Mount(8, 1, "/srv/bound", "ext4", "/dev/sda1", "/home"),
        Mount(8, 2, "/home", "xfs", "/dev/sda2"),
        Mount(8, 2, "/var/home-again", "xfs", "/dev/sda2"),
        Mount(7, 3, "/snap/core/1", "squashfs", "/dev/loop3"),
        Mount(0, 60, "/var/lib/docker/overlay", "overlay", "overlay"),
    };
}

platform::TBlockDeviceInfo Probe(const TMountInfo &m)
{
    platform::TBlockDeviceInfo info;
    info.Removable = m.source == QLatin1String("/dev/sdb1");
    info.Optical = m.source.startsWith(QLatin1String("/dev/sr"));
    if (m.source == QLatin1String("/dev/sda2"))
        info.Label = QStringLiteral("Homes");
    return info;
}

TEST(DriveList, ShowsRealVolumesOnceWithTheirCaptionsAndImages)
{
    const std::vector<TDrive> drives = GetAvailableDisks(SampleTable(), Probe);
    struct Row {
        const char *mountPoint;
        const char *caption;
        int image;
    } expected[] = {
        {"/", "/", diFixed},
        {"/media/usb stick", "usb stick", diRemovable},
        {"/media/cdrom", "cdrom", diOptical},
        {"/mnt/nas", "nas", diNetwork},
        {"/home", "Homes", diFixed},
    };
    ASSERT_EQ(drives.size(), std::size(expected));
    for (size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ(drives[i].MountPoint, QString::fromUtf8(expected[i].mountPoint));
        EXPECT_EQ(drives[i].Caption, QString::fromUtf8(expected[i].caption));
        EXPECT_EQ(drives[i].ImageIndex, expected[i].image) << expected[i].mountPoint;
    }
    EXPECT_TRUE(drives[3].ToolTip.contains(QStringLiteral("nas:/share/work")));
}

TEST(DriveList, ThePathsDriveIsTheLongestMountPointAboveIt)
{
    const std::vector<TDrive> drives = GetAvailableDisks(SampleTable(), Probe);
    EXPECT_EQ(DriveOf(drives, QStringLiteral("/media/usb stick/photos/2015")), 1);
    EXPECT_EQ(DriveOf(drives, QStringLiteral("/media/usb stick")), 1);
    EXPECT_EQ(DriveOf(drives, QStringLiteral("/media/usb sticker")), 0) << "a prefix of a name is no folder";
    EXPECT_EQ(DriveOf(drives, QStringLiteral("/home/user/")), 4);
    EXPECT_EQ(DriveOf(drives, QStringLiteral("C")), 0) << "the system drive";
    EXPECT_EQ(DriveOf(drives, QStringLiteral("relative/unknown")), 0);
    EXPECT_EQ(DriveOf(drives, QString()), 0);
    EXPECT_EQ(DriveOf({}, QStringLiteral("/x")), -1);
    EXPECT_EQ(GetAvailableDisks({}, Probe).size(), 1u) << "the root is always a drive";
}

TEST(DriveList, TheVolumeLineRoundsMegabytesAndGroupsThousands)
{
    const QLocale us(QStringLiteral("en_US"));
    EXPECT_EQ(VolumeLineText(QStringLiteral("System"), QStringLiteral("NTFS"), 262144LL << 20,
                             (1536LL << 20) + (1LL << 19), us),
              QStringLiteral("Label: System     System: NTFS     Capacity: 262,144 MB     Free: 1,537 MB"));
    EXPECT_EQ(VolumeLineText(QString(), QString(), 0, 0, us),
              QStringLiteral("Label:      System:      Capacity: 0 MB     Free: 0 MB"));
    EXPECT_EQ(VolumeLineText(QStringLiteral("x"), QStringLiteral("ext4"), (1LL << 20) - 1, (1LL << 19) - 1, us),
              QStringLiteral("Label: x     System: ext4     Capacity: 1 MB     Free: 0 MB"));
}

} // namespace
