#include "WindowFixture.h"

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/StartFolder.h"
#include "ui/ColorPicker.h"
#include "ui/HtmlView.h"
#include "ui/TextViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTabBar>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

using namespace app;

namespace {

class MainWindowTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("shown");
        MakeFolder("shown/sub");
        MakeFile("shown/a.txt", "alpha");
        MakeFile("shown/b.csv", "beta");
        StartWindow(Root() + QStringLiteral("shown"));
    }

    QString Shown() const { return Find<ui::TTextViewer>("Memo")->Lines().join(QLatin1Char('\n')); }
};

TEST_F(MainWindowTest, StartsOnTheExplorerPageWithEveryControlAtItsInitialValue)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelko Tamarel"));
    EXPECT_EQ(window->objectName(), QStringLiteral("wnd_qv_Main"));
    EXPECT_EQ(Page(), pgExplorer);
    const auto *pc = Find<QTabWidget>("pc");
    EXPECT_EQ(pc->tabText(0), QStringLiteral(" Explorer "));
    EXPECT_EQ(pc->tabText(1), QStringLiteral(" List "));
    EXPECT_EQ(pc->tabText(2), QStringLiteral(" Preview "));
    for (const char *hidden : {"acPreview", "acPrint", "acSave"})
        EXPECT_FALSE(Find<QAction>(hidden)->isVisible()) << hidden;
    EXPECT_TRUE(Find<QAction>("acList")->isVisible());
    EXPECT_EQ(Find<QPushButton>("bList")->text(), QStringLiteral("Start"));
    EXPECT_TRUE(Find<QPushButton>("bList")->isVisible());

    const struct {
        const char *name;
        const char *caption;
        bool checked;
    } boxes[] = {
        {"cbxClear", "Clear previous list", true},   {"cbxSubdirs", "Recurse subdirectories", false},
        {"cbxListSLO", "List unchecked sibling objects", false}, {"cbxDirs", "List directories", true},
        {"cbxFiles", "List files", true},            {"cbxPath", "Path", true},
        {"cbxName", "Name", true},                   {"cbxExt", "Extension", true},
        {"cbxSize", "Size", true},                   {"cbxCrt", "Created", false},
        {"cbxMod", "Modified", true},                {"cbxAcc", "Accessed", false},
        {"cbxAttrs", "Attributes", true},            {"cbxSepPNE", "Separate Path, Name and Extension", false},
        {"cbxGrid", "Grid lines", true},             {"cbxTree", "Tree simulation (only for Name)", false},
    };
    for (const auto &b : boxes) {
        EXPECT_EQ(Find<QCheckBox>(b.name)->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(Find<QCheckBox>(b.name)->isChecked(), b.checked) << b.name;
    }
    EXPECT_EQ(Find<QLineEdit>("eFileMask")->text(), QStringLiteral("*.*"));
    EXPECT_TRUE(Find<QLineEdit>("eText")->text().isEmpty());
    EXPECT_EQ(Find<QComboBox>("cbCSVFormat")->currentText(), QStringLiteral("ASCII"));
    EXPECT_EQ(Find<QComboBox>("cbCSVDelim")->currentText(), QStringLiteral(";"));
    EXPECT_EQ(Find<QComboBox>("cbCharset")->currentText(), QStringLiteral("utf-8"));
    const struct {
        const char *name;
        const char *color;
    } pickers[] = {{"cpGrid", "#808080"}, {"cpHeader", "#0080C0"}, {"cpHeaderFont", "#FFFFFF"},
                   {"cpCell", "#FFFFFF"}, {"cpCellFont", "#000000"}};
    for (const auto &p : pickers)
        EXPECT_EQ(Find<ui::TColorPicker>(p.name)->Text(), QLatin1String(p.color));
    EXPECT_TRUE(Find<QAbstractButton>("rgReportHTML")->isChecked());
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[HTML Layout]")) << "the format's page after the restore";
    EXPECT_EQ(Find<QGroupBox>("gbCols")->title(), QStringLiteral("[Columns]"));
    EXPECT_EQ(Find<QGroupBox>("rgReport")->title(), QStringLiteral("[Report format]"));
    EXPECT_EQ(Find<QLineEdit>("ePath")->text(), Root() + QStringLiteral("shown"));
    EXPECT_EQ(Find<QTreeView>("Tree")->model()->rowCount(), 4) << "the parent row and three entries";
    EXPECT_EQ(Find<QTreeView>("Tree")->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Timestamp"));
    const auto *list = Find<QTreeView>("List");
    EXPECT_EQ(list->model()->columnCount(), 8);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Full name"));
    EXPECT_EQ(list->columnWidth(1), 150);
    EXPECT_EQ(Find<QMenu>("Action1")->actions().size(), 4);
    EXPECT_EQ(Find<QMenu>("LeftPanel1")->actions().at(0)->text(), QStringLiteral("&About..."));
    EXPECT_EQ(Find<QAction>("mmExit")->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(Find<QAction>("acList")->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
}

TEST_F(MainWindowTest, AtFirstStartTheClientAreaWithTheStatusBarIs763By601AndCentred)
{
    EXPECT_EQ(window->width(), 763);
    EXPECT_EQ(window->height() - window->menuBar()->height(), 601);
    EXPECT_EQ(window->centralWidget()->height() + window->statusBar()->height(), 601);
    const QPoint off = window->geometry().center() - window->screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 1) << off.x() << "," << off.y();
}

// Dark pixels inside a page's tab, as the tab bar draws it: its caption.
int CaptionInk(QTabBar *tabs, int page)
{
    return testing_support::DarkPixels(tabs->grab().toImage(), tabs->tabRect(page).adjusted(4, 4, -4, -4), 110);
}

TEST_F(MainWindowTest, TheActivePagesTabIsBold)
{
    QTabBar *tabs = Find<QTabWidget>("pc")->tabBar();
    const int plain = CaptionInk(tabs, pgList);
    ClickTab(pgList);
    EXPECT_GT(CaptionInk(tabs, pgList), plain * 5 / 4) << "plain: " << plain;
    QFont bold = tabs->font();
    bold.setBold(true);
    EXPECT_GT(tabs->tabRect(pgList).width(), QFontMetrics(bold).horizontalAdvance(tabs->tabText(pgList)))
        << "room for the bold caption";
}

TEST_F(MainWindowTest, ShortcutsActOnEveryPageWhileTheirButtonsAreHidden)
{
    Press(Qt::Key_K);
    EXPECT_EQ(Page(), pgPreview) << "Ctrl+K on the Explorer page";
    EXPECT_TRUE(Find<QAction>("acPrint")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("bList")->isVisible());

    Press(Qt::Key_L);
    EXPECT_EQ(Page(), pgList) << "Ctrl+L on the Preview page lists and shows the list";
    EXPECT_EQ(Find<QTreeView>("List")->model()->rowCount(), 3);
    EXPECT_EQ(Find<QLabel>("sb")->text(), QStringLiteral("Dirs: 1   Files: 2"));
    EXPECT_EQ(Find<QLineEdit>("eTitle")->text(), Root() + QStringLiteral("shown/"));

    Click("rgReportCSV");
    Click("bPreview");
    Click("bBack2");
    int printed = 0;
    printDialog = [&](QPrinter &printer) {
        ++printed;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(Abs("print.pdf")));
        return true;
    };
    Press(Qt::Key_P);
    EXPECT_EQ(printed, 1) << "Ctrl+P on the List page";
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Abs("print.pdf"))));

    Click("Button2");
    EXPECT_EQ(Page(), pgExplorer);
    saveDialog = [&](int &type, QString &name) {
        EXPECT_EQ(type, 1) << "the dialog starts on the chosen format's type";
        name = QString::fromStdString(Abs("saved.txt"));
        return true;
    };
    QTest::keyClick(Find<QComboBox>("cbCSVFormat"), Qt::Key_Down);  // "UTF8"
    Press(Qt::Key_S);
    QFile saved(QString::fromStdString(Abs("saved.csv")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "Ctrl+S on the Explorer page";
    EXPECT_TRUE(saved.readAll().startsWith("\xEF\xBB\xBFName;Size;Modified;Attributes\r\n"));
}

TEST_F(MainWindowTest, EachPagesTableOrViewHasTheKeyboardWhenItsPageComesForward)
{
    QWidget *tree = Find<QWidget>("Tree");
    EXPECT_EQ(QApplication::focusWidget(), tree) << "at start";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(Page(), pgExplorer) << "Right moves in the table, not to the next page";

    ClickTab(pgList);
    ClickTab(pgExplorer);
    EXPECT_EQ(QApplication::focusWidget(), tree) << "its tab clicked";
    ClickTab(pgList);
    Click("Button2");
    EXPECT_EQ(QApplication::focusWidget(), tree) << "Back from the List page";

    // The buttons that turn these pages are hidden by the turn: without a
    // focus of its own, the page would take no key at all.
    Press(Qt::Key_L);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("List")) << "a listing started with Ctrl+L";
    Click("rgReportCSV");
    // As a listing's start leaves it when the Start button hides: no
    // widget has the keyboard.
    QApplication::focusWidget()->clearFocus();
    Press(Qt::Key_K);
    auto *memo = Find<ui::TTextViewer>("Memo");
    ASSERT_EQ(QApplication::focusWidget(), memo) << "Ctrl+K";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_GT(memo->LineCount(), 1);
    EXPECT_EQ(memo->CaretPosition().Line, memo->LineCount() - 1);
}

