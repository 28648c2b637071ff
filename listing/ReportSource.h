#pragma once
// What a report is made of: the listing, its rows in table order, the chosen
// columns and the regional formats. Reports are written line by line into a
// sink, so that a large listing can go straight to a file; the window's
// report buffer is one such sink.

#include "explorer/FileData.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingOptions.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace listing {

struct TReportSource {
    const explorer::TFileList &List;
    const std::vector<int> &Order;  // record indexes, first row first
    const TColumnOptions &Columns;
    const explorer::TRegionalFormats &Formats;
    TTimeStyle TimeStyle = tsLocale;
};

using TLineSink = std::function<void(const QString &line)>;

// The folder texts of the rows written so far: rows of one folder come
// together and share their location's text, so its report form is made
// once for all of them.
struct TFolderTexts {
    const QChar *Location = nullptr;
    qsizetype Size = -1;
    QString Text;
};

// The parts of a full name the reports write, bytes that were not UTF-8 as
// U+FFFD: "/data/" (always ending in "/"), "b", "txt", ".txt".
// The views point into the texts held here, so a part costs no copy.
struct TNameParts {
    QString Folder;
    QString FileName;
    QStringView Base;
    QStringView Ext;
    QStringView DottedExt;
    TNameParts(const explorer::TFileData &d, TFolderTexts &folders);
    TNameParts(const TNameParts &) = delete;
    TNameParts &operator=(const TNameParts &) = delete;
    // Folder, base and dotted extension as far as the columns ask for them.
    QString Combined(const TColumnOptions &columns) const;
    void AppendCombined(QString &out, const TColumnOptions &columns) const;
};

} // namespace listing
