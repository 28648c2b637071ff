#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/ExplorerPage.h"
#include "app/FormStorage.h"
#include "app/ListPage.h"
#include "app/PreviewPage.h"
#include "app/PrintCommand.h"
#include "app/StartFolder.h"
#include "explorer/FieldFormat.h"
#include "ui/ColorPicker.h"
#include "ui/PageControl.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <stdexcept>

namespace app {

namespace {
// Letting pending events run after every hit costs more than the walk on
// large folders; every this many milliseconds keeps STOP and the counts
// immediate all the same.
constexpr qint64 ListingEventInterval = 50;
} // namespace

Twnd_qv_Main::Twnd_qv_Main(const explorer::TRegionalFormats &formats, const QStringList &arguments,
                           TServices services, QWidget *parent)
    : QMainWindow(parent), fFormats(formats), fServices(std::move(services)),
      FTimestampFormat(explorer::TableTimestampFormat),
      fExplorer(formats, [this] { return fServices.ReadMounts(); }), fListing(formats)
{
    SetDefaultServices();
    fExplorer.SetSearchInterval(QApplication::keyboardInputInterval());
    fListing.SetSearchInterval(QApplication::keyboardInputInterval());
    fListing.SetProgressInterval(ListingEventInterval);
    CreateLayout();
    fPrint = std::make_unique<TPrintCommand>(*this, *fPreviewPage);
    BindControllers();
    DeviceMonitor = fServices.MonitorSources
                        ? new devices::TZelko_DeviceMonitor(fServices.MonitorSources(), this)
                        : new devices::TZelko_DeviceMonitor(this);
    DeviceMonitor->OnVolumeConnect = [this](devices::TZelko_DeviceMonitor &, const QString &, bool) {
        DeviceMonitorVolumeConnect();
    };
    DeviceMonitor->OnVolumeDisconnect = DeviceMonitor->OnVolumeConnect;
    DeviceMonitor->SetActive(true);
    CreateFormStorage();
    FormCreate(arguments);
}

Twnd_qv_Main::~Twnd_qv_Main()
{
    if (FormStorage->Restored() && !FormStorage->SavedSinceRestore())
        SaveSettings();
    // The tables read the controllers, which go before the widgets do; take
    // the widgets down first.
    delete takeCentralWidget();
}

void Twnd_qv_Main::SetDefaultServices()
{
    if (!fServices.ReadMounts)
        fServices.ReadMounts = [] { return platform::ReadMountTable(); };
    if (!fServices.SaveDialog)
        fServices.SaveDialog = [this](int &fileType, QString &fileName) { return ExecSaveDialog(fileType, fileName); };
    if (!fServices.ConfirmReplace)
        fServices.ConfirmReplace = [this](const QString &fileName) { return AskReplace(fileName); };
    if (!fServices.PrintDialog)
        fServices.PrintDialog = [this](QPrinter &printer) { return ExecPrintDialog(printer); };
}

void Twnd_qv_Main::BindControllers()
{
    connect(&fListing, &listing::TListingController::ListingStarted, this, [this] {
        fListPage->SetTitle(fListing.List().Location);
        acList->setText(QStringLiteral("&STOP"));
    });
    connect(&fListing, &listing::TListingController::Progress, this, [this] {
        sb->setText(fListing.StatusText());
        sb->repaint();
        QCoreApplication::processEvents();
    });
    connect(&fListing, &listing::TListingController::ListingFinished, this, [this] {
        sb->setText(fListing.StatusText());
        acList->setText(QStringLiteral("&Start"));
        pc->SetActivePage(pgList);
    });
}

void Twnd_qv_Main::FormCreate(const QStringList &arguments)
{
    pc->SetActivePage(pgExplorer);
    fListPage->ShowOptionsPage(listing::rfCSV);
    // Without a usable folder argument the start is the system drive's root,
    // which is also the drive the bar then makes current.
    const TStartFolder start = StartFolder(arguments);
    fExplorer.Start(start.Path);
    if (!start.Problem.isEmpty())
        ShowUntilNextAction(start.Problem);
}

void Twnd_qv_Main::ShowUntilNextAction(const QString &text)
{
    sb->setText(text);
    // The next move of the user's (another folder, a listing, another page)
    // takes the line away.
    auto clear = std::make_shared<std::vector<QMetaObject::Connection>>();
    auto once = [this, clear, text] {
        for (const QMetaObject::Connection &c : *clear)
            disconnect(c);
        if (sb->text() == text)
            sb->clear();
    };
    clear->push_back(connect(&fExplorer, &explorer::TExplorerController::ScanStarted, this, once));
    clear->push_back(connect(&fListing, &listing::TListingController::ListingStarted, this, once));
    clear->push_back(connect(pc, &ui::TPageControl::Changed, this, once));
}

void Twnd_qv_Main::pcChange(int index)
{
    // Arrow keys and typing belong to the page's table or view: left with
    // the tab bar, Right would turn the page, and with a button that the
    // page change hides, to nothing at all.
    if (index == pgExplorer)
        fExplorerPage->FocusTable();
    else if (index == pgList)
        fListPage->FocusTable();
    acList->setVisible(index == pgExplorer);
    acPreview->setVisible(index == pgList);
    acPrint->setVisible(index == pgPreview);
    acSave->setVisible(index == pgPreview);
    if (index != pgPreview)
        return;
    const listing::TReportOptions options = fListPage->ReportOptions();
    const bool asPage = fPreviewPage->ShowsPages() && options.Format != listing::rfCSV;
    fListing.Preview(options, asPage);
    if (asPage)
        fPreviewPage->ShowPage(fListing.Report(), fListing.PageToShow(TPreviewPage::MaxPageCells));
    else
        fPreviewPage->ShowText(fListing.TextToPrint());
    fPreviewPage->FocusView();
}

void Twnd_qv_Main::acPreviewExecute()
{
    pc->SetActivePage(pgPreview);
}

void Twnd_qv_Main::bBack2Click()
{
    if (pc->currentIndex() > 0)
        pc->SetActivePage(pc->currentIndex() - 1);
}

void Twnd_qv_Main::acListExecute()
{
    if (fListing.Listing())
        fListing.Stop();
    else
        BuildList(fExplorer.List().Location);
}

void Twnd_qv_Main::BuildList(const QString &folder)
{
    fListing.BuildList(folder, fExplorer.List(), fExplorerPage->ListingOptions());
    // A close asked for while the listing ran waited for it to unwind.
    if (fCloseWhenDone)
        QTimer::singleShot(0, this, &QWidget::close);
}

void Twnd_qv_Main::acPrintExecute()
{
    // The window's events run while a print does: a second Print waits for
    // the first to end.
    if (fPrint->Running()) {
        fPrintWaiting = true;
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!fServices.PrintDialog(printer))
        return;
    const auto ended = qScopeGuard([this] { PrintEnded(); });
    const QString outcome = fPrint->Print(printer, fListPage->ReportFormat() != listing::rfCSV, fListing.TextToPrint(),
                                          fFormats.Locale.toString(QDate::currentDate(), fFormats.ShortDateFormat));
    if (!outcome.isEmpty())
        ShowUntilNextAction(outcome);
}

void Twnd_qv_Main::PrintEnded()
{
    if (fCloseWhenDone) {
        fPrintWaiting = false;
        QTimer::singleShot(0, this, &QWidget::close);
    } else if (fPrintWaiting) {
        fPrintWaiting = false;
        QTimer::singleShot(0, this, &Twnd_qv_Main::acPrintExecute);
    }
}

void Twnd_qv_Main::acSaveExecute()
{
    int fileType = fListPage->ReportFormat() + 1;
    QString chosen;
    // The file written takes the type's extension ("list.txt" as CSV is
    // "list.csv"), so the dialog cannot know which file is replaced: the
    // question is asked here, about that file, and No goes back to the
    // dialog.
    for (;;) {
        if (!fServices.SaveDialog(fileType, chosen))
            return;
        const QString target = fListing.SaveName(chosen, static_cast<listing::TReportFileType>(fileType));
        if (!QFileInfo::exists(target) || fServices.ConfirmReplace(target))
            break;
    }
    fListing.Save(chosen, static_cast<listing::TReportFileType>(fileType), fListPage->ReportOptions());
}

bool Twnd_qv_Main::ExecSaveDialog(int &fileType, QString &fileName)
{
    const QStringList filters{QStringLiteral("CSV files (*.csv)"), QStringLiteral("HTML files (*.htm *.html)"),
                              QStringLiteral("All files (*)")};
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window asks about the file it will really write.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(fileType - 1));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileType = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    fileName = dialog.selectedFiles().first();
    return true;
}

