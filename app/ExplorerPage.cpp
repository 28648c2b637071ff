#include "app/ExplorerPage.h"

#include "app/Controls.h"
#include "app/ExplorerModel.h"
#include "ui/DriveButtonBar.h"
#include "ui/ExplorerView.h"

#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <utility>
#include <QVBoxLayout>

namespace app {

using namespace explorer;

namespace {

constexpr int CommandPanelHeight = 126;
constexpr int MinimumNameWidth = 150;
constexpr int MaskWidth = 68;
constexpr int PhraseWidth = 145;
const QString PathLineStyle = QStringLiteral("background-color: #FFE7A2;");

const char *const DriveIcons[] = {"drive-other", "drive-fixed", "drive-network", "drive-optical",
                                  "drive-removable"};
const char *const DriveThemeIcons[] = {"drive-harddisk", "drive-harddisk", "folder-remote",
                                       "drive-optical", "drive-removable-media"};

QIcon DriveIcon(int image)
{
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(DriveIcons[image])));
    return image == devices::diOther ? own : QIcon::fromTheme(QLatin1String(DriveThemeIcons[image]), own);
}

struct TMenuItem {
    const char *Name;  // nullptr: a separator
    const char *Caption;
    int Tag;
};

// Adds the items to Menu, each running Run with its tag.
template <class Run>
void AddMenuItems(QMenu *menu, std::initializer_list<TMenuItem> items, QActionGroup *group, Run run)
{
    for (const TMenuItem &i : items) {
        if (!i.Name) {
            menu->addSeparator()->setData(0);
            continue;
        }
        QAction *item = menu->addAction(QString::fromLatin1(i.Caption));
        item->setObjectName(QLatin1String(i.Name));
        item->setData(i.Tag);
        if (group) {
            item->setCheckable(true);
            group->addAction(item);
        }
        QObject::connect(item, &QAction::triggered, menu, [run, tag = i.Tag] { run(tag); });
    }
}

} // namespace

