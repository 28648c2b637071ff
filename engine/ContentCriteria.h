#pragma once
// "The file contains this phrase": the last and dearest test, run only when
// every other test has passed.

#include "engine/CustomCriteria.h"
#include "engine/PhraseSearch.h"

#include <QString>
#include <memory>

namespace engine {

class TContentCriteria : public TCustomCriteria {
public:
    void Assign(const TCustomCriteria &source) override;
    void Clear() override;

    // True without opening anything while Phrase is empty. Otherwise the
    // entry (Name inside the open folder FolderFd, with the attribute bits
    // the walk read) must be a regular file that contains the phrase; every
    // failure is a non-match.
    // Error, when given, gets the errno of a file that could not be read
    // (see TPhraseSearch), or 0.
    bool Matches(int folderFd, const char *name, uint32_t attributes, int *error = nullptr) const;

    const QString &Phrase() const { return fPhrase; }
    void SetPhrase(const QString &value);
    TContentSearchOptions Options = 0;

    const TStringVariants &PhraseVariants() const { return fPhraseVariants; }

    // Asked between the blocks of every file read; set by a search engine
    // on the copy of the criteria it searches with, and not copied by
    // Assign, since it belongs to that one search.
    TReadMonitor ReadMonitor;

private:
    QString fPhrase;
    TStringVariants fPhraseVariants;
    // Made on the first test after Phrase or Options changed.
    mutable std::unique_ptr<TPhraseSearch> fSearch;
    mutable TContentSearchOptions fSearchOptions = 0;
};

} // namespace engine