bool Twnd_qv_Main::AskReplace(const QString &fileName)
{
    return QMessageBox::question(this, QStringLiteral("Confirm Save As"),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(fileName),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

bool Twnd_qv_Main::ExecPrintDialog(QPrinter &printer)
{
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
}

void Twnd_qv_Main::About1Click()
{
    ShowAbout(this, QString());
}

void Twnd_qv_Main::cmExit()
{
    close();
}

void Twnd_qv_Main::DeviceMonitorVolumeConnect()
{
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(WM_REFRESHDISKS)));
}

void Twnd_qv_Main::WMRefreshDisks()
{
    fExplorer.RefreshDisks(QStringLiteral("C"));
}

void Twnd_qv_Main::customEvent(QEvent *event)
{
    if (event->type() == WM_REFRESHDISKS)
        WMRefreshDisks();
    else
        QMainWindow::customEvent(event);
}

void Twnd_qv_Main::closeEvent(QCloseEvent *event)
{
    // The listing runs inside the call that started it: closing now would
    // pull the window from under it. Stop it and close once it has unwound.
    if (fListing.Listing()) {
        fCloseWhenDone = true;
        fListing.Stop();
        event->ignore();
        return;
    }
    if (fPrint->Running()) {
        fCloseWhenDone = true;
        fPrint->Cancel();
        event->ignore();
        return;
    }
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void Twnd_qv_Main::CreateFormStorage()
{
    FormStorage = std::make_unique<TFormStorage>(*this, TFormStorage::DefaultPath(), objectName());
    TFormStorage &s = *FormStorage;
    // In the order the values are written.
    auto checked = [&](std::initializer_list<const char *> names) {
        for (const char *name : names)
            s.AddChecked(QLatin1String(name), findChild<QCheckBox *>(QLatin1String(name)));
    };
    checked({"cbxAcc", "cbxAttrs", "cbxClear", "cbxCrt", "cbxDirs", "cbxExt", "cbxFiles", "cbxListSLO", "cbxMod",
             "cbxName", "cbxPath", "cbxSepPNE", "cbxSize", "cbxSubdirs"});
    // Like a click, so the options follow the format.
    s.AddItemIndex(QStringLiteral("rgReport"), [this] { return int(fListPage->ReportFormat()); },
                   [this](int index) { fListPage->SelectFormat(index); });
    auto *csvFormat = findChild<QComboBox *>(QStringLiteral("cbCSVFormat"));
    s.AddText(QStringLiteral("cbCSVDelim"), findChild<QComboBox *>(QStringLiteral("cbCSVDelim")));
    s.AddItemIndex(QStringLiteral("cbCSVFormat"), [csvFormat] { return csvFormat->currentIndex(); },
                   [csvFormat](int index) {
                       if (index >= 0 && index < csvFormat->count())
                           csvFormat->setCurrentIndex(index);
                   });
    s.AddText(QStringLiteral("cbCharset"), findChild<QComboBox *>(QStringLiteral("cbCharset")));
    for (const char *name : {"cpCell", "cpCellFont", "cpGrid", "cpHeader", "cpHeaderFont"})
        s.AddColor(QLatin1String(name), findChild<ui::TColorPicker *>(QLatin1String(name)));
    checked({"cbxGrid", "cbxTree"});
    s.AfterRestorePlacement = [this] { FormStorageAfterRestorePlacement(); };
}

void Twnd_qv_Main::FormStorageAfterRestorePlacement()
{
    fListPage->ShowOptionsPage(fListPage->ReportFormat());
}

void Twnd_qv_Main::SaveSettings()
{
    // A save that fails says so once and lets the window close all the same.
    try {
        FormStorage->Save();
    } catch (const std::exception &e) {
        if (auto *application = dynamic_cast<TApplication *>(QCoreApplication::instance()))
            application->ShowException(QString::fromUtf8(e.what()));
    }
}

void Twnd_qv_Main::showEvent(QShowEvent *event)
{
    if (!FormStorage->Restored())
        FormStorage->Restore();
    QMainWindow::showEvent(event);
}

} // namespace app
