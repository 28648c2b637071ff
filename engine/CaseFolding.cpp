#include "engine/CaseFolding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace engine {

namespace {

struct TFolding {
    char32_t From;
    char32_t To;
};

const TFolding Foldings[] = {
#include "CaseFoldTable.inc"
};

constexpr char32_t LastCharacter = 0x10FFFF;
constexpr unsigned PageBits = 8;
constexpr unsigned PageSize = 1u << PageBits;

// Page p holds, for the characters p * 256 ... p * 256 + 255, what to add to
// each to fold it; pages without foldings share page 0, all zeros.
struct TFoldPages {
    std::array<uint16_t, (LastCharacter >> PageBits) + 1> PageOf{};
    std::vector<std::array<int32_t, PageSize>> Pages;
};

std::unique_ptr<TFoldPages> BuildPages()
{
    auto pages = std::make_unique<TFoldPages>();
    pages->Pages.emplace_back();
    pages->Pages.back().fill(0);
    for (const TFolding &f : Foldings) {
        uint16_t &page = pages->PageOf[f.From >> PageBits];
        if (page == 0) {
            page = uint16_t(pages->Pages.size());
            pages->Pages.emplace_back();
            pages->Pages.back().fill(0);
        }
        pages->Pages[page][f.From & (PageSize - 1)] = int32_t(f.To) - int32_t(f.From);
    }
    return pages;
}

const TFoldPages &Pages()
{
    static const std::unique_ptr<TFoldPages> pages = BuildPages();
    return *pages;
}

} // namespace

void InitCaseFolding()
{
    Pages();
}

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    if (c > LastCharacter)
        return c;
    const TFoldPages &p = Pages();
    return char32_t(int32_t(c) + p.Pages[p.PageOf[c >> PageBits]][c & (PageSize - 1)]);
}

std::vector<char32_t> CaseVariants(char32_t c)
{
    const char32_t folded = FoldCase(c);
    std::vector<char32_t> variants{folded};
    for (const TFolding &f : Foldings)
        if (f.To == folded)
            variants.push_back(f.From);
    return variants;
}

} // namespace engine
