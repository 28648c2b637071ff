#include "WindowFixture.h"

#include "app/Application.h"
#include "app/FormStorage.h"
#include "ui/ColorPicker.h"
#include "ui/Notebook.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

using namespace app;

namespace {

// Settings through the real window and a real file under a temporary
// XDG_CONFIG_HOME.
class SettingsTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("shown");
    }
    QString IniPath() { return QString::fromStdString(Abs("config/Zelko/Tamarel/1.x.ini")); }
    void Start() { StartWindow(Root() + QStringLiteral("shown")); }
    void Restart()
    {
        window->close();
        window.reset();
        Start();
    }
    // Writes values as a user's earlier run would have.
    void Store(const std::vector<std::pair<QString, QVariant>> &values)
    {
        QSettings settings(IniPath(), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("wnd_qv_Main"));
        for (const auto &v : values)
            settings.setValue(v.first, v.second);
        settings.endGroup();
        settings.sync();
    }
    QString DesktopSuffix() const
    {
        const QSize s = QGuiApplication::primaryScreen()->virtualGeometry().size();
        return QStringLiteral("(%1x%2)").arg(s.width()).arg(s.height());
    }
};

TEST_F(SettingsTest, TheFirstRunWritesAllValuesAtExit)
{
    Start();
    EXPECT_FALSE(QFile::exists(IniPath()));
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[HTML Layout]"));
    window->close();
    QSettings settings(IniPath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("wnd_qv_Main"));
    EXPECT_EQ(settings.childKeys().size(), 33);
    EXPECT_EQ(settings.value(QStringLiteral("FormVersion")).toInt(), 0);
    EXPECT_EQ(settings.value(QStringLiteral("ShowCmd")).toInt(), 1);
    EXPECT_EQ(settings.value(QStringLiteral("MinMaxPos")).toString(), QStringLiteral("-1,-1,-1,-1"));
    EXPECT_TRUE(settings.contains(QStringLiteral("NormPos") + DesktopSuffix()));
    EXPECT_EQ(settings.value(QStringLiteral("cbxClear_Checked")).toString(), QStringLiteral("TRUE"));
    EXPECT_EQ(settings.value(QStringLiteral("cbxAcc_Checked")).toString(), QStringLiteral("FALSE"));
    EXPECT_EQ(settings.value(QStringLiteral("rgReport_ItemIndex")).toInt(), 1);
    EXPECT_EQ(settings.value(QStringLiteral("cbCSVDelim_Text")).toString(), QStringLiteral(";"));
    EXPECT_EQ(settings.value(QStringLiteral("cpCell_SelectedColor")).toString(), QStringLiteral("clWhite"));
    EXPECT_EQ(settings.value(QStringLiteral("cpCellFont_SelectedColor")).toString(), QStringLiteral("clBlack"));
    EXPECT_EQ(settings.value(QStringLiteral("cpGrid_SelectedColor")).toString(), QStringLiteral("clGray"));
    EXPECT_EQ(settings.value(QStringLiteral("cpHeader_SelectedColor")).toString(), QStringLiteral("12615680"));
}

TEST_F(SettingsTest, ChosenOptionsComeBackAtTheNextStart)
{
    Start();
    Click("rgReportCSV");
    Find<QComboBox>("cbCSVDelim")->setCurrentText(QStringLiteral(","));
    Find<QComboBox>("cbCSVFormat")->setCurrentIndex(1);
    Find<ui::TColorPicker>("cpHeader")->SetText(QStringLiteral("#FF0000"));
    Click("cbxSubdirs");
    Restart();
    EXPECT_TRUE(Find<QAbstractButton>("rgReportCSV")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbCSVDelim")->currentText(), QStringLiteral(","));
    EXPECT_EQ(Find<QComboBox>("cbCSVFormat")->currentText(), QStringLiteral("UTF8"));
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[CSV Options]"));
    EXPECT_EQ(Find<ui::TColorPicker>("cpHeader")->Text(), QStringLiteral("#FF0000"));
    EXPECT_TRUE(Find<QCheckBox>("cbxSubdirs")->isChecked());
    QSettings settings(IniPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("wnd_qv_Main/cpHeader_SelectedColor")).toString(), QStringLiteral("clRed"));
}

