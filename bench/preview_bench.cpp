// The Preview page with a large listing of TREE, through the real window
// (offscreen): the CSV report shown as text, and the HTML report's page
// switch with the browser view's load after it; then the HTML report's
// steps one by one (build, encode, write) outside the window.

#include "OffscreenWindow.h"

#include "app/PreviewPage.h"
#include "explorer/FolderScanner.h"
#include "listing/ListingController.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#ifdef TAMAREL_WITH_WEBENGINE
#include <QWebEngineView>
#endif

namespace {

double Seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// With SHOTS=FOLDER set, the window as the user sees it goes there as
// NAME.png, to be looked at.
void Shoot(QWidget &window, const char *name)
{
    const QString folder = qEnvironmentVariable("SHOTS");
    if (!folder.isEmpty())
        window.grab().save(QStringLiteral("%1/%2.png").arg(folder, QLatin1String(name)));
}

// The longest time the event loop went without running a 5 ms timer while
// it waited for Done: how long the window could not answer the user.
class TStallMeter {
public:
    TStallMeter()
    {
        fTicks.setInterval(5);
        QObject::connect(&fTicks, &QTimer::timeout, [this] {
            fLongest = qMax(fLongest, fSinceTick.elapsed());
            fSinceTick.restart();
        });
    }
    void Start()
    {
        fSinceTick.start();
        fTicks.start();
    }
    qint64 Stop()
    {
        fTicks.stop();
        return qMax(fLongest, fSinceTick.elapsed());
    }

private:
    QTimer fTicks;
    QElapsedTimer fSinceTick;
    qint64 fLongest = 0;
};

void ShowPreview(app::Twnd_qv_Main &window, const char *format)
{
    window.findChild<QTabWidget *>(QStringLiteral("pc"))->setCurrentIndex(app::pgList);
    window.findChild<QRadioButton *>(QLatin1String(format))->click();
}

// Resident memory of the process, in MB.
double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * 4096 / (1024 * 1024) : 0;
}

void CsvPreview(app::Twnd_qv_Main &window)
{
    const double before = ResidentMegabytes();
    ShowPreview(window, "rgReportCSV");
    QWidget *memo = window.findChild<QWidget *>(QStringLiteral("Memo"));
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("acPreview"))->trigger();
    const double switched = Seconds(timer);
    QCoreApplication::processEvents();
    memo->grab();  // painted as the screen would show it
    std::printf("csv-preview switch=%.3f shown=%.3f resident-growth-mb=%.0f\n", switched, Seconds(timer),
                ResidentMegabytes() - before);
    std::fflush(stdout);
    Shoot(window, "preview-csv-large");
}

void HtmlPreview(app::Twnd_qv_Main &window)
{
    ShowPreview(window, "rgReportHTML");
#ifdef TAMAREL_WITH_WEBENGINE
    auto *view = window.findChild<QWebEngineView *>();
    QEventLoop loaded;
    bool shown = false;  // false too when the engine's process died on the page
    QObject::connect(view, &QWebEngineView::loadFinished, &loaded, [&](bool ok) {
        shown = ok;
        loaded.quit();
    });
    TStallMeter stalls;
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QStringLiteral("acPreview"))->trigger();
    const double switched = Seconds(timer);
    stalls.Start();
    QTimer::singleShot(120000, &loaded, &QEventLoop::quit);
    loaded.exec();
    std::printf("html-preview switch=%.3f loaded=%.3f ok=%d longest-stall-ms=%lld\n", switched, Seconds(timer),
                int(shown), static_cast<long long>(stalls.Stop()));
    QEventLoop painted;  // the engine paints after it has loaded
    QTimer::singleShot(1000, &painted, &QEventLoop::quit);
    painted.exec();
    Shoot(window, "preview-html-large");
#else
    std::printf("html-preview: built without the browser view\n");
#endif
    std::fflush(stdout);
}

// The HTML report's steps apart, on a listing made as the window makes it.
void HtmlSteps(const QString &tree)
{
    explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromLocale(QLocale::c());
    explorer::TFileList folder;
    explorer::TFolderScanner(folder).ScanFolder(tree);
    listing::TListingController listing(formats);
    listing::TListingOptions options;
    options.Recurse = true;
    listing.BuildList(folder.Location, folder, options);

    QElapsedTimer timer;
    timer.start();
    listing::TReportOptions csv;
    csv.Format = listing::rfCSV;
    listing.Preview(csv, false);
    std::printf("csv-steps lines=%lld build=%.3f\n", static_cast<long long>(listing.TextToPrint().size()),
                Seconds(timer));

    for (int i = 0; i < qEnvironmentVariableIntValue("REPEAT"); ++i)  // for a profiler
        listing.BuildReport(listing::TReportOptions());
    timer.restart();
    listing.Preview(listing::TReportOptions(), true);
    const double built = Seconds(timer);
    timer.restart();
    const QStringList page = listing.PageToShow(app::TPreviewPage::MaxPageCells);
    const double shortened = Seconds(timer);
    timer.restart();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("report.html")));
    const QByteArray bytes = page.join(QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        std::fprintf(stderr, "tamarel-preview-bench: cannot write %s\n", qPrintable(file.fileName()));
    file.close();
    std::printf("html-steps rows=%d build=%.3f page=%.3f page-write=%.3f page-bytes=%lld\n", listing.RowCount(),
                built, shortened, Seconds(timer), static_cast<long long>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tamarel-preview-bench TREE [--steps]\n");
        return 2;
    }
    const QString tree = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) {
        QCoreApplication application(argc, argv);
        HtmlSteps(tree);
        return 0;
    }
    TOffscreenWindow offscreen(argc, argv, tree);
    app::Twnd_qv_Main &window = *offscreen.Window;
    window.findChild<QCheckBox *>(QStringLiteral("cbxSubdirs"))->setChecked(true);
    window.findChild<QAction *>(QStringLiteral("acList"))->trigger();
    const int rows = window.findChild<QTreeView *>(QStringLiteral("List"))->model()->rowCount();
    std::printf("listing rows=%d\n", rows);
    CsvPreview(window);
    HtmlPreview(window);
    HtmlSteps(tree);
    return 0;
}
