#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/Application.h"
#include "app/FormStorage.h"
#include "app/ListModel.h"
#include "app/StartFolder.h"
#include "explorer/FieldFormat.h"
#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "listing/ReportFile.h"
#include "ui/ColorPicker.h"
#include "ui/ExplorerView.h"
#include "ui/HtmlView.h"
#include "ui/Notebook.h"
#include "ui/PageControl.h"
#include "ui/TextPrinter.h"
#include "ui/TextViewer.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QCloseEvent>
#include <QTimer>

namespace app {

namespace {
// Letting pending events run after every hit costs more than the walk on
// large folders; every this many milliseconds keeps STOP and the counts
// immediate all the same.
constexpr qint64 ListingEventInterval = 50;
} // namespace

Twnd_qv_Main::Twnd_qv_Main(const explorer::TRegionalFormats &formats, const QStringList &arguments,
                           QWidget *parent)
    : QMainWindow(parent), fFormats(formats), fScanner(FFileList), fBuilder(FList)
{
    CreateLayout();
    connect(pc, &ui::TPageControl::Changed, this, &Twnd_qv_Main::pcChange);
    connect(pcLay, &ui::TNotebook::Changed, this, &Twnd_qv_Main::pcLayChange);
    connect(rgReportItems, &QButtonGroup::idClicked, this, &Twnd_qv_Main::rgReportClick);
    connect(Button2, &QPushButton::clicked, this, &Twnd_qv_Main::bBack2Click);
    connect(bBack2, &QPushButton::clicked, this, &Twnd_qv_Main::bBack2Click);
    ReadMounts = [] { return platform::ReadMountTable(); };
    RunSaveDialog = [this](int &fileType, QString &fileName) { return ExecSaveDialog(fileType, fileName); };
    RunPrintDialog = [this](QPrinter &printer) { return ExecPrintDialog(printer); };
    BindListingHooks();
    DeviceMonitor = new devices::TZelko_DeviceMonitor(this);
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
    // The tables read the window's listings, which would go before the
    // widgets do; take the widgets down first.
    delete takeCentralWidget();
}

void Twnd_qv_Main::FormCreate(const QStringList &arguments)
{
    FReport.clear();
    pc->SetActivePage(pgExplorer);
    pcLay->SetActivePage(rfCSV);
    FTimestampFormat = explorer::TableTimestampFormat;
    // Without a usable folder argument the start is the system drive's root,
    // which is also the drive the bar then makes current.
    const QString path = StartFolder(arguments);
    RefreshDisks(path);
    ScanFolder(path);
    ShowVolumeInfo(ExtractFileDrive(path));
}

int Twnd_qv_Main::ReportFormat() const
{
    return rgReportItems->checkedId();
}

void Twnd_qv_Main::ScanFolder(const QString &path)
{
    ePath->setText(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fScanner.ScanFolder(path);
    FileScannerSearchFinish();
    QApplication::restoreOverrideCursor();
}

void Twnd_qv_Main::pcChange(int index)
{
    acList->setVisible(index == pgExplorer);
    acPreview->setVisible(index == pgList);
    acPrint->setVisible(index == pgPreview);
    acSave->setVisible(index == pgPreview);
    if (index != pgPreview)
        return;
    BuildReport(ReportFormat());
    ShowReport();
}

void Twnd_qv_Main::BuildReport(int format)
{
    const listing::TColumnOptions columns = ColumnOptions();
    const listing::TReportSource source{FList, ListModel->Order(), columns, fFormats};
    if (format == rfCSV)
        listing::ExportCSV(FReport, cbCSVDelim->currentText(), source);
    else
        listing::ExportHTML(FReport, HtmlLayout(), source);
}

void Twnd_qv_Main::ShowReport()
{
    if (Browser && ReportFormat() != rfCSV) {
        Browser->ShowReport(FReport);
        Memo->hide();
        BrowserPanel->show();
    } else {
        Memo->setPlainText(FReport.join(QStringLiteral("\r\n")));
        BrowserPanel->hide();
        Memo->show();
    }
}

void Twnd_qv_Main::pcLayChange(int index)
{
    gbLay->setTitle(pcLay->PageCaption(index));
}

void Twnd_qv_Main::rgReportClick()
{
    pcLay->SetActivePage(ReportFormat());
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
    if (fBuilder.Listing())
        fBuilder.Stop();
    else
        BuildList(FFileList.Location);
}

void Twnd_qv_Main::BuildList(const QString &folder)
{
    fSinceEvents.invalidate();
    fBuilder.BuildList(folder, FFileList, ListingOptions());
    // A close asked for while the listing ran waited for it to unwind.
    if (fCloseWhenListed)
        QTimer::singleShot(0, this, &QWidget::close);
}

void Twnd_qv_Main::FillList()
{
    ListModel->Fill();
    if (ListModel->rowCount() > 0)
        List->setCurrentIndex(ListModel->index(0, 0));
}

void Twnd_qv_Main::closeEvent(QCloseEvent *event)
{
    if (fBuilder.Listing()) {
        fCloseWhenListed = true;
        fBuilder.Stop();
        event->ignore();
        return;
    }
    SaveSettings();
    QMainWindow::closeEvent(event);
}

void Twnd_qv_Main::showEvent(QShowEvent *event)
{
    if (!FormStorage->Restored())
        FormStorage->Restore();
    QMainWindow::showEvent(event);
}

void Twnd_qv_Main::CreateFormStorage()
{
    FormStorage = std::make_unique<TFormStorage>(*this, TFormStorage::DefaultPath(), objectName());
    TFormStorage &s = *FormStorage;
    s.AddChecked(QStringLiteral("cbxAcc"), cbxAcc);
    s.AddChecked(QStringLiteral("cbxAttrs"), cbxAttrs);
    s.AddChecked(QStringLiteral("cbxClear"), cbxClear);
    s.AddChecked(QStringLiteral("cbxCrt"), cbxCrt);
    s.AddChecked(QStringLiteral("cbxDirs"), cbxDirs);
    s.AddChecked(QStringLiteral("cbxExt"), cbxExt);
    s.AddChecked(QStringLiteral("cbxFiles"), cbxFiles);
    s.AddChecked(QStringLiteral("cbxListSLO"), cbxListSLO);
    s.AddChecked(QStringLiteral("cbxMod"), cbxMod);
    s.AddChecked(QStringLiteral("cbxName"), cbxName);
    s.AddChecked(QStringLiteral("cbxPath"), cbxPath);
    s.AddChecked(QStringLiteral("cbxSepPNE"), cbxSepPNE);
    s.AddChecked(QStringLiteral("cbxSize"), cbxSize);
    s.AddChecked(QStringLiteral("cbxSubdirs"), cbxSubdirs);
    s.AddItemIndex(QStringLiteral("rgReport"), [this] { return ReportFormat(); },
                   [this](int index) {
                       // Like a click, so the options follow the format.
                       if (QAbstractButton *button = rgReportItems->button(index))
                           button->click();
                   });
    s.AddText(QStringLiteral("cbCSVDelim"), cbCSVDelim);
    s.AddItemIndex(QStringLiteral("cbCSVFormat"), [this] { return cbCSVFormat->currentIndex(); },
                   [this](int index) {
                       if (index >= 0 && index < cbCSVFormat->count())
                           cbCSVFormat->setCurrentIndex(index);
                   });
    s.AddText(QStringLiteral("cbCharset"), cbCharset);
    s.AddColor(QStringLiteral("cpCell"), cpCell);
    s.AddColor(QStringLiteral("cpCellFont"), cpCellFont);
    s.AddColor(QStringLiteral("cpGrid"), cpGrid);
    s.AddColor(QStringLiteral("cpHeader"), cpHeader);
    s.AddColor(QStringLiteral("cpHeaderFont"), cpHeaderFont);
    s.AddChecked(QStringLiteral("cbxGrid"), cbxGrid);
    s.AddChecked(QStringLiteral("cbxTree"), cbxTree);
    s.AfterRestorePlacement = [this] { FormStorageAfterRestorePlacement(); };
}

void Twnd_qv_Main::FormStorageAfterRestorePlacement()
{
    pcLay->SetActivePage(ReportFormat());
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

void Twnd_qv_Main::BindListingHooks()
{
    fBuilder.OnBegin = [this] {
        // The list may have been emptied: the table must not show records
        // that are gone while the window paints during the listing.
        ListModel->Clear();
        eTitle->setText(FList.Location);
        acList->setText(QStringLiteral("STOP"));
    };
    fBuilder.OnHitKept = [this] {
        if (fSinceEvents.isValid() && fSinceEvents.elapsed() < ListingEventInterval)
            return;
        sb->setText(fBuilder.StatusText());
        sb->repaint();
        QCoreApplication::processEvents();
        fSinceEvents.restart();
    };
    fBuilder.OnProgress = fBuilder.OnHitKept;
    fBuilder.OnEnd = [this] {
        sb->setText(fBuilder.StatusText());
        acList->setText(QStringLiteral("Start"));
        // After a STOP this runs twice, the second time with nothing new.
        if (ListModel->rowCount() != int(FList.FileData.size()))
            FillList();
        pc->SetActivePage(pgList);
    };
}

void Twnd_qv_Main::acPrintExecute()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!RunPrintDialog(*printer))
        return;
    if (Browser && ReportFormat() != rfCSV && Browser->Print(printer))
        return;
    ui::PrintPlainText(*printer, Memo->toPlainText().split(QStringLiteral("\n")), Memo->font(),
                       Memo->tabStopDistance());
}

void Twnd_qv_Main::acSaveExecute()
{
    int fileType = ReportFormat() + 1;
    QString chosen;
    if (!RunSaveDialog(fileType, chosen))
        return;
    const auto type = static_cast<listing::TReportFileType>(fileType);
    // The file type decides the report; "All files" writes the one built last.
    if (type != listing::rftAll)
        BuildReport(type == listing::rftCsv ? rfCSV : rfHTML);
    listing::SaveReportAs(chosen, type, FReport,
                          static_cast<listing::TTextEncoding>(cbCSVFormat->currentIndex()));
}

bool Twnd_qv_Main::ExecSaveDialog(int &fileType, QString &fileName)
{
    const QStringList filters{QStringLiteral("CSV files (*.csv)"), QStringLiteral("HTML files (*.htm *.html)"),
                              QStringLiteral("All files (*)")};
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(fileType - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileType = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    fileName = dialog.selectedFiles().first();
    return true;
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

listing::TListingOptions Twnd_qv_Main::ListingOptions() const
{
    listing::TListingOptions o;
    o.ClearPrevious = cbxClear->isChecked();
    o.Recurse = cbxSubdirs->isChecked();
    o.ListUnticked = cbxListSLO->isChecked();
    o.ListDirs = cbxDirs->isChecked();
    o.ListFiles = cbxFiles->isChecked();
    o.FileMask = eFileMask->text();
    o.Phrase = eText->text();
    return o;
}

listing::TColumnOptions Twnd_qv_Main::ColumnOptions() const
{
    listing::TColumnOptions c;
    c.Path = cbxPath->isChecked();
    c.Name = cbxName->isChecked();
    c.Ext = cbxExt->isChecked();
    c.Size = cbxSize->isChecked();
    c.Created = cbxCrt->isChecked();
    c.Modified = cbxMod->isChecked();
    c.Accessed = cbxAcc->isChecked();
    c.Attributes = cbxAttrs->isChecked();
    c.Separate = cbxSepPNE->isChecked();
    return c;
}

listing::THtmlLayout Twnd_qv_Main::HtmlLayout() const
{
    listing::THtmlLayout l;
    l.Grid = cbxGrid->isChecked();
    l.GridColor = cpGrid->Text();
    l.HeaderColor = cpHeader->Text();
    l.HeaderFontColor = cpHeaderFont->Text();
    l.CellColor = cpCell->Text();
    l.CellFontColor = cpCellFont->Text();
    l.Title = eTitle->text();
    l.Tree = cbxTree->isChecked();
    l.Charset = cbCharset->currentText();
    return l;
}

} // namespace app
