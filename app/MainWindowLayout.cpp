// The window's controls, menus and actions: what the user sees, in the
// order and with the captions and initial values the window has at first
// start. Behaviour lives in MainWindow.cpp.

#include "app/ExplorerModel.h"
#include "app/ListModel.h"
#include "app/MainWindow.h"

#include "ui/ColorPicker.h"
#include "ui/DriveButtonBar.h"
#include "ui/ExplorerView.h"
#include "ui/HtmlView.h"
#include "ui/Notebook.h"
#include "ui/PageControl.h"
#include "ui/TextViewer.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int ClientWidth = 763;
constexpr int ClientHeight = 601;
constexpr int CommandPanelHeight = 126;

QCheckBox *CheckBox(const char *caption, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setChecked(checked);
    return box;
}

QLineEdit *ReadOnlyLine(QWidget *parent)
{
    auto *line = new QLineEdit(parent);
    line->setReadOnly(true);
    line->setFrame(false);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

QPushButton *Button(const char *caption, QWidget *parent)
{
    return new QPushButton(QString::fromUtf8(caption), parent);
}

} // namespace

void Twnd_qv_Main::CreateLayout()
{
    setObjectName(QStringLiteral("wnd_qv_Main"));
    setWindowTitle(QStringLiteral("Zelko Tamarel"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bevel = new QFrame(central);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(2);
    layout->addWidget(bevel);

    pc = new ui::TPageControl(central);
    pc->setObjectName(QStringLiteral("pc"));
    pc->setUsesScrollButtons(true);
    pc->tabBar()->setCursor(Qt::PointingHandCursor);
    TabSheet1 = CreateExplorerPage();
    TabSheet2 = CreateListPage();
    TabSheet3 = CreatePreviewPage();
    pc->addTab(TabSheet1, QStringLiteral(" Explorer "));
    pc->addTab(TabSheet2, QStringLiteral(" List "));
    pc->addTab(TabSheet3, QStringLiteral(" Preview "));
    layout->addWidget(pc);
    setCentralWidget(central);

    sb = new QLabel(this);
    sb->setObjectName(QStringLiteral("sb"));
    statusBar()->addWidget(sb, 1);
    CreateActionsAndMenus();
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
}

QWidget *Twnd_qv_Main::CreateExplorerPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    bgDisk = new ui::TDriveButtonBar(page);
    eVolume = ReadOnlyLine(page);
    ePath = ReadOnlyLine(page);
    ePath->setStyleSheet(QStringLiteral("background-color: #FFE7A2;"));
    QFont bold = ePath->font();
    bold.setBold(true);
    ePath->setFont(bold);
    Tree = new ui::TExplorerView(page);
    Tree->setObjectName(QStringLiteral("Tree"));
    TreeModel = new TExplorerModel(FFileList, fFormats, FTimestampFormat, Tree);
    Tree->setModel(TreeModel);
    // The widths of a small desktop font, widened where the user's font
    // would cut the texts that always have the same length.
    const QFontMetrics metrics(Tree->font());
    const int widths[] = {503, 50, 60, std::max(100, metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + 16),
                          std::max(40, metrics.horizontalAdvance(QStringLiteral("rahs")) + 16)};
    for (int column = 0; column < TExplorerModel::ColumnCount; ++column)
        Tree->setColumnWidth(column, widths[column]);
    Tree->header()->setStretchLastSection(false);
    Tree->header()->setSectionResizeMode(TExplorerModel::colName, QHeaderView::Stretch);
    Tree->installEventFilter(this);
    Tree->IncrementalSearch = [this](int row, const QString &typed) {
        return explorer::IncrementalSearchCompare(typed, FFileList.FileData[size_t(TreeModel->EntryOf(row))].Name);
    };
    connect(Tree, &QAbstractItemView::doubleClicked, this, &Twnd_qv_Main::cmDefaultAction);
    connect(TreeModel, &TExplorerModel::Checked, this, &Twnd_qv_Main::TreeChecked);
    connect(bgDisk, &ui::TDriveButtonBar::ButtonClicked, this, &Twnd_qv_Main::bgDiskButtonClicked);
    CreateTreeMenus();
    layout->addWidget(bgDisk);
    layout->addWidget(eVolume);
    layout->addWidget(ePath);
    layout->addWidget(Tree, 1);

    auto *panel = new QFrame(page);
    panel->setObjectName(QStringLiteral("CMDPanel"));
    panel->setFixedHeight(CommandPanelHeight);
    auto *grid = new QGridLayout(panel);
    cbxClear = CheckBox("Clear previous list", true, panel);
    cbxSubdirs = CheckBox("Recurse subdirectories", false, panel);
    cbxListSLO = CheckBox("List unchecked sibling objects", false, panel);
    cbxDirs = CheckBox("List directories", true, panel);
    cbxFiles = CheckBox("List files", true, panel);
    eFileMask = new QLineEdit(QStringLiteral("*.*"), panel);
    eFileMask->setFixedWidth(68);
    eText = new QLineEdit(panel);
    eText->setFixedWidth(145);
    auto *containing = new QLabel(QStringLiteral("containing"), panel);
    containing->setObjectName(QStringLiteral("Label6"));
    containing->setBuddy(eText);
    bList = new QPushButton(panel);
    grid->addWidget(cbxClear, 0, 0);
    grid->addWidget(cbxSubdirs, 1, 0);
    grid->addWidget(cbxListSLO, 2, 0);
    grid->addWidget(cbxDirs, 3, 0);
    grid->addWidget(cbxFiles, 4, 0);
    auto *mask = new QHBoxLayout;
    mask->addWidget(eFileMask);
    mask->addWidget(containing);
    mask->addWidget(eText);
    mask->addStretch();
    grid->addLayout(mask, 4, 1);
    grid->addWidget(bList, 4, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setColumnStretch(1, 1);
    layout->addWidget(panel);
    setTabOrder(cbxClear, cbxSubdirs);
    setTabOrder(cbxSubdirs, cbxListSLO);
    setTabOrder(cbxListSLO, cbxDirs);
    setTabOrder(cbxDirs, cbxFiles);
    setTabOrder(cbxFiles, eFileMask);
    setTabOrder(eFileMask, eText);
    setTabOrder(eText, bList);
    return page;
}

QWidget *Twnd_qv_Main::CreateListPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    List = new ui::TExplorerView(page);
    List->setObjectName(QStringLiteral("List"));
    ListModel = new TListModel(FList, fFormats, FTimestampFormat, List);
    List->setModel(ListModel);
    const QFontMetrics metrics(List->font());
    const int stamp = std::max(100, metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + 16);
    // The full name gets room to be read; the table scrolls sideways
    // rather than cut every full name to a few letters.
    const int widths[] = {260, 150, 60, 60, stamp, stamp, stamp, 40};
    for (int column = 0; column < TListModel::ColumnCount; ++column)
        List->setColumnWidth(column, widths[column]);
    List->header()->setStretchLastSection(true);
    List->header()->setSortIndicatorShown(true);
    List->header()->setSortIndicator(TListModel::colFullName, Qt::AscendingOrder);
    List->header()->setSectionsClickable(false);
    List->IncrementalSearch = [this](int row, const QString &typed) {
        return explorer::IncrementalSearchCompare(typed, FList.FileData[size_t(ListModel->EntryOf(row))].Name);
    };
    layout->addWidget(List, 1);

    auto *options = new QHBoxLayout;
    gbCols = new QGroupBox(QStringLiteral("[Columns]"), page);
    auto *cols = new QVBoxLayout(gbCols);
    cbxPath = CheckBox("Path", true, gbCols);
    cbxName = CheckBox("Name", true, gbCols);
    cbxExt = CheckBox("Extension", true, gbCols);
    cbxSize = CheckBox("Size", true, gbCols);
    cbxCrt = CheckBox("Created", false, gbCols);
    cbxMod = CheckBox("Modified", true, gbCols);
    cbxAcc = CheckBox("Accessed", false, gbCols);
    cbxAttrs = CheckBox("Attributes", true, gbCols);
    for (QCheckBox *box : {cbxPath, cbxName, cbxExt, cbxSize, cbxCrt, cbxMod, cbxAcc, cbxAttrs})
        cols->addWidget(box);
    options->addWidget(gbCols);
    cbxSepPNE = CheckBox("Separate Path, Name and Extension", false, page);

    gbLay = new QGroupBox(page);
    auto *lay = new QVBoxLayout(gbLay);
    pcLay = new ui::TNotebook(gbLay);
    pcLay->AddPage(CreateCsvOptionsPage(), QStringLiteral("[CSV Options]"));
    pcLay->AddPage(CreateHtmlLayoutPage(), QStringLiteral("[HTML Layout]"));
    lay->addWidget(pcLay);
    options->addWidget(gbLay, 1);

    rgReport = new QGroupBox(QStringLiteral("[Report format]"), page);
    auto *formats = new QVBoxLayout(rgReport);
    rgReportItems = new QButtonGroup(rgReport);
    auto *csv = new QRadioButton(QStringLiteral("CSV"), rgReport);
    auto *html = new QRadioButton(QStringLiteral("HTML"), rgReport);
    rgReportItems->addButton(csv, rfCSV);
    rgReportItems->addButton(html, rfHTML);
    html->setChecked(true);
    formats->addWidget(csv);
    formats->addWidget(html);
    formats->addStretch();
    options->addWidget(rgReport, 0, Qt::AlignTop);
    layout->addLayout(options);

    auto *buttons = new QHBoxLayout;
    Button2 = Button("Back", page);
    bPreview = new QPushButton(page);
    buttons->addWidget(Button2);
    buttons->addWidget(cbxSepPNE);
    buttons->addStretch();
    buttons->addWidget(bPreview);
    layout->addLayout(buttons);
    return page;
}

QWidget *Twnd_qv_Main::CreateCsvOptionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("NxTabSheet2"));
    auto *grid = new QGridLayout(page);
    cbCSVFormat = new QComboBox(page);
    cbCSVFormat->addItems({QStringLiteral("ASCII"), QStringLiteral("UTF8"), QStringLiteral("UNICODE")});
    cbCSVDelim = new QComboBox(page);
    cbCSVDelim->setEditable(true);
    cbCSVDelim->addItems({QStringLiteral(";"), QStringLiteral(",")});
    cbCSVDelim->lineEdit()->setMaxLength(1);
    cbCSVDelim->setCurrentText(QStringLiteral(";"));
    grid->addWidget(new QLabel(QStringLiteral("Format:"), page), 0, 0);
    grid->addWidget(cbCSVFormat, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Delimiter:"), page), 1, 0);
    grid->addWidget(cbCSVDelim, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget *Twnd_qv_Main::CreateHtmlLayoutPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("NxTabSheet1"));
    auto *grid = new QGridLayout(page);
    cbxGrid = CheckBox("Grid lines", true, page);
    cpGrid = new ui::TColorPicker(QStringLiteral("#808080"), page);
    cpHeader = new ui::TColorPicker(QStringLiteral("#0080C0"), page);
    cpHeaderFont = new ui::TColorPicker(QStringLiteral("#FFFFFF"), page);
    cpCell = new ui::TColorPicker(QStringLiteral("#FFFFFF"), page);
    cpCellFont = new ui::TColorPicker(QStringLiteral("#000000"), page);
    eTitle = new QLineEdit(page);
    cbxTree = CheckBox("Tree simulation (only for Name)", false, page);
    cbCharset = new QComboBox(page);
    cbCharset->setEditable(true);
    cbCharset->addItems({QStringLiteral("utf-8"), QStringLiteral("iso-8859-1"), QStringLiteral("windows-1250")});
    cbCharset->setCurrentText(QStringLiteral("utf-8"));
    grid->addWidget(cbxGrid, 0, 0);
    grid->addWidget(cpGrid, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Header:"), page), 1, 0);
    grid->addWidget(cpHeader, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font:"), page), 1, 2);
    grid->addWidget(cpHeaderFont, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Cell:"), page), 2, 0);
    grid->addWidget(cpCell, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font:"), page), 2, 2);
    grid->addWidget(cpCellFont, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Title:"), page), 3, 0);
    grid->addWidget(eTitle, 3, 1, 1, 3);
    auto *last = new QHBoxLayout;
    last->addWidget(cbxTree);
    last->addStretch();
    last->addWidget(new QLabel(QStringLiteral("Charset:"), page));
    last->addWidget(cbCharset);
    grid->addLayout(last, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget *Twnd_qv_Main::CreatePreviewPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    Memo = new ui::TTextViewer(page);
    BrowserPanel = new QLabel(QStringLiteral(" HTML view is not available"), page);
    BrowserPanel->setAlignment(Qt::AlignCenter);
    BrowserPanel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(BrowserPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    Browser = ui::THtmlView::Create(BrowserPanel);
    if (Browser)
        panelLayout->addWidget(Browser);
    BrowserPanel->hide();
    layout->addWidget(Memo, 1);
    layout->addWidget(BrowserPanel, 1);
    auto *buttons = new QHBoxLayout;
    bBack2 = Button("Back", page);
    Button1 = new QPushButton(page);
    bSave = new QPushButton(page);
    buttons->addWidget(bBack2);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(bSave);
    layout->addLayout(buttons);
    return page;
}

void Twnd_qv_Main::BindButtonToAction(QPushButton *button, QAction *action)
{
    auto follow = [button, action] {
        button->setText(action->text());
        button->setVisible(action->isVisible());
    };
    follow();
    connect(action, &QAction::changed, button, follow);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

void Twnd_qv_Main::CreateActionsAndMenus()
{
    struct {
        QAction *&action;
        const char *caption;
        QKeySequence key;
        void (Twnd_qv_Main::*handler)();
    } actions[] = {
        {acList, "Start", QKeySequence(Qt::CTRL | Qt::Key_L), &Twnd_qv_Main::acListExecute},
        {acPreview, "Preview", QKeySequence(Qt::CTRL | Qt::Key_K), &Twnd_qv_Main::acPreviewExecute},
        {acPrint, "Print...", QKeySequence(Qt::CTRL | Qt::Key_P), &Twnd_qv_Main::acPrintExecute},
        {acSave, "Save...", QKeySequence(Qt::CTRL | Qt::Key_S), &Twnd_qv_Main::acSaveExecute},
    };
    LeftPanel1 = menuBar()->addMenu(QStringLiteral("File"));
    About1 = LeftPanel1->addAction(QStringLiteral("About..."), this, &Twnd_qv_Main::About1Click);
    LeftPanel1->addSeparator();
    mmExit = LeftPanel1->addAction(QStringLiteral("Exit"), this, &Twnd_qv_Main::cmExit);
    Action1 = menuBar()->addMenu(QStringLiteral("Action"));
    for (auto &a : actions) {
        a.action = new QAction(QString::fromUtf8(a.caption), this);
        // Hidden actions keep their shortcuts: a window-wide shortcut runs
        // the handler, and the action only shows the key in its menu.
        a.action->setShortcut(a.key);
        a.action->setShortcutContext(Qt::WidgetShortcut);
        Action1->addAction(a.action);
        connect(a.action, &QAction::triggered, this, a.handler);
        auto *shortcut = new QShortcut(a.key, this);
        connect(shortcut, &QShortcut::activated, this, a.handler);
    }
    BindButtonToAction(bList, acList);
    BindButtonToAction(bPreview, acPreview);
    BindButtonToAction(Button1, acPrint);
    BindButtonToAction(bSave, acSave);
}

} // namespace app
