#pragma once
// The main window: the controller of the whole program. Its handlers keep
// the names they have in the design and stay thin: the folder scan, the
// listing, the reports and saving live in the non-visual classes that
// tamarel-list runs too.

#include "devices/DeviceMonitor.h"
#include "devices/DriveList.h"
#include "explorer/ExplorerOrder.h"
#include "explorer/FileData.h"
#include "explorer/FolderScanner.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOptions.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <QStringList>

class QAction;
class QCloseEvent;
class QShowEvent;
class QKeyEvent;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace ui {
class TColorPicker;
class TDriveButtonBar;
class TExplorerView;
class THtmlView;
class TNotebook;
class TPageControl;
class TTextViewer;
} // namespace ui

namespace app {

class TExplorerModel;
class TFormStorage;
class TListModel;

// Posted to the window when a volume arrives or leaves; its handler
// rebuilds the drive bar later, from the event loop.
constexpr int WM_REFRESHDISKS = QEvent::User + 1000;

// The modes of SelectNode and SelectAll, as the row menu's tags.
enum TCheckMode { cmCheck = 0, cmUncheck = 1, cmInvert = 2 };

enum TPage { pgExplorer = 0, pgList = 1, pgPreview = 2 };
enum TReportFormat { rfCSV = 0, rfHTML = 1 };

class Twnd_qv_Main : public QMainWindow {
    Q_OBJECT
public:
    // Formats are the regional ones read at start; Arguments the command
    // line without the program name.
    Twnd_qv_Main(const explorer::TRegionalFormats &formats, const QStringList &arguments,
                 QWidget *parent = nullptr);
    ~Twnd_qv_Main() override;

    // Controls, by the names the design gives them.
    ui::TPageControl *pc = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QWidget *TabSheet3 = nullptr;
    ui::TDriveButtonBar *bgDisk = nullptr;
    QLineEdit *eVolume = nullptr;
    QLineEdit *ePath = nullptr;
    ui::TExplorerView *Tree = nullptr;
    TExplorerModel *TreeModel = nullptr;
    QMenu *HeaderPopup = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QCheckBox *cbxClear = nullptr;
    QCheckBox *cbxSubdirs = nullptr;
    QCheckBox *cbxListSLO = nullptr;
    QCheckBox *cbxDirs = nullptr;
    QCheckBox *cbxFiles = nullptr;
    QLineEdit *eFileMask = nullptr;
    QLineEdit *eText = nullptr;
    QPushButton *bList = nullptr;

    ui::TExplorerView *List = nullptr;
    TListModel *ListModel = nullptr;
    QGroupBox *gbCols = nullptr;
    QCheckBox *cbxPath = nullptr;
    QCheckBox *cbxName = nullptr;
    QCheckBox *cbxExt = nullptr;
    QCheckBox *cbxSize = nullptr;
    QCheckBox *cbxCrt = nullptr;
    QCheckBox *cbxMod = nullptr;
    QCheckBox *cbxAcc = nullptr;
    QCheckBox *cbxAttrs = nullptr;
    QGroupBox *gbLay = nullptr;
    ui::TNotebook *pcLay = nullptr;
    QComboBox *cbCSVFormat = nullptr;
    QComboBox *cbCSVDelim = nullptr;
    QCheckBox *cbxGrid = nullptr;
    ui::TColorPicker *cpGrid = nullptr;
    ui::TColorPicker *cpHeader = nullptr;
    ui::TColorPicker *cpHeaderFont = nullptr;
    ui::TColorPicker *cpCell = nullptr;
    ui::TColorPicker *cpCellFont = nullptr;
    QLineEdit *eTitle = nullptr;
    QCheckBox *cbxTree = nullptr;
    QComboBox *cbCharset = nullptr;
    QGroupBox *rgReport = nullptr;
    QButtonGroup *rgReportItems = nullptr;
    QCheckBox *cbxSepPNE = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *bPreview = nullptr;

    ui::TTextViewer *Memo = nullptr;
    QLabel *BrowserPanel = nullptr;
    ui::THtmlView *Browser = nullptr;
    QPushButton *bBack2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *bSave = nullptr;
    QLabel *sb = nullptr;  // the status bar's one panel

