#pragma once

#include <QString>

namespace platform {

// The process's current folder, or an empty text when it cannot be told.
QString CurrentFolder();

// The path made absolute against the current folder, with "." and ".."
// folded lexically (links are not resolved): "Docs/../a" in /home/u gives
// "/home/u/a". The trailing "/" is kept when the path had one.
QString MakeAbsolutePath(const QString &path);

// The folder form the walk uses: absolute and ending in "/".
QString IncludeTrailingDelimiter(const QString &path);

} // namespace platform
