#pragma once
// The texts of a report's time stamps in each time style. Stamps are held as
// local date-times; the ISO styles find the UTC offset that was in force at
// each stamp's own date, so a summer stamp says +02:00 in winter too.

#include "explorer/FieldFormat.h"
#include "explorer/FileData.h"
#include "listing/ListingOptions.h"

namespace listing {

class TStampTexts {
public:
    TStampTexts(const explorer::TRegionalFormats &formats, TTimeStyle style);
    // Repeated: the stamp is the second showing of a local time the clocks
    // showed twice (its engine::rt* bit).
    void Append(QString &out, platform::TDateTime value, bool repeated);
    QString Text(platform::TDateTime value, bool repeated);

private:
    TTimeStyle fStyle;
    explorer::TDateTimeTexts fLocaleTexts;
};

// "2024-05-01T12:00:00+02:00", or in UTC "2024-05-01T10:00:00Z"; seconds
// cut, not rounded, as the locale's texts cut them. An offset with seconds
// (local mean time of old dates) is written "+00:57:44".
void AppendIsoDateTime(QString &out, platform::TDateTime local, bool repeated, bool utc);

// Which stamp of a record a report column or field means.
enum TStamp { stCreated, stModified, stAccessed };
platform::TDateTime StampValue(const explorer::TFileData &d, TStamp stamp);
bool StampRepeated(const explorer::TFileData &d, TStamp stamp);

} // namespace listing
