#include "app/PrintCommand.h"

#include "app/PreviewPage.h"
#include "app/PrintJob.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QScopeGuard>

namespace app {

namespace {
constexpr int ProgressSteps = 1000;
// A print shorter than this shows no dialog at all.
constexpr int ShowProgressAfterMs = 400;
} // namespace

TPrintCommand::TPrintCommand(QWidget &window, const TPreviewPage &page) : fWindow(window), fPage(page) {}

bool TPrintCommand::Step(QProgressDialog &dialog, const ui::TPrintStatus &status) const
{
    dialog.setLabelText(status.Pages == 0 ? QStringLiteral("Counting pages...")
                                          : QStringLiteral("Printing page %1 of %2").arg(status.Page).arg(status.Pages));
    dialog.setValue(int(ProgressSteps * status.Done / qMax<qint64>(1, status.Total)));
    QCoreApplication::processEvents();
    return !dialog.wasCanceled() && !fCancelled;
}

QString TPrintCommand::Print(QPrinter &printer, bool asPage, const QStringList &lines, const QString &date)
{
    fRunning = true;
    fCancelled = false;
    const auto done = qScopeGuard([this] { fRunning = false; });
    TPrintJob job(printer);
    QProgressDialog dialog(QStringLiteral("Counting pages..."), QStringLiteral("Cancel"), 0, ProgressSteps, &fWindow);
    dialog.setObjectName(QStringLiteral("PrintProgress"));
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ShowProgressAfterMs);
    dialog.setAutoReset(false);
    dialog.setValue(0);
    const ui::TPrintProgress progress = [&](const ui::TPrintStatus &status) { return Step(dialog, status); };

    const ui::TPrintResult result = asPage && fPage.HasPage() ? fPage.PrintPage(job, date, progress)
                                                              : fPage.PrintText(job, lines, progress);
    if (!result.Cancelled) {
        job.Finish();
        return QString();
    }
    job.Cancel();
    if (job.ToFile() || result.Pages == 0)
        return QStringLiteral("Printing cancelled");
    return QStringLiteral("Printing cancelled after page %1: the printer gets pages 1 to %1").arg(result.Pages);
}

} // namespace app
