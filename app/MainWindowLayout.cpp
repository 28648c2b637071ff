// The window's frame: the line at the top, the three pages, the status bar,
// the menus and the actions, with the captions and sizes the window has at
// first start. The pages lay themselves out.

#include "app/Controls.h"
#include "app/ExplorerPage.h"
#include "app/ListPage.h"
#include "app/MainWindow.h"
#include "app/PreviewPage.h"

#include "ui/PageControl.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace app {

namespace {
constexpr int ClientWidth = 763;
constexpr int ClientHeight = 601;
constexpr int BevelHeight = 2;
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
    bevel->setFixedHeight(BevelHeight);
    layout->addWidget(bevel);

    pc = new ui::TPageControl(central);
    pc->setObjectName(QStringLiteral("pc"));
    pc->setUsesScrollButtons(true);
    pc->tabBar()->setCursor(Qt::PointingHandCursor);
    pc->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab:selected { font-weight: bold; }"));
    fExplorerPage = new TExplorerPage(fExplorer, fFormats, FTimestampFormat);
    fListPage = new TListPage(fListing, fFormats, FTimestampFormat);
    fPreviewPage = new TPreviewPage;
    pc->addTab(fExplorerPage, QStringLiteral(" Explorer "));
    pc->addTab(fListPage, QStringLiteral(" List "));
    pc->addTab(fPreviewPage, QStringLiteral(" Preview "));
    layout->addWidget(pc);
    setCentralWidget(central);
    connect(pc, &ui::TPageControl::Changed, this, &Twnd_qv_Main::pcChange);
    connect(fListPage->BackButton(), &QPushButton::clicked, this, &Twnd_qv_Main::bBack2Click);
    connect(fPreviewPage->BackButton(), &QPushButton::clicked, this, &Twnd_qv_Main::bBack2Click);

    sb = new QLabel(this);
    sb->setObjectName(QStringLiteral("sb"));
    statusBar()->addWidget(sb, 1);
    CreateActionsAndMenus();
    // F10 opens the first menu, as on other desktops.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(LeftPanel1->menuAction()); });
    PlaceAtFirstStart();
}

void Twnd_qv_Main::PlaceAtFirstStart()
{
    // The client area, status bar included, lies below the menu bar.
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    // Centred, though never with its top or left edge off the screen. The
    // frame the desktop adds is not known before the window is shown, so
    // it is the window within the frame that is centred. The stored
    // placement, if any, replaces this when the window is shown.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QRect placed(QPoint(), size());
        placed.moveCenter(area.center());
        placed.moveTopLeft(QPoint(qMax(area.left(), placed.left()), qMax(area.top(), placed.top())));
        setGeometry(placed);
    }
}

void Twnd_qv_Main::BindButtonToAction(QPushButton *button, QAction *action)
{
    // The button shows the caption without the menu's mnemonic: Alt and
    // a letter belong to the menus.
    auto follow = [button, action] {
        button->setText(WithoutMnemonic(action->text()));
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
        const char *name;
        const char *caption;
        QKeySequence key;
        void (Twnd_qv_Main::*handler)();
    } actions[] = {
        {acList, "acList", "&Start", QKeySequence(Qt::CTRL | Qt::Key_L), &Twnd_qv_Main::acListExecute},
        {acPreview, "acPreview", "&Preview", QKeySequence(Qt::CTRL | Qt::Key_K), &Twnd_qv_Main::acPreviewExecute},
        {acPrint, "acPrint", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P), &Twnd_qv_Main::acPrintExecute},
        {acSave, "acSave", "&Save...", QKeySequence(Qt::CTRL | Qt::Key_S), &Twnd_qv_Main::acSaveExecute},
    };
    LeftPanel1 = menuBar()->addMenu(QStringLiteral("&File"));
    LeftPanel1->setObjectName(QStringLiteral("LeftPanel1"));
    About1 = LeftPanel1->addAction(QStringLiteral("&About..."), this, &Twnd_qv_Main::About1Click);
    About1->setObjectName(QStringLiteral("About1"));
    LeftPanel1->addSeparator();
    mmExit = LeftPanel1->addAction(QStringLiteral("E&xit"), this, &Twnd_qv_Main::cmExit);
    mmExit->setObjectName(QStringLiteral("mmExit"));
    Action1 = menuBar()->addMenu(QStringLiteral("&Action"));
    Action1->setObjectName(QStringLiteral("Action1"));
    for (auto &a : actions) {
        a.action = new QAction(QString::fromUtf8(a.caption), this);
        a.action->setObjectName(QLatin1String(a.name));
        // Hidden actions keep their shortcuts: a window-wide shortcut runs
        // the handler, and the action only shows the key in its menu.
        a.action->setShortcut(a.key);
        a.action->setShortcutContext(Qt::WidgetShortcut);
        Action1->addAction(a.action);
        connect(a.action, &QAction::triggered, this, a.handler);
        auto *shortcut = new QShortcut(a.key, this);
        connect(shortcut, &QShortcut::activated, this, a.handler);
    }
    BindButtonToAction(fExplorerPage->StartButton(), acList);
    BindButtonToAction(fListPage->PreviewButton(), acPreview);
    BindButtonToAction(fPreviewPage->PrintButton(), acPrint);
    BindButtonToAction(fPreviewPage->SaveButton(), acSave);
}

} // namespace app
