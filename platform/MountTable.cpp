#include "platform/MountTable.h"

#include "platform/NameCodec.h"

#include <QFile>
#include <QList>
#include <algorithm>

namespace platform {

namespace {

// Undo the octal escapes the kernel writes for blank, tab, newline and "\".
QString UnescapeField(const QByteArray &field)
{
    std::string out;
    out.reserve(size_t(field.size()));
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], d = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && d >= '0' && d <= '7') {
                out.push_back(char((a - '0') * 64 + (b - '0') * 8 + (d - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(c);
    }
    return DecodeFileName(out);
}

bool ParseLine(const QByteArray &line, TMountInfo &info)
{
    const QList<QByteArray> fields = line.split(' ');
    // id parent major:minor root mountpoint options [optional...] - type source super
    const qsizetype separator = fields.indexOf("-");
    if (separator < 6 || fields.size() < separator + 3)
        return false;
    const QList<QByteArray> dev = fields[2].split(':');
    if (dev.size() != 2)
        return false;
    bool okMajor = false, okMinor = false;
    info.major = dev[0].toUInt(&okMajor);
    info.minor = dev[1].toUInt(&okMinor);
    if (!okMajor || !okMinor)
        return false;
    info.root = UnescapeField(fields[3]);
    info.mountPoint = UnescapeField(fields[4]);
    info.fsType = UnescapeField(fields[separator + 1]);
    info.source = UnescapeField(fields[separator + 2]);
    return true;
}

} // namespace

std::vector<TMountInfo> ParseMountInfo(const QByteArray &text)
{
    std::vector<TMountInfo> result;
    for (const QByteArray &line : text.split('\n')) {
        TMountInfo info;
        if (!line.trimmed().isEmpty() && ParseLine(line.trimmed(), info))
            result.push_back(std::move(info));
    }
    return result;
}

std::vector<TMountInfo> ReadMountTable()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The file reports size 0; readAll reads until the end all the same.
    return ParseMountInfo(file.readAll());
}

bool IsPseudoFileSystem(const QString &fsType)
{
    static const char *const pseudo[] = {
        "proc",      "sysfs",      "devtmpfs",  "devpts",     "cgroup",   "cgroup2",
        "debugfs",   "tracefs",    "securityfs", "pstore",    "bpf",      "configfs",
        "fusectl",   "mqueue",     "hugetlbfs", "binfmt_misc", "autofs",  "efivarfs",
        "selinuxfs", "rpc_pipefs", "nsfs",      "ramfs",
    };
    for (const char *name : pseudo)
        if (fsType == QLatin1String(name))
            return true;
    return false;
}

void TMountTypes::Load()
{
    fDevices.clear();
    for (const TMountInfo &info : ReadMountTable())
        fDevices.emplace_back(DeviceNumber(info.major, info.minor), IsPseudoFileSystem(info.fsType));
    fLoaded = true;
}

bool TMountTypes::IsPseudo(uint64_t device)
{
    auto find = [&] {
        return std::find_if(fDevices.begin(), fDevices.end(),
                            [device](const auto &d) { return d.first == device; });
    };
    if (!fLoaded)
        Load();
    auto it = find();
    if (it == fDevices.end()) {
        Load();
        it = find();
    }
    return it != fDevices.end() && it->second;
}

} // namespace platform
