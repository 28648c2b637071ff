// The explorer with large folders: scanning FOLDER and showing it sorted in
// the real table (offscreen), and sorting a million rows by name in the C
// locale and in a collating one.

#include "OffscreenWindow.h"

#include "explorer/ExplorerOrder.h"
#include "explorer/FieldFormat.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTreeView>
#include <cstdio>
#include <numeric>

namespace {

double Seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

void SortMillion(const QLocale &locale, const char *name)
{
    explorer::TFileList list;
    const QString folder = QStringLiteral("/data/folder/");
    for (int i = 0; i < 1000000; ++i) {
        explorer::TFileData d;
        d.Location = folder;
        d.Name = QStringLiteral("File %1 %2.txt").arg((qint64(i) * 7919) % 1000003).arg(i % 13);
        d.Directory = i % 50 == 0;
        list.FileData.push_back(d);
    }
    std::vector<int> rows(list.FileData.size());
    std::iota(rows.begin(), rows.end(), 0);
    QElapsedTimer timer;
    timer.start();
    rows = explorer::SortExplorerRows(list, rows, 0, explorer::sdAscending, locale);
    std::printf("sort-1M-by-name locale=%s seconds=%.3f\n", name, Seconds(timer));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tamarel-explorer-bench FOLDER\n");
        return 2;
    }
    // Opened from its parent folder as a user would: its row, then Enter.
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    TOffscreenWindow offscreen(argc, argv, explorer::ExtractFolderPart(folder));
    app::Twnd_qv_Main &window = *offscreen.Window;
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("Tree"));
    const QModelIndexList rows = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole,
                                                     explorer::ExtractBaseName(explorer::ExtractFileName(folder)),
                                                     1, Qt::MatchExactly);
    if (rows.isEmpty()) {
        std::fprintf(stderr, "tamarel-explorer-bench: no row for %s\n", argv[1]);
        return 2;
    }
    tree->setCurrentIndex(rows.first());

    QElapsedTimer timer;
    timer.start();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(tree, &enter);
    QCoreApplication::processEvents();  // the table paints its first page
    std::printf("scan-and-show rows=%d seconds=%.3f\n", tree->model()->rowCount(), Seconds(timer));
    std::fflush(stdout);

    timer.restart();
    for (int i = 0; i < 20; ++i)
        window.findChild<QAction *>(QLatin1String(i % 2 ? "pmName" : "pmSize"))->trigger();
    std::printf("resort-by-header seconds-each=%.4f\n", Seconds(timer) / 20);

    SortMillion(QLocale::c(), "C");
    SortMillion(QLocale(QStringLiteral("en_US")), "en_US");
    return 0;
}
