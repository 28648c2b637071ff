#include "app/Application.h"

#include <QIcon>
#include <QMessageBox>
#include <csignal>
#include <unistd.h>

// The pictures live in a static library, whose resources must be
// registered by hand; the macro cannot stand inside a namespace.
static void RegisterPictures()
{
    Q_INIT_RESOURCE(icons);
}

namespace app {

void TApplication::PrepareBrowserEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void TApplication::IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name: the desktop would append it to the title of every
    // window and dialog box ("About.... - Zelko Tamarel"). Message boxes
    // take the application's name as their title all the same.
    setApplicationName(QStringLiteral("Zelko Tamarel"));
    setOrganizationName(QStringLiteral("Zelko"));
    RegisterPictures();
    // The desktop's icon theme may have one of its own.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("tamarel"), QIcon(QStringLiteral(":/icons/tamarel.svg"))));
    ShowException = [](const QString &message) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                              message);
    };
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("An unknown error occurred."));
    }
    return false;
}

} // namespace app
