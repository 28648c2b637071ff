#pragma once

#include <QString>

namespace platform {

// The process's current folder, or an empty text when it cannot be told.
QString CurrentFolder();

// The path made absolute against the current folder, with "." and ".."
// folded lexically (links are not resolved): "Docs/../a" in /home/u gives
// "/home/u/a". The trailing "/" is kept when the path had one.
QString MakeAbsolutePath(const QString &path);

// The folder a path names, found the way the kernel finds it: absolute, "."
// and doubled "/" dropped, and ".." taken as the parent of what the path has
// reached so far, links included ("link/.." is the parent of the link's
// target; "/lib/../share" is "/usr/share" where /lib links to usr/lib).
// Links elsewhere are kept as written, so the user sees the path they gave.
// Answers 0, or the errno of looking the folder up (ENOENT, ENOTDIR, ...).
int ResolveFolderPath(const QString &path, QString &resolved);

// The path of an existing folder with every link resolved, as the kernel
// holds it ("/usr/lib" for "/lib" where /lib links to usr/lib); empty when
// it cannot be told.
QString RealFolderPath(const QString &path);

// The folder form the walk uses: absolute and ending in "/".
QString IncludeTrailingDelimiter(const QString &path);

} // namespace platform
