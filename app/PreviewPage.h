#pragma once
// The Preview page of the main window: a report as text in the viewer, or
// an HTML report as a page in the browser view where the program has one,
// and the Back, Print and Save buttons.

#include "ui/PrintProgress.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace ui {
class THtmlView;
class TTextViewer;
} // namespace ui

namespace app {

class TPrintJob;

class TPreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPage(QWidget *parent = nullptr);

    // True when HTML reports can be shown as pages.
    bool ShowsPages() const { return Browser != nullptr; }
    // The most cells a page shown may hold (a larger report shows its
    // first rows).
    static const qsizetype MaxPageCells;
    // Shows lines as text, one a line (none may hold a line break).
    void ShowText(const QStringList &lines);
    // Gives the keyboard to the view that shows the report.
    void FocusView();
    // Shows Page, made of Report (all of it, or its first rows), and keeps
    // Report for a print. Throws listing::ECreateFileError when the page
    // cannot be handed to the browser view.
    void ShowPage(const QStringList &report, const QStringList &page);
    // True when a page has been shown, which PrintPage prints.
    bool HasPage() const { return Browser && !fPageShown.isEmpty(); }
    // Prints the page shown last as a page (whether or not a text has been
    // shown since), with Date in its footer. Both prints run to their end
    // inside the call, asking Progress between pages, and leave ending the
    // job to the caller; they throw what TPrintJob::Begin throws.
    ui::TPrintResult PrintPage(TPrintJob &job, const QString &date, const ui::TPrintProgress &progress) const;
    // Prints lines in the viewer's font and tab width.
    ui::TPrintResult PrintText(TPrintJob &job, const QStringList &lines, const ui::TPrintProgress &progress) const;

    QPushButton *BackButton() const { return bBack2; }
    QPushButton *PrintButton() const { return Button1; }
    QPushButton *SaveButton() const { return bSave; }

private:
    void BrowserStopped();

    ui::TTextViewer *Memo = nullptr;
    QLabel *BrowserPanel = nullptr;
    ui::THtmlView *Browser = nullptr;
    QStringList fPageShown;
    QPushButton *bBack2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *bSave = nullptr;
};

} // namespace app
