// Printing a report of ROWS entries (1,000 unless told) to a PDF file, as
// Print does from the Preview page: the HTML report as pages of text, and
// the CSV report as plain text, each timed from the start of the print to
// the file in its place. "pause" is the longest stretch between two calls
// of the progress callback, where the window lets its events run: the
// longest the window goes unanswered; "finish" is the last of them, where
// the PDF is completed, synced and put in place. "count-html" is the part
// of the HTML print spent counting its pages before it paints them.

#include "app/PrintJob.h"
#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "listing/HtmlReportRows.h"
#include "ui/HtmlPrinter.h"
#include "ui/TextPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <numeric>

namespace {

// Folders and files of a few names, deep enough that full names wrap.
explorer::TFileList SampleList(int rows)
{
    explorer::TFileList list;
    for (int i = 0; i < rows; ++i) {
        explorer::TFileData d;
        d.Location = QStringLiteral("/srv/archive/projects/%1/documents/drafts/").arg(i / 50);
        d.Name = QStringLiteral("report %1 final version.pdf").arg(i);
        d.Directory = i % 20 == 0;
        d.Size = qint64(i) * 7919;
        d.Modified = d.Created = d.Accessed = 45000.5 + i;
        list.FileData.push_back(d);
    }
    return list;
}

// Times the print and the longest pause between two progress calls.
class TStopwatch {
public:
    TStopwatch() { fTotal.start(), fSinceStep.start(); }
    ui::TPrintProgress Progress()
    {
        return [this](const ui::TPrintStatus &) {
            fLongestPause = qMax(fLongestPause, fSinceStep.nsecsElapsed());
            fSinceStep.restart();
            return true;
        };
    }
    void Report(const char *what, const QString &file, int pages)
    {
        const qint64 finish = fSinceStep.nsecsElapsed();
        fLongestPause = qMax(fLongestPause, finish);
        std::printf("%s pages=%d seconds=%.3f pause=%.3f finish=%.3f bytes=%lld\n", what, pages,
                    double(fTotal.nsecsElapsed()) / 1e9, double(fLongestPause) / 1e9, double(finish) / 1e9,
                    static_cast<long long>(QFileInfo(file).size()));
    }

private:
    QElapsedTimer fTotal;
    QElapsedTimer fSinceStep;
    qint64 fLongestPause = 0;
};

using TPaint = std::function<ui::TPrintResult(app::TPrintJob &job, const ui::TPrintProgress &progress)>;

// Times Paint printing into the PDF file File, as Print does.
void TimePrint(const char *what, const QString &file, const TPaint &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    TStopwatch watch;
    app::TPrintJob job(printer);
    const ui::TPrintResult result = paint(job, watch.Progress());
    job.Finish();
    watch.Report(what, file, result.Pages);
}

ui::TPrintResult PrintHtml(const QStringList &html, app::TPrintJob &job, const ui::TPrintProgress &progress)
{
    const listing::THtmlReportRows report(html);
    const ui::THtmlRows rows{report.RowCount(), [&report](qsizetype f, qsizetype l) { return report.Document(f, l); }};
    const ui::THtmlPageTexts texts{QStringLiteral("file:///tmp/report.html"), QStringLiteral("1.1.2025")};
    ui::THtmlPrint print(job.Device(), rows, texts);
    QElapsedTimer count;
    count.start();
    print.CountPages(progress);
    std::printf("count-html seconds=%.3f\n", double(count.nsecsElapsed()) / 1e9);
    return print.Paint(job.Begin(), job.Device(), progress);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    const explorer::TFileList list = SampleList(rows);
    std::vector<int> order(list.FileData.size());
    std::iota(order.begin(), order.end(), 0);
    const listing::TColumnOptions columns;
    const explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromLocale(QLocale::c());
    const listing::TReportSource source{list, order, columns, formats};
    QTemporaryDir folder;

    QStringList html;
    listing::ExportHTML(html, listing::THtmlLayout(), source);
    TimePrint("print-html", folder.filePath(QStringLiteral("html.pdf")),
              [&html](app::TPrintJob &job, const ui::TPrintProgress &progress) { return PrintHtml(html, job, progress); });
    html.clear();

    QStringList csv;
    listing::ExportCSV(csv, QStringLiteral(";"), source);
    TimePrint("print-csv", folder.filePath(QStringLiteral("csv.pdf")),
              [&csv](app::TPrintJob &job, const ui::TPrintProgress &progress) {
                  return ui::PrintPlainText(job.Begin(), job.Device(), csv,
                                            QFontDatabase::systemFont(QFontDatabase::FixedFont), 80, progress);
              });
    return 0;
}
