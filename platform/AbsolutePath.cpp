#include "platform/AbsolutePath.h"

#include "platform/FolderHandle.h"
#include "platform/NameCodec.h"

#include <QDir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

namespace {

// Where an open descriptor really is, from the kernel's own record of it.
QString PathOfDescriptor(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = readlink(link, buffer.data(), buffer.size());
        if (n < 0)
            return QString();
        if (size_t(n) < buffer.size())
            return DecodeFileName(buffer.data(), size_t(n));
        if (buffer.size() > (1u << 24))
            return QString();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

QString RealFolderPath(const QString &path)
{
    const int fd = OpenFolderLocation(path);
    if (fd < 0)
        return QString();
    QString real = PathOfDescriptor(fd);
    close(fd);
    if (real.isEmpty()) {
        // Without /proc, the C library can still do it for shorter paths.
        if (char *p = realpath(EncodeFileName(path).c_str(), nullptr)) {
            real = DecodeFileName(p, strlen(p));
            free(p);
        }
    }
    return real;
}

int ResolveFolderPath(const QString &path, QString &resolved)
{
    const QString full = path.startsWith(QLatin1Char('/')) ? path
                                                           : CurrentFolder() + QLatin1Char('/') + path;
    QStringList parts;
    for (const QString &part : full.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (part != QLatin1String("."))
            parts.append(part);
    const qsizetype lastUp = parts.lastIndexOf(QStringLiteral(".."));
    QString head = QStringLiteral("/");
    if (lastUp >= 0) {
        // Only the kernel knows where ".." leads once links are involved.
        head = RealFolderPath(QLatin1Char('/') + parts.mid(0, lastUp + 1).join(QLatin1Char('/')));
        if (head.isEmpty())
            return errno ? errno : ENOENT;
        parts = parts.mid(lastUp + 1);
    }
    resolved = head;
    for (const QString &part : parts) {
        if (!resolved.endsWith(QLatin1Char('/')))
            resolved += QLatin1Char('/');
        resolved += part;
    }
    const int fd = OpenFolderLocation(resolved);
    if (fd < 0)
        return errno;
    close(fd);
    return 0;
}

QString IncludeTrailingDelimiter(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace platform
