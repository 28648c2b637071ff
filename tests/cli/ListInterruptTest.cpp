// Ctrl+C reaches tamarel-list inside a file it is reading for a phrase, not
// only between files.

#include "TreeFixture.h"

#include <QProcess>
#include <QThread>
#include <csignal>

namespace {

class ListInterruptTest : public testing_support::TreeFixture {
protected:
    // Gigabytes of sparse file are read from memory.
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(ListInterruptTest, AnInterruptEndsTheReadOfAHugeFile)
{
    MakeFolder("top");
    MakeSparseWithTail("top/huge.txt", 32LL << 30, "needle");
    QProcess process;
    process.start(QStringLiteral(TAMAREL_LIST_BINARY),
                  {QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("csv"),
                   QStringLiteral("-c"), QStringLiteral("needle"),
                   QString::fromStdString(Abs("top"))});
    ASSERT_TRUE(process.waitForStarted());
    // Interrupt once it is well inside the file.
    while (process.state() == QProcess::Running && BytesRead(process.processId()) < (256LL << 20))
        QThread::msleep(5);
    ASSERT_EQ(process.state(), QProcess::Running) << "the whole file was read before the interrupt";
    kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_FALSE(process.readAllStandardOutput().contains("huge.txt"));
}

} // namespace
