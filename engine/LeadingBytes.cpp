#include "engine/LeadingBytes.h"

namespace engine {

namespace {

bool Covers(const TByteClass &a, const TByteClass &b)
{
    return (a.Mask & b.Mask) == b.Mask && uint8_t(b.Value | a.Mask) == a.Value;
}

// Two classes that differ in one bit of their fixed bits make one class.
bool MergeInto(TByteClass &a, const TByteClass &b)
{
    const unsigned differ = unsigned(a.Value ^ b.Value);
    if (a.Mask != b.Mask || differ == 0 || (differ & (differ - 1)) != 0)
        return false;
    a.Mask = uint8_t(a.Mask | differ);
    a.Value = uint8_t(a.Value | differ);
    return true;
}

// Folds pair J into pair I when one covers the other or they differ in one
// class by one bit.
bool Combine(TBytePair &i, const TBytePair &j)
{
    if (Covers(i.First, j.First) && Covers(i.Second, j.Second))
        return true;
    if (Covers(j.First, i.First) && Covers(j.Second, i.Second)) {
        i = j;
        return true;
    }
    if (i.First == j.First && MergeInto(i.Second, j.Second))
        return true;
    return i.Second == j.Second && MergeInto(i.First, j.First);
}

} // namespace

std::vector<TBytePair> MergeBytePairs(std::vector<TBytePair> pairs)
{
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < pairs.size() && !merged; ++i)
            for (size_t j = i + 1; j < pairs.size() && !merged; ++j)
                if (Combine(pairs[i], pairs[j])) {
                    pairs.erase(pairs.begin() + long(j));
                    merged = true;
                }
    }
    return pairs;
}

} // namespace engine
