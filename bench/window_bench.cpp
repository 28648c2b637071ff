// A recursive listing of TREE started through the real window (offscreen):
// how long it takes, and how soon a STOP pressed in the middle of another
// one is honoured.

#include "OffscreenWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tamarel-window-bench TREE\n");
        return 2;
    }
    TOffscreenWindow offscreen(argc, argv, QString::fromLocal8Bit(argv[1]));
    app::Twnd_qv_Main &window = *offscreen.Window;
    window.findChild<QCheckBox *>(QStringLiteral("cbxSubdirs"))->setChecked(true);
    auto *start = window.findChild<QAction *>(QStringLiteral("acList"));
    const QAbstractItemModel *list = window.findChild<QTreeView *>(QStringLiteral("List"))->model();

    QElapsedTimer timer;
    timer.start();
    start->trigger();
    std::printf("window-listing entries=%d seconds=%.3f\n", list->rowCount(), double(timer.nsecsElapsed()) / 1e9);

    constexpr qint64 PressAt = 200;  // milliseconds into the listing
    QTimer::singleShot(int(PressAt), &window, [&] { start->trigger(); });
    timer.restart();
    start->trigger();
    const qint64 latency = timer.elapsed() - PressAt;
    std::printf("stop-latency entries=%d milliseconds=%lld\n", list->rowCount(), static_cast<long long>(latency));
    return 0;
}
