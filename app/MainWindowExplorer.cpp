// The explorer page: the table of the current folder, moving between
// folders, check marks and the drive bar.

#include "app/ExplorerModel.h"
#include "app/MainWindow.h"

#include "explorer/FieldFormat.h"
#include "ui/DriveButtonBar.h"
#include "ui/ExplorerView.h"

#include <QActionGroup>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace app {

namespace {

const char *const DriveIcons[] = {"drive-other", "drive-fixed", "drive-network", "drive-optical",
                                  "drive-removable"};
const char *const DriveThemeIcons[] = {"drive-harddisk", "drive-harddisk", "folder-remote",
                                       "drive-optical", "drive-removable-media"};

QIcon DriveIcon(int image)
{
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(DriveIcons[image])));
    return image == devices::diOther ? own : QIcon::fromTheme(QLatin1String(DriveThemeIcons[image]), own);
}

bool EqualIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a.at(i).unicode(), y = b.at(i).unicode();
        if (x >= u'a' && x <= u'z')
            x = char16_t(x - 32);
        if (y >= u'a' && y <= u'z')
            y = char16_t(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

void Twnd_qv_Main::CreateTreeMenus()
{
    HeaderPopup = new QMenu(this);
    auto *group = new QActionGroup(HeaderPopup);
    const struct {
        const char *name;
        const char *caption;
        int tag;
    } sorts[] = {{"pmName", "Name", 0}, {"pmExtension", "Extension", 1}, {"pmSize", "Size", 2},
                 {"pmDate", "Date", 3}, {"pmAttributes", "Attributes", 4}, {nullptr, nullptr, 0},
                 {"pmUnsorted", "Unsorted", explorer::NoSortColumn}};
    for (const auto &s : sorts) {
        if (!s.name) {
            HeaderPopup->addSeparator()->setData(0);
            continue;
        }
        QAction *item = HeaderPopup->addAction(QString::fromLatin1(s.caption));
        item->setObjectName(QString::fromLatin1(s.name));
        item->setData(s.tag);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, tag = s.tag] { cmSortMenu(tag); });
    }
    connect(HeaderPopup, &QMenu::aboutToShow, this, &Twnd_qv_Main::HeaderPopupPopup);
    Tree->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Tree->header(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint &pos) { HeaderPopup->popup(Tree->header()->mapToGlobal(pos)); });
    connect(Tree->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { TreeHeaderClick(column, Qt::LeftButton); });

    PopupMenu1 = new QMenu(this);
    const struct {
        const char *name;
        const char *caption;
        int tag;
    } checks[] = {{"pmCheckall", "Check all", cmCheck}, {nullptr, nullptr, 0},
                  {"pmUncheckall", "Uncheck all", cmUncheck}, {nullptr, nullptr, 0},
                  {"pmInvert", "Invert", cmInvert}};
    for (const auto &c : checks) {
        if (!c.name) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction *item = PopupMenu1->addAction(QString::fromLatin1(c.caption));
        item->setObjectName(QString::fromLatin1(c.name));
        item->setData(c.tag);
        connect(item, &QAction::triggered, this, [this, tag = c.tag] { cmSelect(tag); });
    }
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = Tree->indexAt(pos);
        if (index.isValid())
            Tree->setCurrentIndex(index);
        PopupMenu1->popup(Tree->viewport()->mapToGlobal(pos));
    });
}

void Twnd_qv_Main::FileScannerSearchFinish()
{
    FillTree();
    QString last = FFileList.LastLocation;
    if (last.size() > 1 && last.endsWith(QLatin1Char('/')))
        last.chop(1);
    SetFocused(explorer::ExtractFileName(last));
}

void Twnd_qv_Main::FillTree()
{
    Tree->setUpdatesEnabled(false);
    TreeModel->Rebuild();
    SortTree();
    if (!FFileList.FileData.empty()) {
        const QModelIndex first = TreeModel->index(FFileList.FileData[0].NodePointer, 0);
        Tree->setCurrentIndex(first);
    }
    Tree->setUpdatesEnabled(true);
}

void Twnd_qv_Main::SortTree()
{
    TreeModel->SetOrder(explorer::SortExplorerRows(FFileList, TreeModel->Order(), fSortColumn,
                                                    fSortDirection, fFormats.Locale));
    QHeaderView *header = Tree->header();
    header->setSortIndicatorShown(fSortColumn != explorer::NoSortColumn);
    if (fSortColumn != explorer::NoSortColumn)
        header->setSortIndicator(fSortColumn, fSortDirection == explorer::sdAscending ? Qt::AscendingOrder
                                                                                      : Qt::DescendingOrder);
}

int Twnd_qv_Main::FindObjectNode(const QString &name) const
{
    for (const explorer::TFileData &d : FFileList.FileData)
        if (EqualIgnoringAsciiCase(d.Name, name))
            return d.NodePointer;
    return -1;
}