TExplorerPage::TExplorerPage(TExplorerController &explorer, const TRegionalFormats &formats,
                             const QString &timestampFormat, QWidget *parent)
    : QWidget(parent), fExplorer(explorer)
{
    setObjectName(QStringLiteral("TabSheet1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    bgDisk = new ui::TDriveButtonBar(this);
    bgDisk->setObjectName(QStringLiteral("bgDisk"));
    CreateInfoLines();
    CreateTable(formats, timestampFormat);
    CreateTreeMenus();
    layout->addWidget(bgDisk);
    layout->addWidget(eVolume);
    layout->addWidget(ePath);
    layout->addWidget(Tree, 1);
    layout->addWidget(CreateCommandPanel());

    connect(bgDisk, &ui::TDriveButtonBar::ButtonClicked, this, &TExplorerPage::bgDiskButtonClicked);
    connect(&explorer, &TExplorerController::DrivesChanged, this, &TExplorerPage::ShowDrives);
    connect(&explorer, &TExplorerController::VolumeLineChanged, eVolume, &QLineEdit::setText);
    connect(&explorer, &TExplorerController::ScanStarted, this, [this](const QString &path) {
        ePath->setText(path);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Tree->setUpdatesEnabled(false);
    });
    connect(&explorer, &TExplorerController::ScanFinished, this, [this] {
        Tree->setUpdatesEnabled(true);
        QApplication::restoreOverrideCursor();
    });
    connect(&explorer, &TExplorerController::OrderChanged, this, &TExplorerPage::ShowSortState);
    connect(&explorer, &TExplorerController::FocusChanged, this, &TExplorerPage::ShowFocus);
    ShowSortState();
}

void TExplorerPage::CreateInfoLines()
{
    eVolume = NewReadOnlyLine("eVolume", this);
    // A line of information rather than a field: the page shows through.
    QPalette volume = eVolume->palette();
    volume.setBrush(QPalette::Base, volume.brush(QPalette::Window));
    eVolume->setPalette(volume);
    ePath = NewReadOnlyLine("ePath", this);
    ePath->setStyleSheet(PathLineStyle);
    QFont bold = ePath->font();
    bold.setBold(true);
    ePath->setFont(bold);
}

void TExplorerPage::CreateTable(const TRegionalFormats &formats, const QString &timestampFormat)
{
    Tree = new ui::TExplorerView(this);
    Tree->setObjectName(QStringLiteral("Tree"));
    TreeModel = new TExplorerModel(fExplorer, timestampFormat, formats, Tree);
    Tree->setModel(TreeModel);
    const QFontMetrics metrics(Tree->font());
    const int widths[] = {503, 50, 60, TimestampColumnWidth(metrics), FixedTextColumnWidth(metrics, "rahs", 40)};
    for (int column = 0; column < ExplorerColumnCount; ++column)
        Tree->setColumnWidth(column, widths[column]);
    Tree->SetAutoSizeColumn(ecName, MinimumNameWidth);
    Tree->installEventFilter(this);
    Tree->FindRow = [this](const QString &typed) { return fExplorer.IncrementalSearch(typed); };
    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { fExplorer.SetFocusedRow(current.isValid() ? current.row() : -1); });
    connect(Tree, &QAbstractItemView::doubleClicked, this, &TExplorerPage::cmDefaultAction);
    connect(TreeModel, &TExplorerModel::Checked, this, &TExplorerPage::TreeChecked);
}

void TExplorerPage::CreateTreeMenus()
{
    HeaderPopup = new QMenu(this);
    HeaderPopup->setObjectName(QStringLiteral("HeaderPopup"));
    AddMenuItems(HeaderPopup,
                 {{"pmName", "Name", ecName}, {"pmExtension", "Extension", ecExt}, {"pmSize", "Size", ecSize},
                  {"pmDate", "Date", ecTimestamp}, {"pmAttributes", "Attributes", ecAttr}, {nullptr, nullptr, 0},
                  {"pmUnsorted", "Unsorted", NoSortColumn}},
                 new QActionGroup(HeaderPopup), [this](int tag) { cmSortMenu(tag); });
    connect(HeaderPopup, &QMenu::aboutToShow, this, &TExplorerPage::HeaderPopupPopup);
    Tree->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Tree->header(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint &pos) { HeaderPopup->popup(Tree->header()->mapToGlobal(pos)); });
    // A left click sorts through the header's own click; a middle click
    // sorts too, which the header does not report, so it is caught here.
    Tree->header()->setSectionsClickable(true);
    Tree->header()->viewport()->installEventFilter(this);
    connect(Tree->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { TreeHeaderClick(column, Qt::LeftButton); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    AddMenuItems(PopupMenu1,
                 {{"pmCheckall", "Check all", cmCheck}, {nullptr, nullptr, 0},
                  {"pmUncheckall", "Uncheck all", cmUncheck}, {nullptr, nullptr, 0},
                  {"pmInvert", "Invert", cmInvert}},
                 nullptr, [this](int tag) { cmSelect(tag); });
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = Tree->indexAt(pos);
        if (index.isValid())
            Tree->setCurrentIndex(index);
        PopupMenu1->popup(Tree->viewport()->mapToGlobal(pos));
    });
}

QWidget *TExplorerPage::CreateCommandPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("CMDPanel"));
    panel->setFixedHeight(CommandPanelHeight);
    const listing::TListingOptions defaults;
    cbxClear = NewCheckBox("cbxClear", "Clear previous list", defaults.ClearPrevious, panel);
    cbxSubdirs = NewCheckBox("cbxSubdirs", "Recurse subdirectories", defaults.Recurse, panel);
    cbxListSLO = NewCheckBox("cbxListSLO", "List unchecked sibling objects", defaults.ListUnticked, panel);
    cbxDirs = NewCheckBox("cbxDirs", "List directories", defaults.ListDirs, panel);
    cbxFiles = NewCheckBox("cbxFiles", "List files", defaults.ListFiles, panel);
    eFileMask = new QLineEdit(defaults.FileMask, panel);
    eFileMask->setObjectName(QStringLiteral("eFileMask"));
    eFileMask->setFixedWidth(MaskWidth);
    eText = new QLineEdit(panel);
    eText->setObjectName(QStringLiteral("eText"));
    eText->setFixedWidth(PhraseWidth);
    auto *containing = new QLabel(QStringLiteral("containing"), panel);
    containing->setObjectName(QStringLiteral("Label6"));
    containing->setBuddy(eText);
    bList = NewButton("bList", QString(), panel);

    auto *grid = new QGridLayout(panel);
    QCheckBox *const boxes[] = {cbxClear, cbxSubdirs, cbxListSLO, cbxDirs, cbxFiles};
    for (int row = 0; row < int(std::size(boxes)); ++row)
        grid->addWidget(boxes[row], row, 0);
    auto *mask = new QHBoxLayout;
    mask->addWidget(eFileMask);
    mask->addWidget(containing);
    mask->addWidget(eText);
    mask->addStretch();
    const int lastRow = int(std::size(boxes)) - 1;
    grid->addLayout(mask, lastRow, 1);
    grid->addWidget(bList, lastRow, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(1, 1);
    QWidget *const order[] = {cbxClear, cbxSubdirs, cbxListSLO, cbxDirs, cbxFiles, eFileMask, eText, bList};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    return panel;
}

