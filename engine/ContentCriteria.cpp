#include "engine/ContentCriteria.h"

namespace engine {

void TContentCriteria::Assign(const TCustomCriteria &source)
{
    const auto &s = SourceAs<TContentCriteria>(source, "TContentCriteria");
    SetPhrase(s.fPhrase);
    Options = s.Options;
}

void TContentCriteria::Clear()
{
    SetPhrase(QString());
    Options = 0;
}

void TContentCriteria::SetPhrase(const QString &value)
{
    if (value == fPhrase)
        return;
    fPhrase = value;
    fPhraseVariants = MakeStringVariants(value);
}

bool TContentCriteria::Matches(int folderFd, const char *name) const
{
    if (fPhrase.isEmpty())
        return true;
    try {
        return FileContainsPhrase(folderFd, name, fPhraseVariants, Options);
    } catch (...) {
        return false;
    }
}

} // namespace engine
