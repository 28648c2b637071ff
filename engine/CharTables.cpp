#include "engine/CharTables.h"

#include "engine/CaseFolding.h"
#include "platform/AnsiCodePage.h"

#include <QChar>
#include <memory>

namespace engine {

namespace {

std::unique_ptr<TCharTables> BuildTables()
{
    auto tables = std::make_unique<TCharTables>();
    for (uint32_t c = 0; c < 65536; ++c) {
        const QChar ch{char16_t(c)};
        const char16_t lower = ch.toLower().unicode();
        tables->WideLower[c] = lower;
        tables->WideDelimiter[c] = !ch.isLetterOrNumber();
    }
    for (uint32_t b = 0; b < 256; ++b) {
        const char16_t unit = platform::AnsiToUnicode(static_cast<unsigned char>(b));
        const int lower = platform::UnicodeToAnsi(tables->WideLower[unit]);
        tables->AnsiLower[b] = static_cast<unsigned char>(lower < 0 ? b : lower);
        tables->AnsiDelimiter[b] = tables->WideDelimiter[unit];
    }
    return tables;
}

} // namespace

const TCharTables &InitCharTables()
{
    static const std::unique_ptr<TCharTables> tables = [] {
        InitCaseFolding();
        return BuildTables();
    }();
    return *tables;
}

} // namespace engine
