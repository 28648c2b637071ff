#include "app/ProgramInfo.h"

#include <gtest/gtest.h>

using namespace app;

TEST(ProgramInfo, TheSystemLineIsDistributionVersionAndProcessor)
{
    const QString debian = QStringLiteral("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                          "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\nID=debian\n");
    EXPECT_EQ(OperatingSystemLine(debian, QStringLiteral("x86_64")), QStringLiteral("Debian GNU/Linux 12 x64"));
    EXPECT_EQ(OperatingSystemLine(debian, QStringLiteral("arm64")), QStringLiteral("Debian GNU/Linux 12"));
    EXPECT_EQ(OperatingSystemLine(QStringLiteral("NAME=Arch Linux\n"), QStringLiteral("x86_64")),
              QStringLiteral("Arch Linux x64")) << "no version, no quotes";
    EXPECT_EQ(OperatingSystemLine(QString(), QStringLiteral("riscv64")), QStringLiteral("Linux"));
    const TVersionInfo info = ProgramVersionInfo();
    EXPECT_EQ(info.Version, QStringLiteral("1.2.3.0"));
    EXPECT_EQ(info.ProductName, QStringLiteral("Tamarel"));
}