TEST_F(MainWindowTest, MenusOpenWithAltAndTheirLetterOrF10AndItemsRunByTheirLetter)
{
    auto *file = Find<QMenu>("LeftPanel1");
    auto *action = Find<QMenu>("Action1");
    Press(Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(file->isVisible()) << "Alt+F";
    QTest::keyClick(file, Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // and the menu bar
    EXPECT_FALSE(file->isVisible());
    Press(Qt::Key_F10, Qt::NoModifier);
    EXPECT_TRUE(file->isVisible()) << "F10";
    QTest::keyClick(file, Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    Press(Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(action->isVisible()) << "Alt+A";
    QTest::keyClick(action, Qt::Key_S);
    EXPECT_FALSE(action->isVisible());
    EXPECT_EQ(Page(), pgList) << "S in the Action menu starts the listing";
}

TEST_F(MainWindowTest, PagesFollowEachOtherAndBackGoesOnePageBack)
{
    Press(Qt::Key_K);
    EXPECT_EQ(Page(), pgPreview);
    Click("bBack2");
    EXPECT_EQ(Page(), pgList);
    EXPECT_TRUE(Find<QPushButton>("bPreview")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("bSave")->isVisible());
    const char *const actions[] = {"acList", "acPreview", "acPrint", "acSave"};
    for (const char *action : actions)
        EXPECT_EQ(Find<QAction>(action)->isVisible(), action == actions[1]) << action << " in the Action menu";
    Click("Button2");
    EXPECT_EQ(Page(), pgExplorer);
    ClickTab(pgPreview);
    EXPECT_EQ(Page(), pgPreview) << "a click on the tab";
    EXPECT_TRUE(Find<QPushButton>("bSave")->isVisible());
}

TEST_F(MainWindowTest, TheOptionsPageFollowsTheReportFormat)
{
    Press(Qt::Key_L);
    Click("rgReportHTML");
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[HTML Layout]"));
    EXPECT_TRUE(Find<QWidget>("NxTabSheet1")->isVisible());
    Click("rgReportCSV");
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[CSV Options]"));
    EXPECT_TRUE(Find<QWidget>("NxTabSheet2")->isVisible());
}

TEST_F(MainWindowTest, ThePreviewIsBuiltAnewOnEachVisit)
{
    Press(Qt::Key_L);
    Click("rgReportCSV");
    Click("bPreview");
    EXPECT_TRUE(Find<QWidget>("Memo")->isVisible());
    EXPECT_FALSE(Find<QWidget>("BrowserPanel")->isVisible());
    EXPECT_TRUE(Shown().startsWith(QStringLiteral("Name;Size;Modified;Attributes")));
    EXPECT_EQ(Find<ui::TTextViewer>("Memo")->LineCount(), 4);

    Click("bBack2");
    Click("cbxSize");
    auto *delimiter = Find<QComboBox>("cbCSVDelim");
    delimiter->lineEdit()->selectAll();
    QTest::keyClicks(delimiter, QStringLiteral(",;"));
    EXPECT_EQ(delimiter->currentText(), QStringLiteral(",")) << "one character at most";
    Click("bPreview");
    EXPECT_TRUE(Shown().startsWith(QStringLiteral("Name,Modified,Attributes")));

    Click("bBack2");
    Click("rgReportHTML");
    Click("bPreview");
    if (auto *browser = window->findChild<ui::THtmlView *>(QStringLiteral("Browser"))) {
        EXPECT_TRUE(Find<QWidget>("BrowserPanel")->isVisible());
        EXPECT_FALSE(Find<QWidget>("Memo")->isVisible());
        QFile shown(browser->ShownFile());
        ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
        EXPECT_TRUE(shown.readAll().startsWith("\xEF\xBB\xBF<html>\r\n<head>"));
    } else {
        EXPECT_TRUE(Shown().startsWith(QStringLiteral("<html>")));
    }
}

// On a display with OpenGL the browser view draws through it; the window
// around it must have been made for that from the start, or the first HTML
// preview makes it anew: a new native window, un-maximised, without the
// keyboard. Offscreen there is no OpenGL and nothing to see.
TEST_F(MainWindowTest, TheFirstHtmlPreviewKeepsTheWindowItsStateAndTheKeyboard)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "needs a display with OpenGL (the suite's run under Xvfb)";
    window->showMaximized();
    const WId native = window->winId();
    ClickTab(pgPreview);  // HTML, the initial format
    QTest::qWait(500);
    EXPECT_EQ(window->winId(), native);
    EXPECT_TRUE(window->isMaximized());
    Press(Qt::Key_L);
    EXPECT_EQ(Page(), pgList) << "the next shortcut still arrives";
}

TEST_F(MainWindowTest, TheAboutBoxNamesProgramVersionAndSystemAndClosesOnEnterOrEsc)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QString caption, version, description, system, product, email, www;
        bool closed = false;
        QTimer::singleShot(100, [&] {
            auto *dialog = qobject_cast<TdlgAbout *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            caption = dialog->windowTitle();
            product = dialog->lProduct->text();
            version = dialog->lVer->text();
            description = dialog->lDesc->text();
            system = dialog->lOS2->text();
            email = dialog->lEmail->text();
            www = dialog->lWWW->text();
            QTest::keyClick(dialog, key);
            closed = !dialog->isVisible();
        });
        Choose("About1");
        EXPECT_TRUE(closed) << "key " << key;
        EXPECT_EQ(caption, QStringLiteral("About...."));
        EXPECT_EQ(product, QStringLiteral("Tamarel"));
        EXPECT_EQ(version, QStringLiteral("Version 1.2.3.0"));
        EXPECT_EQ(description, QStringLiteral("Folder listing creator"));
        EXPECT_FALSE(system.isEmpty());
        EXPECT_EQ(email, QStringLiteral("tamarel@example.org"));
        EXPECT_EQ(www, QStringLiteral("www.example.org/tamarel"));
    }
}

// The dialog box as the desktop shows it: its place, and its title as the
// display's window list reads it (on X; offscreen has no titles to read).
TEST_F(MainWindowTest, TheAboutBoxIsCentredOnTheScreenAndTitledAboutAlone)
{
    window->move(0, 0);
    QRect placed;
    QString shownTitle;
    QTimer::singleShot(100, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        placed = dialog->geometry();
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            QProcess xprop;
            xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(dialog->winId()),
                                                  QStringLiteral("_NET_WM_NAME")});
            xprop.waitForFinished(5000);
            shownTitle = QString::fromUtf8(xprop.readAllStandardOutput()).section(QLatin1Char('"'), 1, -2);
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Choose("About1");
    const QPoint off = placed.center() - window->screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 1) << off.x() << "," << off.y();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        EXPECT_EQ(shownTitle, QStringLiteral("About...."));
    }
}

