#pragma once

#include <QStringList>

namespace app {

// The folder to open at start: the first argument when it names an
// existing folder, resolved as the kernel resolves it ("link/.." is the
// parent of the link's target); else the root of the system drive, "/".
// Later arguments never count.
QString StartFolder(const QStringList &arguments);

} // namespace app
