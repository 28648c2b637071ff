// The mask matcher against the rules as first written (a slow reference).
// Input: a byte that cuts the rest into name and mask; each byte then picks a
// character from a small alphabet, so that matches are frequent.

#include "WildcardReference.h"

#include "engine/CharTables.h"
#include "engine/Wildcard.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

std::u16string Pick(const uint8_t *data, size_t size)
{
    static const char16_t Letters[] = u"aAbB.?*\u00e9\u00c9\u212a\u0131x";
    constexpr size_t Count = sizeof Letters / sizeof Letters[0] - 1;
    std::u16string text;
    for (size_t i = 0; i < size; ++i)
        text += Letters[data[i] % Count];
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 200)
        return 0;
    const auto &lower = engine::InitCharTables().WideLower;
    const size_t cut = 1 + data[0] % size;
    const std::u16string text = Pick(data + 1, cut - 1);
    const std::u16string mask = Pick(data + cut, size - cut);
    testing_support::TWildcardReference reference;
    const bool expected = reference.Match(text, mask, [&lower](char16_t c) { return lower[c]; });
    const bool actual = engine::WildcardMatch(QString::fromStdU16String(text), QString::fromStdU16String(mask));
    if (actual != expected) {
        std::fprintf(stderr, "\"%s\" ~ \"%s\": %d, the reference says %d\n",
                     QString::fromStdU16String(text).toUtf8().constData(),
                     QString::fromStdU16String(mask).toUtf8().constData(), actual, expected);
        std::abort();
    }
    return 0;
}