void TExplorerPage::FocusTable()
{
    Tree->setFocus(Qt::OtherFocusReason);
}

listing::TListingOptions TExplorerPage::ListingOptions() const
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

bool TExplorerPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Tree && event->type() == QEvent::KeyPress)
        return TreeKeyDown(static_cast<QKeyEvent *>(event));
    if (watched == Tree->header()->viewport())
        HeaderMouseEvent(event);
    return QWidget::eventFilter(watched, event);
}

void TExplorerPage::HeaderMouseEvent(QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::MiddleButton)
        return;
    // A click is a press and a release over the same column.
    const int column = Tree->header()->logicalIndexAt(mouse->position().toPoint());
    if (event->type() == QEvent::MouseButtonPress)
        fMiddlePressedColumn = column;
    else if (column >= 0 && column == std::exchange(fMiddlePressedColumn, -1))
        TreeHeaderClick(column, Qt::MiddleButton);
}

bool TExplorerPage::TreeKeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    // Shift+arrow marks and lets the table move the focus as for the plain
    // arrow. The other bindings place the focus themselves (a new folder's
    // row, the next row), so the table's own handling of their keys, which
    // would move it again, does not follow.
    if (modifiers == Qt::ShiftModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        fExplorer.SelectNode(fExplorer.FocusedRow(), cmInvert);
        return false;
    }
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter))
        fExplorer.OpenFocused();
    else if (modifiers == Qt::NoModifier && key == Qt::Key_Insert)
        fExplorer.MarkAndMoveDown();
    else if (modifiers == Qt::ControlModifier && key == Qt::Key_PageUp)
        fExplorer.GoUp();
    else if (modifiers == Qt::ControlModifier && key == Qt::Key_R)
        fExplorer.Reread();
    else if (modifiers == Qt::ControlModifier && key == Qt::Key_Backslash)
        fExplorer.GoToDriveRoot();
    else
        return false;
    return true;
}

void TExplorerPage::TreeChecked(int row)
{
    fExplorer.SelectNode(row, cmInvert);
}

void TExplorerPage::cmDefaultAction()
{
    fExplorer.OpenFocused();
}

void TExplorerPage::TreeHeaderClick(int column, Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        cmSortMenu(column);
}

void TExplorerPage::cmSortMenu(int tag)
{
    fExplorer.SortBy(tag);
}

void TExplorerPage::HeaderPopupPopup()
{
    for (QAction *item : HeaderPopup->actions()) {
        if (item->isCheckable() && item->data().toInt() == fExplorer.SortColumn()) {
            item->setChecked(true);
            return;
        }
    }
}

void TExplorerPage::cmSelect(int tag)
{
    fExplorer.SelectAll(static_cast<TCheckMode>(tag));
}

void TExplorerPage::bgDiskButtonClicked(int index)
{
    fExplorer.OpenDrive(index);
}

void TExplorerPage::ShowDrives()
{
    bgDisk->Clear();
    for (const devices::TDrive &d : fExplorer.Drives().Drives())
        bgDisk->AddButton(d.Caption, DriveIcon(d.ImageIndex), d.ToolTip);
    bgDisk->SetCurrent(fExplorer.Drives().Current());
}

void TExplorerPage::ShowSortState()
{
    const int column = fExplorer.SortColumn();
    QHeaderView *header = Tree->header();
    header->setSortIndicatorShown(column != NoSortColumn);
    if (column != NoSortColumn)
        header->setSortIndicator(column, fExplorer.SortDirection() == sdAscending ? Qt::AscendingOrder
                                                                                  : Qt::DescendingOrder);
}

void TExplorerPage::ShowFocus(int row)
{
    if (row < 0) {
        Tree->selectionModel()->clearSelection();
        Tree->setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex index = TreeModel->index(row, 0);
    Tree->setCurrentIndex(index);
    Tree->scrollTo(index, QAbstractItemView::EnsureVisible);
}

} // namespace app
