#pragma once
// Opening a folder by its path, also when the path is longer than PATH_MAX:
// such a path is opened a piece at a time, each piece relative to the last.

#include <QString>

namespace platform {

// A descriptor for reading the folder, or -1 with errno set. Links in the
// path are followed: the user may name a folder through one.
int OpenFolder(const QString &path);

// A descriptor that only names the folder (O_PATH), for the *at calls that
// create, link and rename entries in it; it needs no right to read the
// folder. -1 with errno set.
int OpenFolderLocation(const QString &path);

// True when the path names a folder, whether or not it may be read.
bool IsExistingFolder(const QString &path);

} // namespace platform
