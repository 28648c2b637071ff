#include "engine/ContentCriteria.h"

#include "platform/FindData.h"

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
    fSearch.reset();
}

bool TContentCriteria::Matches(int folderFd, const char *name, uint32_t attributes, int *error) const
{
    if (error)
        *error = 0;
    if (fPhrase.isEmpty())
        return true;
    if (attributes & (platform::faDirectory | platform::faDevice))
        return false;
    try {
        if (!fSearch || fSearchOptions != Options) {
            fSearch = std::make_unique<TPhraseSearch>(fPhraseVariants, Options);
            fSearchOptions = Options;
        }
        // A link the walk listed is read through; a name the walk saw as a
        // file is read only if it is still that file.
        const bool followLink = attributes & platform::faReparsePoint;
        return fSearch->FileContainsPhrase(folderFd, name, followLink, ReadMonitor, error);
    } catch (const std::bad_alloc &) {
        if (error)
            *error = ENOMEM;
        return false;
    } catch (...) {
        return false;
    }
}

} // namespace engine
