#pragma once
// The application object: an exception that escapes an event handler is
// shown in a message box, and the program goes on.

#include <QApplication>
#include <functional>

namespace app {

class TApplication : public QApplication {
public:
    // Settings the HTML view's browser engine reads when it starts; call
    // before the application object exists. As root its sandbox refuses to
    // run at all, and scripts are off in the view anyway.
    static void PrepareBrowserEngine();

    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows a message of an exception; a message box unless replaced.
    std::function<void(const QString &message)> ShowException;
};

} // namespace app
