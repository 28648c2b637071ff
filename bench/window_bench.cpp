// A recursive listing of TREE started through the real window (offscreen):
// how long it takes, and how soon a STOP pressed in the middle of another
// one is honoured.

#include "OffscreenWindow.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tamarel-window-bench TREE\n");
        return 2;
    }
    TOffscreenWindow offscreen(argc, argv, QString::fromLocal8Bit(argv[1]));
    app::Twnd_qv_Main &window = *offscreen.Window;
    window.cbxSubdirs->setChecked(true);

    QElapsedTimer timer;
    timer.start();
    window.acListExecute();
    std::printf("window-listing entries=%zu seconds=%.3f\n", window.FList.FileData.size(),
                double(timer.nsecsElapsed()) / 1e9);

    constexpr qint64 PressAt = 200;  // milliseconds into the listing
    QTimer::singleShot(int(PressAt), &window, [&] { window.acListExecute(); });
    timer.restart();
    window.acListExecute();
    const qint64 latency = timer.elapsed() - PressAt;
    std::printf("stop-latency entries=%zu milliseconds=%lld\n", window.FList.FileData.size(),
                static_cast<long long>(latency));
    return 0;
}
