#include "TestApplication.h"
#include "TreeFixture.h"

#include "engine/FindFile.h"

#include <QElapsedTimer>
#include <QThread>
#include <atomic>

using namespace engine;

namespace {

class FindFileThreadTest : public testing_support::TreeFixture {
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        for (int i = 0; i < 50; ++i)
            MakeFile("f" + std::to_string(i));
        finder.Threaded = true;
        finder.Criteria().Files().SetLocation(Root());
        finder.OnSearchFinish = [this](TFindFile &) {
            finishThread = QThread::currentThread();
            finished = true;
        };
    }

    bool WaitForFinish(int ms = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!finished && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return finished;
    }

    TFindFile finder;
    std::atomic<bool> finished{false};
    QThread *finishThread = nullptr;
};

TEST_F(FindFileThreadTest, HitsArriveOnTheWorkerAndTheFinishOnTheCreatingThread)
{
    std::atomic<int> hits{0};
    std::atomic<bool> onWorker{true};
    QThread *const creator = QThread::currentThread();
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) {
        ++hits;
        if (QThread::currentThread() == creator)
            onWorker = false;
    };
    finder.Execute();
    EXPECT_TRUE(finder.Busy());
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(hits, 50);
    EXPECT_TRUE(onWorker);
    EXPECT_EQ(finishThread, creator);
    EXPECT_FALSE(finder.Busy());
}

TEST_F(FindFileThreadTest, AbortFromTheCreatingThreadDeliversNoHitAfterOnSearchAbort)
{
    std::atomic<bool> abortFired{false};
    std::atomic<int> hitsAfterAbort{0};
    finder.OnSearchAbort = [&](TFindFile &) { abortFired = true; };
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) {
        if (abortFired)
            ++hitsAfterAbort;
        QThread::msleep(2);
    };
    finder.Execute();
    QThread::msleep(10);
    finder.Abort();
    EXPECT_TRUE(abortFired);
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(hitsAfterAbort, 0);
    EXPECT_TRUE(finder.Aborted());
}

TEST_F(FindFileThreadTest, AbortWaitsForAHandlerThatWaitsForTheCreatingThread)
{
    // The hit handler asks the creating thread for something and blocks until
    // it is answered; Abort must keep that thread's events running.
    QObject receiver;
    std::atomic<bool> inHandler{false};
    finder.OnFileMatch = [&](TFindFile &, const TFileDetails &) {
        inHandler = true;
        QMetaObject::invokeMethod(&receiver, [] {}, Qt::BlockingQueuedConnection);
    };
    finder.Execute();
    while (!inHandler)
        QThread::yieldCurrentThread();
    finder.Abort();
    EXPECT_TRUE(WaitForFinish());
}

TEST_F(FindFileThreadTest, AnExceptionInTheWorkerReachesTheApplicationAfterTheEndStep)
{
    auto &app = testing_support::TestApplication::Instance();
    app.Shown.clear();
    finder.OnFileMatch = [](TFindFile &, const TFileDetails &) {
        throw std::runtime_error("worker failed");
    };
    finder.Execute();
    ASSERT_TRUE(WaitForFinish());
    QCoreApplication::processEvents();
    EXPECT_EQ(app.Shown, QStringList{QStringLiteral("worker failed")});
    EXPECT_FALSE(finder.Busy());
}

TEST_F(FindFileThreadTest, DestroyingABusyEngineStopsAndWaitsForTheWorker)
{
    std::atomic<int> hits{0};
    auto engine = std::make_unique<TFindFile>();
    engine->Threaded = true;
    engine->Criteria().Files().SetLocation(Root());
    bool finishFired = false;
    engine->OnSearchFinish = [&](TFindFile &) { finishFired = true; };
    engine->OnFileMatch = [&](TFindFile &, const TFileDetails &) {
        ++hits;
        QThread::msleep(5);
    };
    engine->Execute();
    QThread::msleep(20);
    engine.reset();
    const int seen = hits;
    QThread::msleep(30);
    QCoreApplication::processEvents();
    EXPECT_EQ(hits, seen) << "nothing runs after destruction";
    EXPECT_LT(seen, 50);
    EXPECT_FALSE(finishFired);
}

} // namespace
