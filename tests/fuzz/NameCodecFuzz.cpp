// File names round-trip: any bytes decode to text that encodes back to the
// same bytes, and the text shown for them is well-formed UTF-16.

#include "platform/NameCodec.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const QString name = platform::DecodeFileName(bytes);
    if (platform::EncodeFileName(name) != bytes) {
        std::fprintf(stderr, "%zu bytes did not come back\n", size);
        std::abort();
    }
    const QString shown = platform::ReplaceEscapedBytes(name);
    if (!shown.isValidUtf16() || QString::fromUtf8(shown.toUtf8()) != shown) {
        std::fprintf(stderr, "the shown name is not well-formed\n");
        std::abort();
    }
    return 0;
}