void Twnd_qv_Main::SetFocused(const QString &name)
{
    const int row = FindObjectNode(name);
    if (row < 0)
        return;
    const QModelIndex index = TreeModel->index(row, 0);
    Tree->setCurrentIndex(index);
    Tree->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void Twnd_qv_Main::TreeHeaderClick(int column, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        return;
    cmSortMenu(column);
}

void Twnd_qv_Main::cmSortMenu(int tag)
{
    if (tag == fSortColumn) {
        fSortDirection = fSortDirection == explorer::sdAscending ? explorer::sdDescending : explorer::sdAscending;
    } else {
        fSortDirection = explorer::sdAscending;
        fSortColumn = tag;
    }
    SortTree();
}

void Twnd_qv_Main::HeaderPopupPopup()
{
    for (QAction *item : HeaderPopup->actions()) {
        if (item->isCheckable() && item->data().toInt() == fSortColumn) {
            item->setChecked(true);
            return;
        }
    }
}

int Twnd_qv_Main::FocusedRow() const
{
    const QModelIndex index = Tree->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void Twnd_qv_Main::cmDefaultAction()
{
    const int row = FocusedRow();
    if (row < 0)
        return;
    const explorer::TFileData &d = FFileList.FileData[size_t(TreeModel->EntryOf(row))];
    if (d.Directory)
        ScanFolder(d.FullName());
}

bool Twnd_qv_Main::TreeKeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    const int row = FocusedRow();
    // Shift+arrow marks and lets the table move the focus as for the plain
    // arrow. The other bindings place the focus themselves (a new folder's
    // row, the next row), so the table's own handling of their keys, which
    // would move it again, does not follow.
    if (modifiers == Qt::ShiftModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        if (row >= 0)
            SelectNode(row, cmInvert);
        return false;
    }
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        cmDefaultAction();
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_Insert) {
        if (row >= 0) {
            SelectNode(row, cmInvert);
            Tree->selectionModel()->clearSelection();
            if (row + 1 < TreeModel->rowCount()) {
                const QModelIndex next = TreeModel->index(row + 1, 0);
                Tree->setCurrentIndex(next);
                Tree->scrollTo(next, QAbstractItemView::EnsureVisible);
            } else {
                Tree->setCurrentIndex(QModelIndex());
            }
        }
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_PageUp) {
        ScanFolder(explorer::ParentFolder(FFileList.Location));
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_R) {
        Reread();
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_Backslash) {
        ScanFolder(ExtractFileDrive(FFileList.Location));
    } else {
        return false;
    }
    return true;
}

void Twnd_qv_Main::TreeChecked(int row)
{
    SelectNode(row, cmInvert);
}

void Twnd_qv_Main::SelectNode(int row, TCheckMode mode)
{
    explorer::TFileData &d = FFileList.FileData[size_t(TreeModel->EntryOf(row))];
    d.Selected = mode == cmCheck ? true : (mode == cmUncheck ? false : !d.Selected);
    const QModelIndex index = TreeModel->index(row, 0);
    emit TreeModel->dataChanged(index, index, {Qt::CheckStateRole});
}

void Twnd_qv_Main::SelectAll(TCheckMode mode)
{
    Tree->setUpdatesEnabled(false);
    for (int row = 0; row < TreeModel->rowCount(); ++row) {
        explorer::TFileData &d = FFileList.FileData[size_t(TreeModel->EntryOf(row))];
        d.Selected = mode == cmCheck ? true : (mode == cmUncheck ? false : !d.Selected);
    }
    TreeModel->MarksChanged();
    Tree->setUpdatesEnabled(true);
}

void Twnd_qv_Main::cmSelect(int tag)
{
    SelectAll(static_cast<TCheckMode>(tag));
}

QString Twnd_qv_Main::ExtractFileDrive(const QString &path) const
{
    const int index = devices::DriveOf(fDrives, path);
    return index >= 0 ? fDrives[size_t(index)].MountPoint : QStringLiteral("/");
}

QString Twnd_qv_Main::RefreshDisks(const QString &disk)
{
    bgDisk->Clear();
    fDrives = devices::GetAvailableDisks(ReadMounts(), platform::ReadBlockDeviceInfo);
    for (const devices::TDrive &d : fDrives)
        bgDisk->AddButton(d.Caption, DriveIcon(d.ImageIndex), d.ToolTip);
    const int current = devices::DriveOf(fDrives, disk);
    bgDisk->SetCurrent(current);
    return current >= 0 ? fDrives[size_t(current)].MountPoint : QString();
}

void Twnd_qv_Main::bgDiskButtonClicked(int index)
{
    if (index < 0 || index >= int(fDrives.size()))
        return;
    const QString drive = fDrives[size_t(index)].MountPoint;
    ScanFolder(drive);
    ShowVolumeInfo(drive);
}

void Twnd_qv_Main::ShowVolumeInfo(const QString &drive)
{
    const int index = devices::DriveOf(fDrives, drive);
    const devices::TDrive *d = index >= 0 ? &fDrives[size_t(index)] : nullptr;
    const platform::TVolumeSpace space = platform::ReadVolumeSpace(drive);
    eVolume->setText(devices::VolumeLineText(d ? d->Label : QString(), d ? d->FileSystem : QString(),
                                             space.Capacity, space.Available, fFormats.Locale));
}

void Twnd_qv_Main::DeviceMonitorVolumeConnect()
{
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(WM_REFRESHDISKS)));
}

void Twnd_qv_Main::WMRefreshDisks()
{
    RefreshDisks(QStringLiteral("C"));
}

void Twnd_qv_Main::customEvent(QEvent *event)
{
    if (event->type() == WM_REFRESHDISKS)
        WMRefreshDisks();
    else
        QMainWindow::customEvent(event);
}

void Twnd_qv_Main::Reread()
{
    const int current = bgDisk->Current();
    const QString before = current >= 0 && current < int(fDrives.size()) ? fDrives[size_t(current)].MountPoint
                                                                          : QString();
    const QString now = RefreshDisks(before);
    if (now == before && !before.isEmpty()) {
        const int row = FocusedRow();
        const QString focused = row >= 0 ? FFileList.FileData[size_t(TreeModel->EntryOf(row))].Name : QString();
        ScanFolder(FFileList.Location);
        if (!focused.isEmpty())
            SetFocused(focused);
    } else {
        ScanFolder(now);
    }
}

bool Twnd_qv_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Tree && event->type() == QEvent::KeyPress)
        return TreeKeyDown(static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

} // namespace app
