#pragma once
// Everything the List and Preview pages do, without a widget, and all that
// tamarel-list does after its scans: a listing run with its progress and
// STOP, the list in its row order, the report for a format, saving it, and
// the text a print of the preview gives. The window and tamarel-list both
// drive it.

#include "explorer/FileData.h"
#include "explorer/IncrementalSearch.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOptions.h"
#include "listing/ReportFile.h"
#include "listing/ReportParts.h"
#include "listing/ReportSource.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

namespace listing {

// The report formats, the first two as the List page's radio buttons number
// them; the others are tamarel-list's, for programs to read.
enum TReportFormat { rfCSV = 0, rfHTML = 1, rfJSON = 2, rfPaths = 3 };

// How a report looks: what the List page's options, or tamarel-list's,
// say. The defaults are the window's initial values.
struct TReportOptions {
    TReportFormat Format = rfHTML;
    TColumnOptions Columns;
    QString Delimiter = QStringLiteral(";");  // CSV, as typed: possibly empty
    THtmlLayout Layout;
    TTextEncoding Encoding = teAscii;  // of CSV files
    TTimeStyle TimeStyle = tsLocale;   // JSON takes tsLocale for tsIso
};

class TListingController : public QObject {
    Q_OBJECT
public:
    // Formats: the regional ones read at start, kept by the caller.
    explicit TListingController(const explorer::TRegionalFormats &formats, QObject *parent = nullptr);

    // --- A listing run.
    // Lists Folder, the explorer's, whose marks are read in their state at
    // each look-up, and returns when the listing has ended.
    void BuildList(const QString &folder, const explorer::TFileList &explorer, const TListingOptions &options);
    // STOP: the list keeps exactly what was counted.
    void Stop();
    bool Listing() const { return fBuilder.Listing(); }
    // "Dirs: 3   Files: 12", since the list was last cleared.
    QString StatusText() const { return fBuilder.StatusText(); }
    int DirCount() const { return fBuilder.DirCount(); }
    int FileCount() const { return fBuilder.FileCount(); }
    // Progress comes after a kept hit, at most once per this many
    // milliseconds (after the first hit of a run always).
    void SetProgressInterval(qint64 milliseconds) { fProgressInterval = milliseconds; }
    // Asked after each kept hit and each folder entered: true stops the
    // listing as STOP does. For a caller whose STOP cannot arrive as a call
    // (a signal handler sets a flag).
    std::function<bool()> StopRequested;
    // Each folder or entry the listing could not read (tamarel-list warns;
    // the window says nothing).
    std::function<void(const engine::TSearchError &error)> OnSearchError;

    // --- The list, in row order: folders first, then files, each by full
    // name. The rows are rebuilt when a listing ends.
    // A caller that shows no table and runs several listings into one list
    // (tamarel-list) turns that off and fills the rows once at the end:
    // sorting the growing list after every listing would cost the square of
    // the number of listings.
    void SetFillListOnEnd(bool fill) { fFillListOnEnd = fill; }
    void FillList();
    const explorer::TFileList &List() const { return fList; }
    const std::vector<int> &Order() const { return fOrder; }
    int RowCount() const { return int(fOrder.size()); }
    const explorer::TFileData &EntryAt(int row) const { return fList.FileData[size_t(fOrder[size_t(row)])]; }
    // The row the text typed so far finds, going on from FocusedRow, or -1.
    int IncrementalSearch(const QString &typed, int focusedRow);
    void SetSearchInterval(int milliseconds) { fSearch.SetInterval(milliseconds); }

    // --- Reports.
    // Builds the report of Options' format into Report().
    void BuildReport(const TReportOptions &options);
    // The report built last: every preview and every save of a CSV or HTML
    // file builds it anew.
    const QStringList &Report() const { return fReport; }
    // Writes the report of Options' format line by line, keeping nothing:
    // for reports too large to hold.
    void WriteReport(const TReportOptions &options, const TLineSink &sink) const;
    // The same as bytes of a file, the rows made and encoded on as many
    // threads as the listing was read with; Sink gets them in order, on
    // this thread, and may throw to stop.
    void WriteReport(const TReportOptions &options, const TLineEncoder &encode, const TByteSink &sink) const;
    // Builds the report to preview it. The preview shows it as text unless
    // AsPage (an HTML report in a browser view); what it shows as text is
    // what a print of the preview gives.
    void Preview(const TReportOptions &options, bool asPage);
    // The lines of the text the preview shows, one line at least.
    const QStringList &TextToPrint() const { return fTextShown; }
    // The page a browser view shows of the HTML report the last Preview
    // built: the report itself, or, when it has more than MaxCells cells
    // in its rows, a page of as many of its first rows as fit, which ends
    // by saying how many rows it shows of how many.
    QStringList PageToShow(qsizetype maxCells) const;
    // The name Save gives the file, known before anything is written, so
    // that a question about replacing a file names the one that will be
    // replaced: "list.txt" chosen as CSV is "list.csv".
    static QString SaveName(const QString &chosen, TReportFileType type) { return ReportFileName(chosen, type); }
    // Saves as the save dialog's file type says: the name Chosen with the
    // type's extension, the type's report built anew (for "All files" the
    // report built last) in the type's encoding. Returns the name of the
    // file written; throws ECreateFileError.
    QString Save(const QString &chosen, TReportFileType type, const TReportOptions &options);

signals:
    // A listing has begun: the list may have been emptied, and the rows
    // are gone until it ends.
    void ListingStarted();
    void Progress();
    // A listing has ended (after a STOP: twice, the second time with
    // nothing new); the rows show the list again.
    void ListingFinished();
    // The rows are about to be replaced / have been.
    void RowsAboutToBeReset();
    void RowsReset();

private:
    void BindBuilder();
    void SetRows(std::vector<int> order);
    void HitKept();
    TReportSource Source(const TReportOptions &options) const;
    TReportParts Parts(const TReportOptions &options, const TReportSource &source) const;

    const explorer::TRegionalFormats &fFormats;
    explorer::TFileList fList;
    TListingBuilder fBuilder;
    std::vector<int> fOrder;
    QStringList fReport;
    TReportOptions fPreviewed;  // the options of the last Preview
    QStringList fTextShown{QString()};
    explorer::TIncrementalSearch fSearch;
    qint64 fProgressInterval = 0;
    bool fFillListOnEnd = true;
    QElapsedTimer fSinceProgress;
};

} // namespace listing
