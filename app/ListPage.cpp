#include "app/ListPage.h"

#include "app/Controls.h"
#include "app/ListModel.h"
#include "listing/CsvReport.h"
#include "ui/ColorPicker.h"
#include "ui/ExplorerView.h"
#include "ui/Notebook.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace app {

using namespace listing;

namespace {

constexpr int MinimumFullNameWidth = 260;

QComboBox *NewComboBox(const char *name, const QStringList &items, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

ui::TColorPicker *NewColorPicker(const char *name, const QString &color, QWidget *parent)
{
    auto *picker = new ui::TColorPicker(color, parent);
    picker->setObjectName(QLatin1String(name));
    return picker;
}

} // namespace

TListPage::TListPage(TListingController &listing, const explorer::TRegionalFormats &formats,
                     const QString &timestampFormat, QWidget *parent)
    : QWidget(parent), fListing(listing)
{
    setObjectName(QStringLiteral("TabSheet2"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    CreateTable(formats, timestampFormat);
    layout->addWidget(List, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(CreateColumnBoxes());
    options->addWidget(CreateLayoutOptions(), 1);
    options->addWidget(CreateFormatChoice(), 0, Qt::AlignTop);
    layout->addLayout(options);

    cbxSepPNE = NewCheckBox("cbxSepPNE", "Separate Path, Name and Extension", TColumnOptions().Separate, this);
    Button2 = NewButton("Button2", QStringLiteral("Back"), this);
    bPreview = NewButton("bPreview", QString(), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addWidget(cbxSepPNE);
    buttons->addStretch();
    buttons->addWidget(bPreview);
    layout->addLayout(buttons);
}

void TListPage::CreateTable(const explorer::TRegionalFormats &formats, const QString &timestampFormat)
{
    List = new ui::TExplorerView(this);
    List->setObjectName(QStringLiteral("List"));
    ListModel = new TListModel(fListing, timestampFormat, formats, List);
    List->setModel(ListModel);
    const int stamp = TimestampColumnWidth(QFontMetrics(List->font()));
    const int widths[ReportColumnCount] = {MinimumFullNameWidth, 150, 60, 60, stamp, stamp, stamp, 40};
    for (int column = 0; column < ReportColumnCount; ++column)
        List->setColumnWidth(column, widths[column]);
    // The full name takes the room the window has to spare, and never less
    // than enough to be read: the table scrolls sideways rather than cut
    // every full name to a few letters.
    List->SetAutoSizeColumn(rcPath, MinimumFullNameWidth);
    // A full name cut short keeps its end, the entry's own name.
    List->setTextElideMode(Qt::ElideMiddle);
    List->header()->setSortIndicatorShown(true);
    List->header()->setSortIndicator(rcPath, Qt::AscendingOrder);
    List->header()->setSectionsClickable(false);
    List->FindRow = [this](const QString &typed) {
        const QModelIndex current = List->currentIndex();
        return fListing.IncrementalSearch(typed, current.isValid() ? current.row() : -1);
    };
    // A refilled list starts at its first row.
    connect(&fListing, &TListingController::RowsReset, this, [this] {
        if (ListModel->rowCount() > 0)
            List->setCurrentIndex(ListModel->index(0, 0));
    });
}

QWidget *TListPage::CreateColumnBoxes()
{
    gbCols = new QGroupBox(QStringLiteral("[Columns]"), this);
    gbCols->setObjectName(QStringLiteral("gbCols"));
    auto *layout = new QVBoxLayout(gbCols);
    const TColumnOptions defaults;
    for (const TReportColumnInfo &c : ReportColumns()) {
        fColumnBoxes[c.Column] = NewCheckBox(c.BoxName, c.BoxCaption, defaults.*c.Chosen, gbCols);
        layout->addWidget(fColumnBoxes[c.Column]);
    }
    return gbCols;
}

QWidget *TListPage::CreateLayoutOptions()
{
    gbLay = new QGroupBox(this);
    gbLay->setObjectName(QStringLiteral("gbLay"));
    auto *layout = new QVBoxLayout(gbLay);
    pcLay = new ui::TNotebook(gbLay);
    pcLay->setObjectName(QStringLiteral("pcLay"));
    pcLay->AddPage(CreateCsvOptionsPage(), QStringLiteral("[CSV Options]"));
    pcLay->AddPage(CreateHtmlLayoutPage(), QStringLiteral("[HTML Layout]"));
    layout->addWidget(pcLay);
    connect(pcLay, &ui::TNotebook::Changed, this, &TListPage::pcLayChange);
    return gbLay;
}

QWidget *TListPage::CreateFormatChoice()
{
    rgReport = new QGroupBox(QStringLiteral("[Report format]"), this);
    rgReport->setObjectName(QStringLiteral("rgReport"));
    auto *layout = new QVBoxLayout(rgReport);
    rgReportItems = new QButtonGroup(rgReport);
    const struct {
        const char *Name;
        const char *Caption;
        TReportFormat Format;
    } items[] = {{"rgReportCSV", "CSV", rfCSV}, {"rgReportHTML", "HTML", rfHTML}};
    for (const auto &i : items) {
        auto *button = new QRadioButton(QLatin1String(i.Caption), rgReport);
        button->setObjectName(QLatin1String(i.Name));
        button->setChecked(i.Format == TReportOptions().Format);
        rgReportItems->addButton(button, i.Format);
        layout->addWidget(button);
    }
    layout->addStretch();
    connect(rgReportItems, &QButtonGroup::idClicked, this, &TListPage::rgReportClick);
    return rgReport;
}

QWidget *TListPage::CreateCsvOptionsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("NxTabSheet2"));
    auto *grid = new QGridLayout(page);
    cbCSVFormat = NewComboBox("cbCSVFormat", {QStringLiteral("ASCII"), QStringLiteral("UTF8"), QStringLiteral("UNICODE")},
                              page);
    cbCSVDelim = NewComboBox("cbCSVDelim", {QStringLiteral(";"), QStringLiteral(",")}, page);
    cbCSVDelim->setEditable(true);
    cbCSVDelim->lineEdit()->setMaxLength(1);
    cbCSVDelim->setCurrentText(TReportOptions().Delimiter);
    // A quote or a line break cannot be typed or pasted; one read from a
    // settings file edited by hand gives way to the default.
    cbCSVDelim->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"\r\n]?")), cbCSVDelim));
    connect(cbCSVDelim, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (!listing::IsCsvDelimiter(text))
            cbCSVDelim->setCurrentText(TReportOptions().Delimiter);
    });
    grid->addWidget(new QLabel(QStringLiteral("Format:"), page), 0, 0);
    grid->addWidget(cbCSVFormat, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Delimiter:"), page), 1, 0);
    grid->addWidget(cbCSVDelim, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget *TListPage::CreateHtmlLayoutPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("NxTabSheet1"));
    const THtmlLayout defaults;
    cbxGrid = NewCheckBox("cbxGrid", "Grid lines", defaults.Grid, page);
    cpGrid = NewColorPicker("cpGrid", defaults.GridColor, page);
    cpHeader = NewColorPicker("cpHeader", defaults.HeaderColor, page);
    cpHeaderFont = NewColorPicker("cpHeaderFont", defaults.HeaderFontColor, page);
    cpCell = NewColorPicker("cpCell", defaults.CellColor, page);
    cpCellFont = NewColorPicker("cpCellFont", defaults.CellFontColor, page);
    eTitle = new QLineEdit(page);
    eTitle->setObjectName(QStringLiteral("eTitle"));
    cbxTree = NewCheckBox("cbxTree", "Tree simulation (only for Name)", defaults.Tree, page);
    cbCharset = NewComboBox("cbCharset", {QStringLiteral("utf-8"), QStringLiteral("iso-8859-1"),
                                          QStringLiteral("windows-1250")}, page);
    cbCharset->setEditable(true);
    cbCharset->setCurrentText(defaults.Charset);

    auto *grid = new QGridLayout(page);
    grid->addWidget(cbxGrid, 0, 0);
    grid->addWidget(cpGrid, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Header:"), page), 1, 0);
    grid->addWidget(cpHeader, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font:"), page), 1, 2);
    grid->addWidget(cpHeaderFont, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Cell:"), page), 2, 0);
    grid->addWidget(cpCell, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font:"), page), 2, 2);
    grid->addWidget(cpCellFont, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Title:"), page), 3, 0);
    grid->addWidget(eTitle, 3, 1, 1, 3);
    auto *last = new QHBoxLayout;
    last->addWidget(cbxTree);
    last->addStretch();
    last->addWidget(new QLabel(QStringLiteral("Charset:"), page));
    last->addWidget(cbCharset);
    grid->addLayout(last, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    // The rows stay together at the top, evenly spaced, however tall the
    // page is made by the column boxes beside it.
    grid->setRowStretch(5, 1);
    return page;
}

TReportOptions TListPage::ReportOptions() const
{
    TReportOptions o;
    o.Format = ReportFormat();
    for (const TReportColumnInfo &c : ReportColumns())
        o.Columns.*c.Chosen = fColumnBoxes[c.Column]->isChecked();
    o.Columns.Separate = cbxSepPNE->isChecked();
    o.Delimiter = cbCSVDelim->currentText();
    o.Layout = HtmlLayout();
    o.Encoding = static_cast<TTextEncoding>(cbCSVFormat->currentIndex());
    return o;
}

THtmlLayout TListPage::HtmlLayout() const
{
    THtmlLayout l;
    l.Grid = cbxGrid->isChecked();
    l.GridColor = cpGrid->Text();
    l.HeaderColor = cpHeader->Text();
    l.HeaderFontColor = cpHeaderFont->Text();
    l.CellColor = cpCell->Text();
    l.CellFontColor = cpCellFont->Text();
    l.Title = eTitle->text();
    l.Tree = cbxTree->isChecked();
    l.Charset = cbCharset->currentText();
    return l;
}

TReportFormat TListPage::ReportFormat() const
{
    return static_cast<TReportFormat>(rgReportItems->checkedId());
}

void TListPage::SelectFormat(int format)
{
    if (QAbstractButton *button = rgReportItems->button(format))
        button->click();
}

void TListPage::FocusTable()
{
    List->setFocus(Qt::OtherFocusReason);
}

void TListPage::ShowOptionsPage(int format)
{
    pcLay->SetActivePage(format);
}

void TListPage::SetTitle(const QString &title)
{
    eTitle->setText(title);
}

void TListPage::pcLayChange(int index)
{
    gbLay->setTitle(pcLay->PageCaption(index));
}

void TListPage::rgReportClick()
{
    ShowOptionsPage(ReportFormat());
}

} // namespace app
