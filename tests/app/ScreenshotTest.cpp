// The pictures of the window in docs/screenshots: every page, the about box
// and a printed page, at the first start's size and maximised, in the C
// locale and in German. Made only when TAMAREL_SCREENSHOT_DIR names a
// folder (scripts/screenshots.sh runs them on a large offscreen screen).

#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTimer>

namespace {

class Screenshots : public testing_support::WindowFixture, public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        fFolder = QString::fromLocal8Bit(qgetenv("TAMAREL_SCREENSHOT_DIR"));
        if (fFolder.isEmpty())
            GTEST_SKIP() << "TAMAREL_SCREENSHOT_DIR is not set";
        QDir().mkpath(fFolder);
        MakeSample();
        locale = QLocale(QLatin1String(GetParam()));
        mounts = {Mount(QStringLiteral("/"), 1), Mount(Root() + QStringLiteral("Archive"), 7)};
        readMounts = [this] { return mounts; };
        StartWindow(Root() + QStringLiteral("Archive"));
    }
    // A small archive with folders, files of several sizes and fixed times.
    void MakeSample()
    {
        MakeFolder("Archive");
        for (const char *folder : {"Documents", "Music", "Photos 2024", "Projects"})
            MakeFolder(std::string("Archive/") + folder);
        const struct {
            const char *name;
            size_t size;
        } files[] = {{"Archive/budget.ods", 18342},       {"Archive/notes.txt", 812},
                     {"Archive/report 2024.pdf", 1204733}, {"Archive/README", 95},
                     {"Archive/Documents/letter.odt", 23110}, {"Archive/Documents/taxes 2023.pdf", 402118},
                     {"Archive/Music/track01.flac", 31457280}, {"Archive/Photos 2024/IMG_0042.jpg", 3145728},
                     {"Archive/Projects/tamarel.tar.gz", 734003}};
        long long stamp = 1717236000;  // 1 June 2024, 10:00 UTC
        for (const auto &f : files) {
            MakeSparse(f.name, (long long)f.size);
            SetTimes(f.name, stamp, stamp);
            stamp += 86400 * 3 + 3671;
        }
    }
    void Take(QWidget *widget, const QString &what)
    {
        QCoreApplication::processEvents();
        widget->grab().save(QStringLiteral("%1/%2-%3-%4.png").arg(fFolder, what, QLatin1String(GetParam()), fSize));
    }
    // Every page of the window as it stands.
    void Pages()
    {
        Find<QWidget>("Tree")->setFocus();
        Take(window.get(), QStringLiteral("explorer"));
        Click("bList");
        Take(window.get(), QStringLiteral("list"));
        Click("rgReportCSV");
        Click("bPreview");
        Take(window.get(), QStringLiteral("preview-csv"));
        Click("bBack2");
        Click("rgReportHTML");
        Click("bPreview");
        QTest::qWait(1500);  // the browser engine draws in a process of its own
        Take(window.get(), QStringLiteral("preview-html"));
    }
    void Print()
    {
        const QString pdf = QString::fromStdString(Abs("print.pdf"));
        printDialog = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        Click("Button1");
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-singlefile"),
                           pdf, QStringLiteral("%1/print-html-%2").arg(fFolder, QLatin1String(GetParam()))});
    }
    void About()
    {
        QTimer::singleShot(200, [this] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                Take(dialog, QStringLiteral("about"));
                dialog->close();
            }
        });
        Choose("About1");
    }

    std::vector<platform::TMountInfo> mounts;
    QString fFolder;
    QString fSize = QStringLiteral("default");
};

TEST_P(Screenshots, EveryPageAtTheFirstSizeAndMaximised)
{
    Find<QWidget>("Tree")->setFocus();
    QTest::keyClick(Find<QWidget>("Tree"), Qt::Key_Down);
    QTest::keyClick(Find<QWidget>("Tree"), Qt::Key_Down);
    QTest::keyClick(Find<QWidget>("Tree"), Qt::Key_Space);  // one folder left out
    Click("cbxSubdirs");
    Pages();
    Print();
    About();
    Click("bBack2");
    Click("Button2");
    window->showMaximized();
    fSize = QStringLiteral("maximised");
    Pages();
}

INSTANTIATE_TEST_SUITE_P(Locales, Screenshots, ::testing::Values("C", "de_DE"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return QString::fromLatin1(info.param).remove(QLatin1Char('_')).toStdString();
                         });

} // namespace
