#pragma once
// The Explorer page of the main window: the drive bar, the volume and path
// lines, the table of the folder shown with its two menus, and the command
// panel of a listing. What it does lives in the explorer controller; its
// handlers only turn keys, clicks and menu items into the controller's
// calls and show what the controller reports.

#include "explorer/ExplorerController.h"
#include "listing/ListingOptions.h"

#include <QWidget>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ui {
class TDriveButtonBar;
class TExplorerView;
} // namespace ui

namespace app {

class TExplorerModel;

class TExplorerPage : public QWidget {
    Q_OBJECT
public:
    // The controller and the formats are the window's and outlive the page.
    TExplorerPage(explorer::TExplorerController &explorer, const explorer::TRegionalFormats &formats,
                  const QString &timestampFormat, QWidget *parent = nullptr);

    // What the command panel says, as a listing takes it.
    listing::TListingOptions ListingOptions() const;
    // Gives the keyboard to the folder's table.
    void FocusTable();
    // The Start button, which shows the listing action.
    QPushButton *StartButton() const { return bList; }

private:
    void CreateInfoLines();
    void CreateTable(const explorer::TRegionalFormats &formats, const QString &timestampFormat);
    void CreateTreeMenus();
    QWidget *CreateCommandPanel();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void HeaderMouseEvent(QEvent *event);

    // Handlers.
    bool TreeKeyDown(QKeyEvent *event);
    void TreeChecked(int row);
    void cmDefaultAction();
    void TreeHeaderClick(int column, Qt::MouseButton button);
    void cmSortMenu(int tag);
    void HeaderPopupPopup();
    void cmSelect(int tag);
    void bgDiskButtonClicked(int index);
    // What the controller reports.
    void ShowDrives();
    void ShowSortState();
    void ShowFocus(int row);

    explorer::TExplorerController &fExplorer;
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
    int fMiddlePressedColumn = -1;
};

} // namespace app
