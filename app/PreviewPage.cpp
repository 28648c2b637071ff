#include "app/PreviewPage.h"

#include "app/Controls.h"
#include "app/PrintJob.h"
#include "listing/HtmlReportRows.h"
#include "listing/ReportFile.h"
#include "ui/HtmlPrinter.h"
#include "ui/HtmlView.h"
#include "ui/TextPrinter.h"
#include "ui/TextViewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

namespace {
const QString NoBrowserCaption = QStringLiteral(" HTML view is not available");
const QString BrowserStoppedCaption = QStringLiteral(" The HTML view stopped before it could show the report.");
} // namespace

const qsizetype TPreviewPage::MaxPageCells = ui::THtmlView::MaxCells;

TPreviewPage::TPreviewPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet3"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    Memo = new ui::TTextViewer(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    // The caption shows wherever the browser view does not draw, and
    // instead of it when the program has none.
    BrowserPanel = new QLabel(NoBrowserCaption, this);
    BrowserPanel->setObjectName(QStringLiteral("BrowserPanel"));
    BrowserPanel->setAlignment(Qt::AlignCenter);
    BrowserPanel->setFrameShape(QFrame::StyledPanel);
    auto *panelLayout = new QVBoxLayout(BrowserPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    Browser = ui::THtmlView::Create(BrowserPanel);
    if (Browser) {
        Browser->setObjectName(QStringLiteral("Browser"));
        connect(Browser, &ui::THtmlView::Stopped, this, &TPreviewPage::BrowserStopped);
        panelLayout->addWidget(Browser);
    }
    BrowserPanel->hide();
    layout->addWidget(Memo, 1);
    layout->addWidget(BrowserPanel, 1);

    bBack2 = NewButton("bBack2", QStringLiteral("Back"), this);
    Button1 = NewButton("Button1", QString(), this);
    bSave = NewButton("bSave", QString(), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(bBack2);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(bSave);
    layout->addLayout(buttons);
}

void TPreviewPage::FocusView()
{
    QWidget *view = Memo->isVisible() || !Browser ? static_cast<QWidget *>(Memo) : Browser;
    view->setFocus(Qt::OtherFocusReason);
}

void TPreviewPage::ShowText(const QStringList &lines)
{
    Memo->SetLines(lines);
    BrowserPanel->hide();
    Memo->show();
}

void TPreviewPage::ShowPage(const QStringList &report, const QStringList &page)
{
    fPageShown = report;
    Memo->hide();
    BrowserPanel->setText(NoBrowserCaption);
    Browser->show();
    BrowserPanel->show();
    QString error;
    if (!Browser->ShowReport(page, error))
        throw listing::ECreateFileError(Browser->ShownFile(), error);
}

void TPreviewPage::BrowserStopped()
{
    // Without a word the user would see an empty page and think the
    // report empty.
    Browser->hide();
    BrowserPanel->setText(BrowserStoppedCaption);
}

ui::TPrintResult TPreviewPage::PrintPage(TPrintJob &job, const QString &date, const ui::TPrintProgress &progress) const
{
    // The print keeps the report it started with: a preview built while
    // it runs (the window's events go on meanwhile) does not change it.
    const listing::THtmlReportRows report(fPageShown);
    const ui::THtmlRows rows{report.RowCount(),
                             [&report](qsizetype first, qsizetype last) { return report.Document(first, last); }};
    const ui::THtmlPageTexts texts{QUrl::fromLocalFile(Browser->ShownFile()).toString(), date};
    ui::THtmlPrint print(job.Device(), rows, texts);
    if (!print.CountPages(progress))
        return {0, true};
    return print.Paint(job.Begin(), job.Device(), progress);
}

ui::TPrintResult TPreviewPage::PrintText(TPrintJob &job, const QStringList &lines,
                                         const ui::TPrintProgress &progress) const
{
    const QStringList kept = lines;  // as PrintPage keeps its report
    return ui::PrintPlainText(job.Begin(), job.Device(), kept, Memo->font(), Memo->TabStopDistance(), progress);
}

} // namespace app