TEST_F(MainWindowTest, AnExceptionFromAHandlerReachesTheMessageBoxAndTheProgramGoesOn)
{
    testing_support::TMessageCatcher messages;
    QStringList &shown = messages.Shown;
    saveDialog = [&](int &type, QString &name) {
        type = 1;
        name = QString::fromStdString(Abs("no/such/folder/x"));
        return true;
    };
    Press(Qt::Key_K);
    Click("bSave");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Cannot create file \"")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Page(), pgPreview);
}

TEST_F(MainWindowTest, ExitClosesTheWindow)
{
    Choose("mmExit");
    EXPECT_FALSE(window->isVisible());
}

// Started on a folder that cannot be shown, the window shows the root and
// says why, until the user's next step.
class StartFolderTest : public testing_support::WindowFixture {
protected:
    QString Status() const { return Find<QLabel>("sb")->text(); }
    QString Path() const { return Find<QLineEdit>("ePath")->text(); }
};

TEST_F(StartFolderTest, AFolderThatCannotBeShownGivesTheRootAndTheReason)
{
    MakeFile("plain.txt", "not a folder");
    const struct {
        std::string argument;
        const char *reason;
    } starts[] = {{"missing", "No such file or directory"}, {"plain.txt", "Not a directory"}};
    for (const auto &start : starts) {
        StartWindow(QString::fromStdString(Abs(start.argument)));
        EXPECT_EQ(Path(), QStringLiteral("/"));
        EXPECT_EQ(Status(), QStringLiteral("Cannot open \"%1\": %2")
                                .arg(QString::fromStdString(Abs(start.argument)), QLatin1String(start.reason)));
        window.reset();
    }
    StartWindow(QString::fromStdString(Abs("missing")));
    ClickTab(pgList);
    EXPECT_TRUE(Status().isEmpty()) << "gone at the next step";
}

