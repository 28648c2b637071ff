#pragma once
// One print from its start to its end, onto the printer the print dialog
// set up, or into the PDF file it named. A PDF is written the way Save
// writes a report: into a file of no name beside the target, which takes
// the target's place only once the whole print has reached the disk. A full
// disk, a size limit or a cancelled print leaves an existing file exactly
// as it was and no temporary file behind.
//
// The painting (ui::THtmlPrint, ui::PrintPlainText) goes on the painter
// Begin gives and on Device, in full-page coordinates, before Finish or
// Cancel. Until Begin, nothing reaches the printer.

#include "platform/ReplacingDevice.h"

#include <QPainter>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace app {

class TPrintJob {
public:
    // Throws listing::ECreateFileError when the file cannot be made.
    explicit TPrintJob(QPrinter &printer);
    // Gives up a print neither finished nor cancelled (Cancel).
    ~TPrintJob();
    TPrintJob(const TPrintJob &) = delete;
    TPrintJob &operator=(const TPrintJob &) = delete;

    // The paper's size and resolution, before Begin as well.
    QPagedPaintDevice &Device();
    // Starts painting; throws std::runtime_error when the printer cannot be
    // started.
    QPainter &Begin();
    bool ToFile() const { return !fFileName.isEmpty(); }

    // Ends the print: the PDF takes the target's place, or the printer gets
    // the job. Throws as the constructor does, ECreateFileError with the
    // system's reason ("No space left on device").
    void Finish();
    // Gives the print up: the file stays as it was. A printer cannot take
    // back what it was given: the pages painted so far reach it.
    void Cancel();

private:
    [[noreturn]] void FailFile(int error);

    QPrinter &fPrinter;
    const QString fFileName;  // empty: the printer itself
    platform::TReplacingDevice fFile;
    std::unique_ptr<QPdfWriter> fWriter;
    QPainter fPainter;  // ends before the writer and the file go
    bool fDone = false;
};

} // namespace app
