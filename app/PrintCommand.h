#pragma once
// The window's Print once the print dialog has set the printer up: the
// page or the text the Preview page shows goes to the printer or the PDF
// file, with a progress dialog whose Cancel stops it between two pages.
// The window's events go on meanwhile (the dialog keeps the user's clicks
// and keys from the window), so a print of any size leaves it answering.

#include "ui/PrintProgress.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace app {

class TPreviewPage;

class TPrintCommand {
public:
    // Window: the progress dialog's parent. Both outlive the command.
    TPrintCommand(QWidget &window, const TPreviewPage &page);

    bool Running() const { return fRunning; }
    // Stops a running print after the page in hand, as the dialog's Cancel
    // does.
    void Cancel() { fCancelled = true; }

    // Prints the page shown when AsPage and the Preview page has one, else
    // Lines as text, with Date in a page's footer. Returns what the window
    // tells the user afterwards: nothing when the print is complete,
    // "Printing cancelled" when it was cancelled. Throws
    // listing::ECreateFileError when a PDF file cannot be written (it then
    // stays as it was) and std::runtime_error when the printer fails.
    QString Print(QPrinter &printer, bool asPage, const QStringList &lines, const QString &date);

private:
    bool Step(QProgressDialog &dialog, const ui::TPrintStatus &status) const;

    QWidget &fWindow;
    const TPreviewPage &fPage;
    bool fRunning = false;
    bool fCancelled = false;
};

} // namespace app
