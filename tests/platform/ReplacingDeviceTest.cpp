#include "TreeFixture.h"

#include "platform/ReplacingDevice.h"

#include <QDir>
#include <QFile>
#include <cerrno>

using namespace platform;

namespace {

// A writer that takes a device (QPdfWriter) writes a little at a time and
// never looks at the answers: the device must keep the first failure for
// Commit and leave the old file whole.
class ReplacingDeviceTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        MakeFolder("out");
        MakeFile("out/print.pdf", "precious");
    }
    QString Target() const { return QString::fromStdString(Abs("out/print.pdf")); }
    QByteArray Read() const
    {
        QFile file(Target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList Entries() const
    {
        return QDir(QString::fromStdString(Abs("out"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // Pieces of 100 bytes up to Size, as a PDF engine writes them.
    static void WriteInPieces(QIODevice &device, int size)
    {
        const QByteArray piece(100, 'p');
        for (int written = 0; written < size; written += piece.size())
            device.write(piece);
    }
};

TEST_F(ReplacingDeviceTest, TheNewContentTakesThePlaceOnlyOnCommit)
{
    TReplacingDevice device;
    ASSERT_EQ(device.Open(Target()), 0);
    WriteInPieces(device, 300000);
    EXPECT_EQ(Read(), QByteArray("precious")) << "nothing replaced before the commit";
    EXPECT_EQ(device.Commit(), 0);
    EXPECT_EQ(Read(), QByteArray(300000, 'p'));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("print.pdf")});
}

TEST_F(ReplacingDeviceTest, ContentGivenUpOrNeverCommittedLeavesTheOldFile)
{
    {
        TReplacingDevice device;
        ASSERT_EQ(device.Open(Target()), 0);
        WriteInPieces(device, 100000);
        device.Cancel();
        EXPECT_EQ(device.Commit(), EBADF) << "a cancelled device commits nothing";
    }
    {
        TReplacingDevice device;
        ASSERT_EQ(device.Open(Target()), 0);
        WriteInPieces(device, 100000);
    }
    EXPECT_EQ(Read(), QByteArray("precious"));
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("print.pdf")});
}

// Failing in the first buffer (known only at Commit) and far into a large
// content (known at a write, and then at every later one).
TEST_F(ReplacingDeviceTest, AFileSizeLimitIsToldByCommitAndNeverCutsTheOldFile)
{
    for (const int size : {5000, 1000000}) {
        EXPECT_TRUE(RunWithFileSizeLimit(4096, [&] {
            TReplacingDevice device;
            if (device.Open(Target()) != 0)
                return false;
            WriteInPieces(device, size);
            const bool laterWritesFail = size < 100000 || device.write("x", 1) == -1;
            return laterWritesFail && device.Commit() == EFBIG && device.Error() == EFBIG;
        })) << size;
        EXPECT_EQ(Read(), QByteArray("precious")) << size;
        EXPECT_EQ(Entries(), QStringList{QStringLiteral("print.pdf")}) << size;
    }
}

} // namespace
