// Printing a report of ROWS entries (1,000 unless told) to a PDF file, as
// Print does from the Preview page: the HTML report as a page, and the CSV
// report as text, each timed from the start of the print to the closed file.

#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "ui/HtmlPrinter.h"
#include "ui/TextPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
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

void Report(const char *what, QPrinter &printer, const QElapsedTimer &timer, int pages)
{
    std::printf("%s pages=%d seconds=%.3f bytes=%lld\n", what, pages, double(timer.nsecsElapsed()) / 1e9,
                static_cast<long long>(QFileInfo(printer.outputFileName()).size()));
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("html.pdf")));
    QElapsedTimer timer;
    timer.start();
    const int htmlPages = ui::PrintHtml(printer, html.join(QStringLiteral("\r\n")),
                                        {QStringLiteral("file:///tmp/report.html"), QStringLiteral("1.1.2025")});
    Report("print-html", printer, timer, htmlPages);

    QStringList csv;
    listing::ExportCSV(csv, QStringLiteral(";"), source);
    QPrinter textPrinter(QPrinter::HighResolution);
    textPrinter.setOutputFormat(QPrinter::PdfFormat);
    textPrinter.setOutputFileName(folder.filePath(QStringLiteral("csv.pdf")));
    timer.restart();
    const int textPages = ui::PrintPlainText(textPrinter, csv, QFontDatabase::systemFont(QFontDatabase::FixedFont), 80);
    Report("print-csv", textPrinter, timer, textPages);
    return 0;
}
