#include "platform/AbsolutePath.h"

#include "platform/NameCodec.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace platform {

QString CurrentFolder()
{
    std::vector<char> buffer(4096);
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()))
            return DecodeFileName(buffer.data(), strlen(buffer.data()));
        if (errno != ERANGE || buffer.size() > (1u << 24))
            return QString();
        buffer.resize(buffer.size() * 2);
    }
}

QString MakeAbsolutePath(const QString &path)
{
    if (path.isEmpty())
        return CurrentFolder();
    const bool trailing = path.endsWith(QLatin1Char('/'));
    QString full = path.startsWith(QLatin1Char('/')) ? path
                                                     : CurrentFolder() + QLatin1Char('/') + path;
    full = QDir::cleanPath(full);
    if (trailing && !full.endsWith(QLatin1Char('/')))
        full += QLatin1Char('/');
    return full;
}

QString IncludeTrailingDelimiter(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace platform
