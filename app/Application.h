#pragma once
// The application object. Handlers throw on failures (a file that cannot be
// written, a setting that cannot be saved); catching here, in one place,
// turns any of them into a message the user reads, and the window stays up
// with its list intact instead of the whole program ending.

#include <QApplication>
#include <functional>

namespace app {

class TApplication : public QApplication {
public:
    // Settings the HTML view's browser engine reads when it starts; call
    // before the application object exists. As root its sandbox refuses to
    // run at all, and scripts are off in the view anyway.
    static void PrepareBrowserEngine();
    // A write beyond the file-size limit (ulimit -f) would end the process
    // with SIGXFSZ, and the user's list with it; ignored, the write fails
    // with EFBIG instead and the save says "File too large". Call at start.
    static void IgnoreFileSizeSignal();

    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // How such a message reaches the user: a message box, unless a test
    // wants to collect the messages instead.
    std::function<void(const QString &message)> ShowException;
};

} // namespace app
