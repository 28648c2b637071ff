#include "platform/MountTable.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MountTable, ParsesEscapesOptionalFieldsAndSkipsBrokenLines)
{
    const QByteArray text =
        "22 1 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
        "\n"
        "short line\n"
        "30 1 8:17 / /media/usb\\040stick rw shared:1 master:2 - vfat /dev/sdb1 rw\n"
        "31 1 0:50 / /mnt/tab\\011and\\134slash rw - nfs4 nas:/share/work rw\n"
        "32 1 x:y / /bad rw - ext4 /dev/sda1 rw\n"
        "33 1 8:1 / / rw - ext4 /dev/sda1 rw";
    const auto mounts = ParseMountInfo(text);
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].mountPoint, QStringLiteral("/proc"));
    EXPECT_EQ(mounts[0].fsType, QStringLiteral("proc"));
    EXPECT_EQ(mounts[1].mountPoint, QStringLiteral("/media/usb stick"));
    EXPECT_EQ(mounts[1].major, 8u);
    EXPECT_EQ(mounts[1].minor, 17u);
    EXPECT_EQ(mounts[1].source, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(mounts[2].mountPoint, QStringLiteral("/mnt/tab\tand\\slash"));
    EXPECT_EQ(mounts[2].source, QStringLiteral("nas:/share/work"));
    EXPECT_EQ(mounts[3].mountPoint, QStringLiteral("/"));
}

TEST(MountTable, TellsKernelFileSystemsFromOnesThatHoldFiles)
{
    EXPECT_TRUE(IsPseudoFileSystem(QStringLiteral("proc")));
    EXPECT_TRUE(IsPseudoFileSystem(QStringLiteral("cgroup2")));
    EXPECT_TRUE(IsPseudoFileSystem(QStringLiteral("devtmpfs")));
    EXPECT_FALSE(IsPseudoFileSystem(QStringLiteral("tmpfs")));
    EXPECT_FALSE(IsPseudoFileSystem(QStringLiteral("ext4")));
    EXPECT_FALSE(IsPseudoFileSystem(QStringLiteral("fuse.sshfs")));
}
