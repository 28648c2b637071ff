#pragma once
// The mask rules as they were first written down: after a "*", try every
// place in the text where the next mask character occurs, recursively. Its
// cost explodes on masks such as "*a*a*a*b", so it remembers every answer it
// has worked out; tests and fuzzing hold the real matcher against it.

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class TWildcardReference {
public:
    // Lower is the case fold applied to both sides.
    template <typename Fold>
    bool Match(const std::u16string &text, const std::u16string &mask, Fold lower)
    {
        fText = &text;
        fMask = &mask;
        fMemo.assign((text.size() + 1) * (mask.size() + 1), Unknown);
        return Step(0, 0, lower);
    }

private:
    enum : int8_t { Unknown = -1 };

    template <typename Fold>
    bool Step(size_t t, size_t m, Fold lower)
    {
        int8_t &memo = fMemo[t * (fMask->size() + 1) + m];
        if (memo == Unknown)
            memo = Compute(t, m, lower) ? 1 : 0;
        return memo == 1;
    }

    template <typename Fold>
    bool Compute(size_t t, size_t m, Fold lower)
    {
        const std::u16string &text = *fText, &mask = *fMask;
        while (t < text.size() && m < mask.size() && mask[m] != u'*') {
            if (mask[m] != u'?' && lower(mask[m]) != lower(text[t]))
                return false;
            ++t;
            ++m;
        }
        if (t < text.size() && m == mask.size())
            return false;
        while (m < mask.size() && (mask[m] == u'*' || mask[m] == u'?'))
            ++m;
        if (t == text.size() || m == mask.size())
            return m == mask.size();
        const char16_t c = lower(mask[m++]);
        for (; t < text.size(); ++t)
            if (lower(text[t]) == c && Step(t + 1, m, lower))
                return true;
        return false;
    }

    const std::u16string *fText = nullptr;
    const std::u16string *fMask = nullptr;
    std::vector<int8_t> fMemo;
};

} // namespace testing_support
