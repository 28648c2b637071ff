#include "app/StartFolder.h"

#include "platform/AbsolutePath.h"
#include "platform/ErrorText.h"
#include "platform/FolderHandle.h"

#include <cerrno>
#include <unistd.h>

namespace app {

namespace {

// 0 when the folder's entries can be read, else the errno that says why
// not (a folder without the right to read it lists nothing).
int ReadableFolder(const QString &path)
{
    const int fd = platform::OpenFolder(path);
    if (fd < 0)
        return errno;
    close(fd);
    return 0;
}

} // namespace

TStartFolder StartFolder(const QStringList &arguments)
{
    const TStartFolder root{QStringLiteral("/"), QString()};
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return root;
    QString path;
    int error = platform::ResolveFolderPath(arguments.first(), path);
    if (error == 0)
        error = ReadableFolder(path);
    if (error == 0)
        return {path, QString()};
    return {root.Path, QStringLiteral("Cannot open \"%1\": %2").arg(arguments.first(), platform::ErrorText(error))};
}

} // namespace app
