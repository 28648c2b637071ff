#pragma once
// The application object: an exception that escapes an event handler is
// shown in a message box, and the program goes on.

#include <QApplication>
#include <functional>

namespace app {

class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Shows a message of an exception; a message box unless replaced.
    std::function<void(const QString &message)> ShowException;
};

} // namespace app