TEST_F(StartFolderTest, TheFolderIsShownResolvedAsTheKernelResolvesIt)
{
    MakeFolder("a");
    MakeFolder("a/b");
    MakeLink("link", "a/b");
    StartWindow(Root() + QStringLiteral("link/.."));
    EXPECT_EQ(Path(), Root() + QStringLiteral("a")) << "the parent of the link's target";
    EXPECT_TRUE(Status().isEmpty());
}

TEST(StartFolder, TheFirstArgumentWhenItIsAReadableFolderElseTheRootAndWhy)
{
    EXPECT_EQ(StartFolder({}).Path, QStringLiteral("/"));
    EXPECT_TRUE(StartFolder({}).Problem.isEmpty()) << "no argument is no problem";
    EXPECT_EQ(StartFolder({QStringLiteral("/etc/hostname")}).Problem,
              QStringLiteral("Cannot open \"/etc/hostname\": Not a directory"));
    EXPECT_EQ(StartFolder({QStringLiteral("/tmp"), QStringLiteral("/usr")}).Path, QStringLiteral("/tmp"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral("/usr"));
    EXPECT_EQ(StartFolder({QStringLiteral(".")}).Path, QStringLiteral("/usr"));
    QDir::setCurrent(previous);
}

class StartFolderReadTest : public testing_support::TreeFixture {};

TEST_F(StartFolderReadTest, AFolderThatCannotBeReadIsPassedOver)
{
    MakeFolder("closed", 0);
    const QString closed = Root() + QStringLiteral("closed");
    EXPECT_TRUE(RunUnprivileged([&] {
        const TStartFolder start = StartFolder({closed});
        return start.Path == QLatin1String("/")
               && start.Problem == QStringLiteral("Cannot open \"%1\": Permission denied").arg(closed);
    }));
}

} // namespace
