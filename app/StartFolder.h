#pragma once

#include <QStringList>

namespace app {

// The folder to open at start: the first argument when it names a folder
// that can be read, resolved as the kernel resolves it ("link/.." is the
// parent of the link's target); else the root of the system drive, "/".
// Later arguments never count.
struct TStartFolder {
    QString Path;
    // Why the argument was passed over, in one line for the status bar:
    // 'Cannot open "/data/x": No such file or directory'. Empty when it was
    // taken, or when there was none.
    QString Problem;
};

TStartFolder StartFolder(const QStringList &arguments);

} // namespace app
