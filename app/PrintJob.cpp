#include "app/PrintJob.h"

#include "listing/ReportFile.h"
#include "platform/ErrorText.h"

#include <QPdfWriter>
#include <QPrinter>
#include <stdexcept>

namespace app {

namespace {

const char *const CannotStart = "Cannot print. The printer could not be started.";
const char *const CannotFinish = "Cannot print. The printer did not take the print.";

// The settings of the print dialog that a PDF holds: paper, orientation,
// resolution, title; in full-page coordinates, as the prints paint.
void TakeSettings(QPdfWriter &writer, const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::FullPageMode);
    writer.setPageLayout(layout);
    writer.setResolution(printer.resolution());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    writer.setPdfVersion(printer.pdfVersion());
}

} // namespace

TPrintJob::TPrintJob(QPrinter &printer) : fPrinter(printer), fFileName(printer.outputFileName())
{
    if (!ToFile()) {
        fPrinter.setFullPage(true);
        return;
    }
    if (const int error = fFile.Open(fFileName))
        FailFile(error);
    fWriter = std::make_unique<QPdfWriter>(&fFile);
    TakeSettings(*fWriter, fPrinter);
}

QPainter &TPrintJob::Begin()
{
    if (!fPainter.begin(&Device())) {
        Cancel();
        throw std::runtime_error(CannotStart);
    }
    return fPainter;
}

TPrintJob::~TPrintJob()
{
    if (!fDone)
        Cancel();
}

QPagedPaintDevice &TPrintJob::Device()
{
    if (fWriter)
        return *fWriter;
    return fPrinter;
}

void TPrintJob::FailFile(int error)
{
    fDone = true;
    fFile.Cancel();
    throw listing::ECreateFileError(fFileName, platform::ErrorText(error));
}

void TPrintJob::Finish()
{
    fDone = true;
    const bool ended = fPainter.isActive() && fPainter.end();
    if (!ended || fPrinter.printerState() == QPrinter::Error) {
        fFile.Cancel();
        throw std::runtime_error(CannotFinish);
    }
    // The PDF engine does not look at what its writes answer; the file does,
    // and tells now.
    if (ToFile()) {
        if (const int error = fFile.Commit())
            FailFile(error);
    }
}

void TPrintJob::Cancel()
{
    fDone = true;
    // Qt's printers here cannot withdraw a job: what was painted is printed.
    if (fPainter.isActive())
        fPainter.end();
    fFile.Cancel();
}

} // namespace app
