#pragma once
// The main window: the controller of the whole program. Its handlers keep
// the names they have in the design and stay thin: the folder scan, the
// listing, the reports and saving live in the non-visual classes that
// tamarel-list runs too.

#include "explorer/FileData.h"
#include "explorer/FolderScanner.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOptions.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <QStringList>

class QAction;
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
class QTreeWidget;

namespace ui {
class TColorPicker;
class TDriveButtonBar;
class THtmlView;
class TNotebook;
class TPageControl;
class TTextViewer;
} // namespace ui

namespace app {

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
    QTreeWidget *Tree = nullptr;
    QCheckBox *cbxClear = nullptr;
    QCheckBox *cbxSubdirs = nullptr;
    QCheckBox *cbxListSLO = nullptr;
    QCheckBox *cbxDirs = nullptr;
    QCheckBox *cbxFiles = nullptr;
    QLineEdit *eFileMask = nullptr;
    QLineEdit *eText = nullptr;
    QPushButton *bList = nullptr;

    QTreeWidget *List = nullptr;
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
    void BuildList(const QString &folder);
    void ScanFolder(const QString &path);

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
    void BuildReport();
    void ShowReport();

    const explorer::TRegionalFormats &fFormats;
    explorer::TFolderScanner fScanner;
    listing::TListingBuilder fBuilder;
    QElapsedTimer fSinceEvents;
};

} // namespace app
