#pragma once
// Everything an entry must satisfy to be a hit, as five parts that are copied
// and cleared together.

#include "engine/AttributesCriteria.h"
#include "engine/ContentCriteria.h"
#include "engine/DateTimeCriteria.h"
#include "engine/FileCriteria.h"
#include "engine/SizeCriteria.h"
#include "platform/FindData.h"

namespace engine {

class TSearchCriteria : public TCustomCriteria {
public:
    void Assign(const TCustomCriteria &source) override;
    void Clear() override;

    // Cheapest test first; the file is opened for its content only when
    // attributes, size, times and filters have all passed. Folder ends in "/".
    // ContentError, when given, gets the errno of a file whose content
    // could not be read, or 0.
    bool Matches(const QString &folder, const platform::TFindData &findData, int *contentError = nullptr) const;

    TFileCriteria &Files() { return fFiles; }
    const TFileCriteria &Files() const { return fFiles; }
    TAttributesCriteria &Attributes() { return fAttributes; }
    const TAttributesCriteria &Attributes() const { return fAttributes; }
    TDateTimeCriteria &TimeStamp() { return fTimeStamp; }
    const TDateTimeCriteria &TimeStamp() const { return fTimeStamp; }
    TSizeCriteria &Size() { return fSize; }
    const TSizeCriteria &Size() const { return fSize; }
    TContentCriteria &Content() { return fContent; }
    const TContentCriteria &Content() const { return fContent; }

private:
    TFileCriteria fFiles;
    TAttributesCriteria fAttributes;
    TDateTimeCriteria fTimeStamp;
    TSizeCriteria fSize;
    TContentCriteria fContent;
};

} // namespace engine
