#pragma once
// The main window: a frame of three pages (Explorer, List, Preview) with
// the menus, actions and status bar, and the two controllers that do the
// work. Each page is a class of its own; the window's handlers keep the
// names they have always had and only forward to a controller or a page.

#include "devices/DeviceMonitor.h"
#include "explorer/ExplorerController.h"
#include "listing/ListingController.h"
#include "platform/MountTable.h"

#include <QEvent>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;

namespace ui {
class TPageControl;
}

namespace app {

class TExplorerPage;
class TFormStorage;
class TListPage;
class TPreviewPage;
class TPrintCommand;

// Posted to the window when a volume arrives or leaves; its handler
// rebuilds the drive bar later, from the event loop.
constexpr int WM_REFRESHDISKS = QEvent::User + 1000;

enum TPage { pgExplorer = 0, pgList = 1, pgPreview = 2 };

class Twnd_qv_Main : public QMainWindow {
    Q_OBJECT
public:
    // What the window asks of the system. Each one left empty is the
    // system's own; tests give theirs.
    struct TServices {
        std::function<std::vector<platform::TMountInfo>()> ReadMounts;
        std::function<devices::TZelko_DeviceMonitor::TSources()> MonitorSources;
        // False when cancelled; else the file type left selected (1 CSV,
        // 2 HTML, 3 All files; it comes in preselected) and the name chosen.
        std::function<bool(int &fileType, QString &fileName)> SaveDialog;
        // True when the existing file of that name may be replaced.
        std::function<bool(const QString &fileName)> ConfirmReplace;
        std::function<bool(QPrinter &printer)> PrintDialog;
    };

    // Formats: the regional ones read at start, kept by the caller.
    // Arguments: the command line without the program name.
    Twnd_qv_Main(const explorer::TRegionalFormats &formats, const QStringList &arguments,
                 TServices services = TServices(), QWidget *parent = nullptr);
    ~Twnd_qv_Main() override;

private:
    // MainWindowLayout.cpp: the frame, the menus and the actions.
    void CreateLayout();
    void PlaceAtFirstStart();
    void CreateActionsAndMenus();
    void BindButtonToAction(QPushButton *button, QAction *action);
    void SetDefaultServices();
    void CreateFormStorage();
    void BindControllers();

    // Handlers.
    void FormCreate(const QStringList &arguments);
    void pcChange(int index);
    void acListExecute();
    void acPreviewExecute();
    void bBack2Click();
    void acPrintExecute();
    void PrintEnded();
    void acSaveExecute();
    void About1Click();
    void cmExit();
    void FormStorageAfterRestorePlacement();
    void DeviceMonitorVolumeConnect();
    void WMRefreshDisks();
    void BuildList(const QString &folder);
    void SaveSettings();
    // One line in the status bar until the user's next step.
    void ShowUntilNextAction(const QString &text);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void customEvent(QEvent *event) override;
    bool ExecSaveDialog(int &fileType, QString &fileName);
    bool AskReplace(const QString &fileName);
    bool ExecPrintDialog(QPrinter &printer);

    const explorer::TRegionalFormats &fFormats;
    TServices fServices;
    // The pattern of the time stamps in both tables.
    const QString FTimestampFormat;
    explorer::TExplorerController fExplorer;
    listing::TListingController fListing;
    // A close asked for while a listing or a print ran waits for it to end.
    bool fCloseWhenDone = false;
    std::unique_ptr<TPrintCommand> fPrint;
    bool fPrintWaiting = false;  // a Print asked for while one ran

    ui::TPageControl *pc = nullptr;
    TExplorerPage *fExplorerPage = nullptr;
    TListPage *fListPage = nullptr;
    TPreviewPage *fPreviewPage = nullptr;
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
};

} // namespace app
