#include "listing/ListingController.h"

#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "listing/JsonReport.h"
#include "listing/PathReport.h"
#include "listing/ReportColumns.h"
#include "listing/ListingOrder.h"

#include <QRegularExpression>
#include <algorithm>

namespace listing {

using explorer::TFileList;

namespace {

// A file type's report, with the other options as they are.
TReportOptions OfFileType(TReportOptions options, TReportFileType type)
{
    options.Format = type == rftCsv ? rfCSV : rfHTML;
    return options;
}

} // namespace

TListingController::TListingController(const explorer::TRegionalFormats &formats, QObject *parent)
    : QObject(parent), fFormats(formats), fBuilder(fList)
{
    BindBuilder();
}

void TListingController::BindBuilder()
{
    fBuilder.OnBegin = [this] {
        // The list may have been emptied: no row may show a record that is
        // gone while the window paints during the listing.
        SetRows({});
        emit ListingStarted();
    };
    fBuilder.OnHitKept = [this] { HitKept(); };
    // A long read for the phrase keeps the counts fresh and STOP heard.
    fBuilder.OnProgress = [this] { HitKept(); };
    fBuilder.OnError = [this](const engine::TSearchError &error) {
        if (OnSearchError)
            OnSearchError(error);
    };
    fBuilder.OnFolderEntered = [this] {
        if (StopRequested && StopRequested())
            Stop();
    };
    fBuilder.OnEnd = [this] {
        // After a STOP this runs twice, the second time with nothing new.
        if (fFillListOnEnd && RowCount() != int(fList.FileData.size()))
            FillList();
        emit ListingFinished();
    };
}

void TListingController::HitKept()
{
    if (!fSinceProgress.isValid() || fSinceProgress.elapsed() >= fProgressInterval) {
        emit Progress();
        fSinceProgress.restart();
    }
    if (StopRequested && StopRequested())
        Stop();
}

void TListingController::BuildList(const QString &folder, const TFileList &explorer, const TListingOptions &options)
{
    fSinceProgress.invalidate();
    fBuilder.BuildList(folder, explorer, options);
}

void TListingController::Stop()
{
    fBuilder.Stop();
}

void TListingController::FillList()
{
    SetRows(ListingRowOrder(fList, fFormats.Locale, fBuilder.Workers()));
}

void TListingController::SetRows(std::vector<int> order)
{
    emit RowsAboutToBeReset();
    fOrder = std::move(order);
    for (size_t row = 0; row < fOrder.size(); ++row)
        fList.FileData[size_t(fOrder[row])].NodePointer = int(row);
    emit RowsReset();
}

int TListingController::IncrementalSearch(const QString &typed, int focusedRow)
{
    return fSearch.Find(typed, focusedRow, RowCount(),
                        [this](int row) -> const QString & { return EntryAt(row).Name; });
}

TReportSource TListingController::Source(const TReportOptions &options) const
{
    return TReportSource{fList, fOrder, options.Columns, fFormats, options.TimeStyle};
}

void TListingController::BuildReport(const TReportOptions &options)
{
    fReport.clear();
    WriteReport(options, [this](const QString &line) { fReport.append(line); });
}

TReportParts TListingController::Parts(const TReportOptions &options, const TReportSource &source) const
{
    switch (options.Format) {
    case rfCSV: return CsvParts(options.Delimiter, source);
    case rfHTML: return HtmlParts(options.Layout, source);
    case rfJSON: return JsonParts(options.TimeStyle, source);
    case rfPaths: break;
    }
    return PathParts(source);
}

void TListingController::WriteReport(const TReportOptions &options, const TLineSink &sink) const
{
    const TReportSource source = Source(options);
    WriteParts(Parts(options, source), sink);
}

void TListingController::WriteReport(const TReportOptions &options, const TLineEncoder &encode,
                                     const TByteSink &sink) const
{
    const TReportSource source = Source(options);
    WriteEncodedParts(Parts(options, source), encode, sink, fBuilder.Workers());
}

void TListingController::Preview(const TReportOptions &options, bool asPage)
{
    fPreviewed = options;
    BuildReport(options);
    if (asPage)
        return;
    // A name may hold a line break; the text shown breaks the line there,
    // and so does the print.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const auto breaks = [](const QString &line) {
        return line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'));
    };
    // Nearly always no name holds a break, and the text shown shares the
    // report's lines.
    fTextShown = fReport;
    if (std::any_of(fReport.cbegin(), fReport.cend(), breaks)) {
        fTextShown.clear();
        for (const QString &line : std::as_const(fReport))
            fTextShown += breaks(line) ? line.split(lineBreak) : QStringList{line};
    }
    if (fTextShown.isEmpty())
        fTextShown.append(QString());
}

QStringList TListingController::PageToShow(qsizetype maxCells) const
{
    const qsizetype fields = qMax<qsizetype>(1, qsizetype(ReportFields(fPreviewed.Columns).size()));
    const qsizetype rows = qMax<qsizetype>(1, maxCells / fields);
    if (RowCount() <= rows)
        return fReport;
    const std::vector<int> shown(fOrder.begin(), fOrder.begin() + rows);
    const QLocale &locale = fFormats.Locale;
    const QString note = QStringLiteral("This preview shows the first %1 of %2 rows; Save and Print take all of them.")
                             .arg(locale.toString(rows), locale.toString(RowCount()));
    QStringList page;
    WriteHTML([&page](const QString &line) { page.append(line); }, fPreviewed.Layout,
              TReportSource{fList, shown, fPreviewed.Columns, fFormats, fPreviewed.TimeStyle}, note);
    return page;
}

QString TListingController::Save(const QString &chosen, TReportFileType type, const TReportOptions &options)
{
    // The file type decides the report; "All files" writes the one built
    // last.
    if (type != rftAll)
        BuildReport(OfFileType(options, type));
    return SaveReportAs(chosen, type, fReport, options.Encoding);
}

} // namespace listing
