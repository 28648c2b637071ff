#include "WindowFixture.h"

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/StartFolder.h"
#include "ui/ColorPicker.h"
#include "ui/ExplorerView.h"
#include "ui/HtmlView.h"
#include "ui/Notebook.h"
#include "ui/PageControl.h"
#include "ui/TextViewer.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

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

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }

    int Page() const { return window->pc->currentIndex(); }

    // Keeps a picture of the window for the documentation, when asked to.
    void Screenshot(QWidget *widget, const char *name)
    {
        const QByteArray folder = qgetenv("TAMAREL_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(QString::fromLocal8Bit(folder));
        widget->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name));
    }
};

TEST_F(MainWindowTest, StartsOnTheExplorerPageWithEveryControlAtItsInitialValue)
{
    Twnd_qv_Main &w = *window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zelko Tamarel"));
    EXPECT_EQ(w.objectName(), QStringLiteral("wnd_qv_Main"));
    EXPECT_EQ(w.centralWidget()->width(), 763);
    EXPECT_EQ(Page(), pgExplorer);
    EXPECT_EQ(w.pc->tabText(0), QStringLiteral(" Explorer "));
    EXPECT_EQ(w.pc->tabText(1), QStringLiteral(" List "));
    EXPECT_EQ(w.pc->tabText(2), QStringLiteral(" Preview "));
    EXPECT_TRUE(w.acList->isVisible());
    EXPECT_FALSE(w.acPreview->isVisible());
    EXPECT_FALSE(w.acPrint->isVisible());
    EXPECT_FALSE(w.acSave->isVisible());
    EXPECT_EQ(w.bList->text(), QStringLiteral("Start"));
    EXPECT_TRUE(w.bList->isVisible());

    struct Box {
        QCheckBox *box;
        const char *caption;
        bool checked;
    } boxes[] = {
        {w.cbxClear, "Clear previous list", true},   {w.cbxSubdirs, "Recurse subdirectories", false},
        {w.cbxListSLO, "List unchecked sibling objects", false}, {w.cbxDirs, "List directories", true},
        {w.cbxFiles, "List files", true},            {w.cbxPath, "Path", true},
        {w.cbxName, "Name", true},                   {w.cbxExt, "Extension", true},
        {w.cbxSize, "Size", true},                   {w.cbxCrt, "Created", false},
        {w.cbxMod, "Modified", true},                {w.cbxAcc, "Accessed", false},
        {w.cbxAttrs, "Attributes", true},            {w.cbxSepPNE, "Separate Path, Name and Extension", false},
        {w.cbxGrid, "Grid lines", true},             {w.cbxTree, "Tree simulation (only for Name)", false},
    };
    for (const Box &b : boxes) {
        EXPECT_EQ(b.box->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(b.box->isChecked(), b.checked) << b.caption;
    }
    EXPECT_EQ(w.eFileMask->text(), QStringLiteral("*.*"));
    EXPECT_TRUE(w.eText->text().isEmpty());
    EXPECT_EQ(w.cbCSVFormat->currentText(), QStringLiteral("ASCII"));
    EXPECT_EQ(w.cbCSVDelim->currentText(), QStringLiteral(";"));
    EXPECT_EQ(w.cbCharset->currentText(), QStringLiteral("utf-8"));
    EXPECT_EQ(w.cpGrid->Text(), QStringLiteral("#808080"));
    EXPECT_EQ(w.cpHeader->Text(), QStringLiteral("#0080C0"));
    EXPECT_EQ(w.cpHeaderFont->Text(), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(w.cpCell->Text(), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(w.cpCellFont->Text(), QStringLiteral("#000000"));
    EXPECT_EQ(w.ReportFormat(), rfHTML);
    EXPECT_EQ(w.gbLay->title(), QStringLiteral("[HTML Layout]")) << "the format's page after the restore";
    EXPECT_EQ(w.gbCols->title(), QStringLiteral("[Columns]"));
    EXPECT_EQ(w.rgReport->title(), QStringLiteral("[Report format]"));
    EXPECT_EQ(w.ePath->text(), Root() + QStringLiteral("shown"));
    EXPECT_EQ(w.FFileList.Location, Root() + QStringLiteral("shown/"));
    EXPECT_EQ(w.FFileList.FileData.size(), 4u) << "the parent entry and three entries";
    EXPECT_EQ(w.Tree->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Timestamp"));
    EXPECT_EQ(w.List->model()->columnCount(), 8);
    EXPECT_EQ(w.List->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Full name"));
    EXPECT_EQ(w.List->columnWidth(1), 150);
    EXPECT_EQ(w.Action1->actions().size(), 4);
    EXPECT_EQ(w.LeftPanel1->actions().at(0)->text(), QStringLiteral("About..."));
    EXPECT_EQ(w.mmExit->text(), QStringLiteral("Exit"));
    EXPECT_EQ(w.acList->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    Screenshot(&w, "explorer.png");
}

TEST_F(MainWindowTest, ShortcutsActOnEveryPageWhileTheirButtonsAreHidden)
{
    Press(Qt::Key_K);
    EXPECT_EQ(Page(), pgPreview) << "Ctrl+K on the Explorer page";
    EXPECT_TRUE(window->acPrint->isVisible());
    EXPECT_FALSE(window->bList->isVisible());

    Press(Qt::Key_L);
    EXPECT_EQ(Page(), pgList) << "Ctrl+L on the Preview page lists and shows the list";
    EXPECT_EQ(window->FList.FileData.size(), 3u);
    EXPECT_EQ(window->sb->text(), QStringLiteral("Dirs: 1   Files: 2"));
    EXPECT_EQ(window->eTitle->text(), Root() + QStringLiteral("shown/"));

    window->rgReportItems->button(rfCSV)->click();
    window->acPreviewExecute();
    window->bBack2Click();
    int printed = 0;
    window->RunPrintDialog = [&](QPrinter &printer) {
        ++printed;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(Abs("print.pdf")));
        return true;
    };
    Press(Qt::Key_P);
    EXPECT_EQ(printed, 1) << "Ctrl+P on the List page";
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Abs("print.pdf"))));

    window->pc->SetActivePage(pgExplorer);
    window->RunSaveDialog = [&](int &type, QString &name) {
        EXPECT_EQ(type, 1) << "the dialog starts on the chosen format's type";
        type = 1;
        name = QString::fromStdString(Abs("saved.txt"));
        return true;
    };
    window->cbCSVFormat->setCurrentIndex(1);
    Press(Qt::Key_S);
    QFile saved(QString::fromStdString(Abs("saved.csv")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "Ctrl+S on the Explorer page";
    EXPECT_TRUE(saved.readAll().startsWith("\xEF\xBB\xBFName;Size;Modified;Attributes\r\n"));
    EXPECT_EQ(window->FReport.first(), QStringLiteral("Name;Size;Modified;Attributes"))
        << "the report now holds what was saved";
}

TEST_F(MainWindowTest, PagesFollowEachOtherAndBackGoesOnePageBack)
{
    window->acPreview->trigger();
    EXPECT_EQ(Page(), pgPreview);
    QTest::mouseClick(window->bBack2, Qt::LeftButton);
    EXPECT_EQ(Page(), pgList);
    EXPECT_TRUE(window->bPreview->isVisible());
    EXPECT_FALSE(window->bSave->isVisible());
    QTest::mouseClick(window->Button2, Qt::LeftButton);
    EXPECT_EQ(Page(), pgExplorer);
    window->bBack2Click();
    EXPECT_EQ(Page(), pgExplorer) << "nothing before the first page";
}

TEST_F(MainWindowTest, TheOptionsNotebookFollowsTheReportFormat)
{
    auto *csv = qobject_cast<QRadioButton *>(window->rgReportItems->button(rfCSV));
    auto *html = qobject_cast<QRadioButton *>(window->rgReportItems->button(rfHTML));
    window->acListExecute();
    html->click();
    EXPECT_EQ(window->gbLay->title(), QStringLiteral("[HTML Layout]"));
    EXPECT_EQ(window->pcLay->currentIndex(), 1);
    window->pc->SetActivePage(pgList);
    Screenshot(window.get(), "list.png");
    csv->click();
    EXPECT_EQ(window->gbLay->title(), QStringLiteral("[CSV Options]"));
    EXPECT_EQ(window->pcLay->currentIndex(), 0);
}

TEST_F(MainWindowTest, ThePreviewIsBuiltAnewOnEachVisit)
{
    window->acListExecute();
    window->rgReportItems->button(rfCSV)->click();
    window->acPreviewExecute();
    EXPECT_TRUE(window->Memo->isVisible());
    EXPECT_FALSE(window->BrowserPanel->isVisible());
    EXPECT_TRUE(window->Memo->toPlainText().startsWith(QStringLiteral("Name;Size;Modified;Attributes")));
    EXPECT_EQ(window->Memo->document()->blockCount(), 4);
    Screenshot(window.get(), "preview-csv.png");

    window->bBack2Click();
    window->cbxSize->setChecked(false);
    window->cbCSVDelim->setCurrentText(QStringLiteral(","));
    window->acPreviewExecute();
    EXPECT_TRUE(window->Memo->toPlainText().startsWith(QStringLiteral("Name,Modified,Attributes")));

    window->bBack2Click();
    window->rgReportItems->button(rfHTML)->click();
    window->acPreviewExecute();
    EXPECT_EQ(window->FReport.first(), QStringLiteral("<html>"));
    if (window->Browser) {
        EXPECT_TRUE(window->BrowserPanel->isVisible());
        EXPECT_FALSE(window->Memo->isVisible());
        QFile shown(window->Browser->ShownFile());
        ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
        EXPECT_TRUE(shown.readAll().startsWith("\xEF\xBB\xBF<html>\r\n<head>"));
        QTest::qWait(1500);  // let the engine draw before the picture
    } else {
        EXPECT_TRUE(window->Memo->toPlainText().startsWith(QStringLiteral("<html>")));
    }
    Screenshot(window.get(), "preview-html.png");
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
            if (key == Qt::Key_Escape)
                Screenshot(dialog, "about.png");
            QTest::keyClick(dialog, key);
            closed = !dialog->isVisible();
        });
        window->About1->trigger();
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

TEST_F(MainWindowTest, AnExceptionFromAHandlerReachesTheMessageBoxAndTheProgramGoesOn)
{
    auto &application = static_cast<TApplication &>(*QCoreApplication::instance());
    QStringList shown;
    const auto previous = application.ShowException;
    application.ShowException = [&](const QString &message) { shown.append(message); };
    window->RunSaveDialog = [&](int &type, QString &name) {
        type = 1;
        name = QString::fromStdString(Abs("no/such/folder/x"));
        return true;
    };
    window->pc->SetActivePage(pgPreview);
    QTest::mouseClick(window->bSave, Qt::LeftButton);
    application.ShowException = previous;
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Cannot create file \"")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Page(), pgPreview);
}

TEST_F(MainWindowTest, ExitClosesTheWindow)
{
    window->mmExit->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST(StartFolder, TheFirstArgumentWhenItIsAFolderElseTheRoot)
{
    EXPECT_EQ(StartFolder({}), QStringLiteral("/"));
    EXPECT_EQ(StartFolder({QStringLiteral("/no/such/folder")}), QStringLiteral("/"));
    EXPECT_EQ(StartFolder({QStringLiteral("/etc/hostname")}), QStringLiteral("/"));
    EXPECT_EQ(StartFolder({QStringLiteral("/tmp"), QStringLiteral("/usr")}), QStringLiteral("/tmp"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral("/usr"));
    EXPECT_EQ(StartFolder({QStringLiteral(".")}), QStringLiteral("/usr"));
    QDir::setCurrent(previous);
}

} // namespace
