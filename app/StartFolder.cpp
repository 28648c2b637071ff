#include "app/StartFolder.h"

#include "platform/AbsolutePath.h"
#include "platform/FolderHandle.h"

namespace app {

QString StartFolder(const QStringList &arguments)
{
    if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
        const QString path = platform::MakeAbsolutePath(arguments.first());
        if (platform::IsExistingFolder(path))
            return path;
    }
    return QStringLiteral("/");
}

} // namespace app
