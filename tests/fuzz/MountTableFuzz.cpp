// The mount table parser takes any text: broken lines are skipped, nothing
// else happens, and the same text parses the same way twice.

#include "platform/MountTable.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto mounts = platform::ParseMountInfo(text);
    if (mounts.size() > size_t(text.count('\n')) + 1)
        std::abort();
    const auto again = platform::ParseMountInfo(text);
    for (size_t i = 0; i < mounts.size(); ++i)
        if (again[i].mountPoint != mounts[i].mountPoint || again[i].major != mounts[i].major)
            std::abort();
    for (const auto &m : mounts)
        platform::IsPseudoFileSystem(m.fsType);
    return 0;
}