TEST_F(SettingsTest, BooleanTextsAndColoursAreReadLeniently)
{
    Store({{QStringLiteral("cbxClear_Checked"), QStringLiteral("no")},
           {QStringLiteral("cbxSubdirs_Checked"), QStringLiteral("yes")},
           {QStringLiteral("cbxListSLO_Checked"), QStringLiteral("Y")},
           {QStringLiteral("cbxDirs_Checked"), QStringLiteral("0")},
           {QStringLiteral("cbxFiles_Checked"), QStringLiteral("maybe")},
           {QStringLiteral("cpCell_SelectedColor"), 12615680},
           {QStringLiteral("cpGrid_SelectedColor"), QStringLiteral("clTeal")},
           {QStringLiteral("cpHeader_SelectedColor"), QStringLiteral("clNone")},
           {QStringLiteral("cpCellFont_SelectedColor"), QStringLiteral("purple rain")}});
    Start();
    EXPECT_FALSE(Find<QCheckBox>("cbxClear")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbxSubdirs")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbxListSLO")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("cbxDirs")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbxFiles")->isChecked()) << "not a Boolean: the control keeps its value";
    EXPECT_EQ(Find<ui::TColorPicker>("cpCell")->Text(), QStringLiteral("#0080C0"));
    EXPECT_EQ(Find<ui::TColorPicker>("cpGrid")->Text(), QStringLiteral("#008080"));
    EXPECT_EQ(Find<ui::TColorPicker>("cpHeader")->Text(), ui::TColorPicker::NoColorText);
    EXPECT_EQ(Find<ui::TColorPicker>("cpCellFont")->Text(), QStringLiteral("#000000"));
}

TEST_F(SettingsTest, APlacementIsTakenOnlyWhereItStillFits)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString fits = QStringLiteral("%1,%2,%3,%4").arg(screen.left() + 10).arg(screen.top() + 20)
                             .arg(screen.left() + 730).arg(screen.top() + 520);
    Store({{QStringLiteral("NormPos"), fits}, {QStringLiteral("PixelsPerInch"), 96}});
    Start();
    EXPECT_EQ(window->geometry().topLeft(), QPoint(screen.left() + 10, screen.top() + 20))
        << "no entry for this desktop size: the plain one is used";
    EXPECT_EQ(window->geometry().size(), QSize(720, 500));
    window.reset();

    Store({{QStringLiteral("NormPos") + DesktopSuffix(), QStringLiteral("9000,9000,9400,9300")}});
    Start();
    EXPECT_NE(window->geometry().topLeft(), QPoint(9000, 9000)) << "off every screen";
    window.reset();

    Store({{QStringLiteral("NormPos") + DesktopSuffix(), fits}, {QStringLiteral("PixelsPerInch"), 144}});
    Start();
    EXPECT_NE(window->geometry().size(), QSize(720, 500)) << "stored at another pixel density";
}

TEST_F(SettingsTest, PlacementsAtTheEndsOfTheIntegerRangeAreIgnoredSafely)
{
    const QString low = QStringLiteral("-2147483648");
    for (const QString &stored : {low + QStringLiteral(",0,") + low + QStringLiteral(",100"),
                                  QStringLiteral("0,0,") + low + QLatin1Char(',') + low,
                                  QStringLiteral("2147483647,2147483647,99999999999,5")}) {
        Store({{QStringLiteral("NormPos") + DesktopSuffix(), stored}});
        Start();
        EXPECT_GT(window->geometry().width(), 0) << stored.toStdString();
        EXPECT_TRUE(QGuiApplication::screenAt(window->geometry().center())) << stored.toStdString();
        window.reset();
    }
}

TEST_F(SettingsTest, ADamagedFileStartsWithTheInitialValuesAndIsWrittenAnew)
{
    MakeFolder("config");
    MakeFolder("config/Zelko");
    MakeFolder("config/Zelko/Tamarel");
    MakeFile("config/Zelko/Tamarel/1.x.ini", std::string("\x00\xff[wnd_qv_Main\ncbxClear_Checked=\"FALSE\n\x01\x02", 40));
    Start();
    EXPECT_TRUE(Find<QCheckBox>("cbxClear")->isChecked());
    window->close();
    QSettings settings(IniPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.status(), QSettings::NoError);
    EXPECT_EQ(settings.value(QStringLiteral("wnd_qv_Main/cbxClear_Checked")).toString(), QStringLiteral("TRUE"));
    EXPECT_TRUE(QFile::exists(IniPath() + QStringLiteral(".damaged"))) << "the damaged file is kept";
}

TEST_F(SettingsTest, ASaveThatFailsSaysSoOnceAndTheWindowCloses)
{
    MakeFolder("config");
    MakeFile("config/Zelko", "a file where the folder should be");
    auto &application = static_cast<TApplication &>(*QCoreApplication::instance());
    QStringList shown;
    const auto previous = application.ShowException;
    application.ShowException = [&](const QString &message) { shown.append(message); };
    Start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    window.reset();
    application.ShowException = previous;
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(QStringLiteral("Unable to create key '")));
}

TEST(FormStorage, ReadsBooleanTextsInAnyLetterCase)
{
    EXPECT_EQ(TFormStorage::ReadBoolean(QStringLiteral("true")), true);
    EXPECT_EQ(TFormStorage::ReadBoolean(QStringLiteral("N")), false);
    EXPECT_EQ(TFormStorage::ReadBoolean(QStringLiteral("-1")), true);
    EXPECT_FALSE(TFormStorage::ReadBoolean(QStringLiteral("sure")).has_value());
}

} // namespace