    QMenu *LeftPanel1 = nullptr;
    QAction *About1 = nullptr;
    QAction *mmExit = nullptr;
    QMenu *Action1 = nullptr;
    QAction *acList = nullptr;
    QAction *acPreview = nullptr;
    QAction *acPrint = nullptr;
    QAction *acSave = nullptr;

    devices::TZelko_DeviceMonitor *DeviceMonitor = nullptr;
    std::unique_ptr<TFormStorage> FormStorage;

    // State the design names.
    QStringList FReport;
    QString FTimestampFormat;
    explorer::TFileList FFileList;
    explorer::TFileList FList;

    int ReportFormat() const;

public:
    // Handlers.
    void FormCreate(const QStringList &arguments);
    void pcChange(int index);
    void pcLayChange(int index);
    void rgReportClick();
    void acPreviewExecute();
    void bBack2Click();
    void acListExecute();
    void acPrintExecute();
    void acSaveExecute();
    void About1Click();
    void cmExit();
    void FormStorageAfterRestorePlacement();
    void BuildList(const QString &folder);
    void FillList();
    void ScanFolder(const QString &path);

    // The explorer table.
    void FileScannerSearchFinish();
    void FillTree();
    int FindObjectNode(const QString &name) const;  // a row, or -1
    void SetFocused(const QString &name);
    void TreeHeaderClick(int column, Qt::MouseButton button);
    void cmSortMenu(int tag);
    void HeaderPopupPopup();
    void SortTree();
    int SortColumn() const { return fSortColumn; }
    explorer::TSortDirection SortDirection() const { return fSortDirection; }
    // Navigation and check marks.
    void cmDefaultAction();
    bool TreeKeyDown(QKeyEvent *event);
    void TreeChecked(int row);
    void SelectNode(int row, TCheckMode mode);
    void SelectAll(TCheckMode mode);
    void cmSelect(int tag);
    int FocusedRow() const;
    // Drives.
    QString RefreshDisks(const QString &disk);
    void bgDiskButtonClicked(int index);
    void ShowVolumeInfo(const QString &drive);
    void DeviceMonitorVolumeConnect();
    void WMRefreshDisks();
    void Reread();
    const std::vector<devices::TDrive> &Drives() const { return fDrives; }
    // The drive part of a path: the mount point of the shown drive that
    // holds it.
    QString ExtractFileDrive(const QString &path) const;

    // Where the drive bar reads the mount table; tests give their own.
    std::function<std::vector<platform::TMountInfo>()> ReadMounts;

    // What the controls say, as the non-visual classes take it.
    listing::TListingOptions ListingOptions() const;
    listing::TColumnOptions ColumnOptions() const;
    listing::THtmlLayout HtmlLayout() const;

    listing::TListingBuilder &Builder() { return fBuilder; }

    // The two dialogs, replaceable so that tests drive the real handlers.
    // The save dialog returns false when cancelled, else the file type
    // left selected (1 CSV, 2 HTML, 3 All files) and the name chosen.
    std::function<bool(int &fileType, QString &fileName)> RunSaveDialog;
    std::function<bool(QPrinter &printer)> RunPrintDialog;

private:
    void CreateLayout();
    QWidget *CreateExplorerPage();
    QWidget *CreateListPage();
    QWidget *CreatePreviewPage();
    QWidget *CreateCsvOptionsPage();
    QWidget *CreateHtmlLayoutPage();
    void CreateActionsAndMenus();
    void BindButtonToAction(QPushButton *button, QAction *action);
    void BindListingHooks();
    bool ExecSaveDialog(int &fileType, QString &fileName);
    bool ExecPrintDialog(QPrinter &printer);
    void BuildReport(int format);
    void CreateTreeMenus();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void CreateFormStorage();
    void SaveSettings();
    void customEvent(QEvent *event) override;
    void ShowReport();

    const explorer::TRegionalFormats &fFormats;
    explorer::TFolderScanner fScanner;
    listing::TListingBuilder fBuilder;
    QElapsedTimer fSinceEvents;
    bool fCloseWhenListed = false;
    int fSortColumn = 0;
    explorer::TSortDirection fSortDirection = explorer::sdAscending;
    std::vector<devices::TDrive> fDrives;
};

} // namespace app
