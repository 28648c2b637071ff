#pragma once
// The List page of the main window: the table of the built list, the
// columns and the look of the reports, and the report format. It reads the
// list from the listing controller and tells the window what its options
// say; building, previewing and saving reports are the controller's.

#include "listing/ListingController.h"
#include "listing/ReportColumns.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ui {
class TColorPicker;
class TExplorerView;
class TNotebook;
} // namespace ui

namespace app {

class TListModel;

class TListPage : public QWidget {
    Q_OBJECT
public:
    // The controller and the formats are the window's and outlive the page.
    TListPage(listing::TListingController &listing, const explorer::TRegionalFormats &formats,
              const QString &timestampFormat, QWidget *parent = nullptr);

    // What the options say, as the reports take it.
    listing::TReportOptions ReportOptions() const;
    listing::TReportFormat ReportFormat() const;
    // Chooses a format as a click on its button does.
    void SelectFormat(int format);
    // Shows the options page of a format (CSV or HTML).
    void ShowOptionsPage(int format);
    // Gives the keyboard to the list's table.
    void FocusTable();
    // The HTML title, which each listing sets to its folder.
    void SetTitle(const QString &title);

    QPushButton *BackButton() const { return Button2; }
    QPushButton *PreviewButton() const { return bPreview; }

private:
    void CreateTable(const explorer::TRegionalFormats &formats, const QString &timestampFormat);
    QWidget *CreateColumnBoxes();
    QWidget *CreateLayoutOptions();
    QWidget *CreateFormatChoice();
    QWidget *CreateCsvOptionsPage();
    QWidget *CreateHtmlLayoutPage();
    listing::THtmlLayout HtmlLayout() const;

    // Handlers.
    void pcLayChange(int index);
    void rgReportClick();

    listing::TListingController &fListing;
    ui::TExplorerView *List = nullptr;
    TListModel *ListModel = nullptr;
    QGroupBox *gbCols = nullptr;
    QCheckBox *fColumnBoxes[listing::ReportColumnCount] = {};
    QCheckBox *cbxSepPNE = nullptr;
    QGroupBox *gbLay = nullptr;
    ui::TNotebook *pcLay = nullptr;
    QComboBox *cbCSVFormat = nullptr;
    QComboBox *cbCSVDelim = nullptr;
    QCheckBox *cbxGrid = nullptr;
    ui::TColorPicker *cpGrid = nullptr;
    ui::TColorPicker *cpHeader = nullptr;
    ui::TColorPicker *cpHeaderFont = nullptr;
    ui::TColorPicker *cpCell = nullptr;
    ui::TColorPicker *cpCellFont = nullptr;
    QLineEdit *eTitle = nullptr;
    QCheckBox *cbxTree = nullptr;
    QComboBox *cbCharset = nullptr;
    QGroupBox *rgReport = nullptr;
    QButtonGroup *rgReportItems = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *bPreview = nullptr;
};

} // namespace app
