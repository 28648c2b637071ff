#include "app/StartFolder.h"

#include "platform/AbsolutePath.h"

namespace app {

QString StartFolder(const QStringList &arguments)
{
    QString path;
    if (!arguments.isEmpty() && !arguments.first().isEmpty()
        && platform::ResolveFolderPath(arguments.first(), path) == 0)
        return path;
    return QStringLiteral("/");
}

} // namespace app
