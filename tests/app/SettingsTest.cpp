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
#include <QLineEdit>
#include <QTest>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include "app/IniFile.h"

#include <QApplication>

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
    // Writes values as a user's earlier run, or a user's editor, would have.
    void Store(const std::vector<std::pair<QString, QString>> &values)
    {
        QString text = QStringLiteral("[wnd_qv_Main]\n");
        for (const auto &v : values)
            text += v.first + QLatin1Char('=') + v.second + QLatin1Char('\n');
        StoreText(text.toUtf8());
    }
    void StoreText(const QByteArray &text)
    {
        MakeFolder("config");
        MakeFolder("config/Zelko");
        MakeFolder("config/Zelko/Tamarel");
        MakeFile("config/Zelko/Tamarel/1.x.ini", text.toStdString());
    }
    QByteArray StoredText()
    {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The window's values as the file holds them, in their order.
    std::vector<std::pair<QString, QString>> Stored()
    {
        std::vector<std::pair<QString, QString>> values;
        bool inSection = false;
        for (const QByteArray &line : StoredText().split('\n')) {
            if (line.startsWith('['))
                inSection = line == "[wnd_qv_Main]";
            else if (inSection && line.contains('='))
                values.emplace_back(QString::fromUtf8(line.left(line.indexOf('='))),
                                    QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
        }
        return values;
    }
    QString StoredValue(const QString &name)
    {
        for (const auto &v : Stored())
            if (v.first == name)
                return v.second;
        return QStringLiteral("<none>");
    }
    QString DesktopSuffix() const
    {
        const QSize s = QGuiApplication::primaryScreen()->virtualGeometry().size();
        return QStringLiteral("(%1x%2)").arg(s.width()).arg(s.height());
    }
};

TEST_F(SettingsTest, TheFirstRunWritesAllValuesAtExitInTheirOrderUnderTheirOwnNames)
{
    Start();
    EXPECT_FALSE(QFile::exists(IniPath()));
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[HTML Layout]"));
    window->close();
    const QString suffix = DesktopSuffix();
    const QStringList order{
        "FormVersion", "ShowCmd", "Flags", "PixelsPerInch", "MinMaxPos" + suffix, "MinMaxPos", "NormPos" + suffix,
        "NormPos", "cbxAcc_Checked", "cbxAttrs_Checked", "cbxClear_Checked", "cbxCrt_Checked", "cbxDirs_Checked",
        "cbxExt_Checked", "cbxFiles_Checked", "cbxListSLO_Checked", "cbxMod_Checked", "cbxName_Checked",
        "cbxPath_Checked", "cbxSepPNE_Checked", "cbxSize_Checked", "cbxSubdirs_Checked", "rgReport_ItemIndex",
        "cbCSVDelim_Text", "cbCSVFormat_ItemIndex", "cbCharset_Text", "cpCell_SelectedColor",
        "cpCellFont_SelectedColor", "cpGrid_SelectedColor", "cpHeader_SelectedColor", "cpHeaderFont_SelectedColor",
        "cbxGrid_Checked", "cbxTree_Checked"};
    QStringList names;
    for (const auto &v : Stored())
        names.append(v.first);
    EXPECT_EQ(names, order);
    EXPECT_TRUE(StoredText().startsWith("[wnd_qv_Main]\nFormVersion=0\nShowCmd=1\n"));
    EXPECT_EQ(StoredValue(QStringLiteral("MinMaxPos")), QStringLiteral("-1,-1,-1,-1"));
    EXPECT_EQ(StoredValue(QStringLiteral("NormPos") + suffix), StoredValue(QStringLiteral("NormPos")));
    EXPECT_EQ(StoredValue(QStringLiteral("cbxClear_Checked")), QStringLiteral("TRUE"));
    EXPECT_EQ(StoredValue(QStringLiteral("cbxAcc_Checked")), QStringLiteral("FALSE"));
    EXPECT_EQ(StoredValue(QStringLiteral("rgReport_ItemIndex")), QStringLiteral("1"));
    EXPECT_EQ(StoredValue(QStringLiteral("cbCSVDelim_Text")), QStringLiteral(";"));
    EXPECT_EQ(StoredValue(QStringLiteral("cpCell_SelectedColor")), QStringLiteral("clWhite"));
    EXPECT_EQ(StoredValue(QStringLiteral("cpCellFont_SelectedColor")), QStringLiteral("clBlack"));
    EXPECT_EQ(StoredValue(QStringLiteral("cpGrid_SelectedColor")), QStringLiteral("clGray"));
    EXPECT_EQ(StoredValue(QStringLiteral("cpHeader_SelectedColor")), QStringLiteral("12615680"));
}

// What a user wrote by hand is read as written, and what the program does
// not change it writes back as it was.
TEST_F(SettingsTest, HandWrittenValuesAreReadAsWrittenAndNamesAndOtherValuesKept)
{
    const QString otherDesktop = QStringLiteral("NormPos(3840x2160)");
    StoreText("; written by hand\n[wnd_qv_Main]\n" + otherDesktop.toUtf8() + "=10,20,30,40\n"
              "cbCSVDelim_Text=,\ncbCharset_Text=iso-8859-1, utf-8\n"
              "cpCell_SelectedColor=clWindow\ncpGrid_SelectedColor=clBtnFace\n"
              "[another window]\nx=1\n");
    Start();
    EXPECT_EQ(Find<QComboBox>("cbCSVDelim")->currentText(), QStringLiteral(","));
    EXPECT_EQ(Find<QComboBox>("cbCharset")->currentText(), QStringLiteral("iso-8859-1, utf-8"));
    EXPECT_EQ(Find<ui::TColorPicker>("cpCell")->Text(),
              QApplication::palette().color(QPalette::Base).name().toUpper()) << "the desktop's window colour";
    Find<ui::TColorPicker>("cpGrid")->SetText(QStringLiteral("#FF0000"));
    window->close();
    EXPECT_EQ(StoredValue(QStringLiteral("cbCSVDelim_Text")), QStringLiteral(","));
    EXPECT_EQ(StoredValue(QStringLiteral("cbCharset_Text")), QStringLiteral("iso-8859-1, utf-8"));
    EXPECT_EQ(StoredValue(QStringLiteral("cpCell_SelectedColor")), QStringLiteral("clWindow")) << "kept as a name";
    EXPECT_EQ(StoredValue(QStringLiteral("cpGrid_SelectedColor")), QStringLiteral("clRed")) << "changed by the user";
    EXPECT_EQ(StoredValue(otherDesktop), QStringLiteral("10,20,30,40")) << "another desktop's place stays";
    EXPECT_EQ(Stored().back().first, otherDesktop) << "after the values the program writes";
    EXPECT_TRUE(StoredText().startsWith("; written by hand\n"));
    EXPECT_TRUE(StoredText().endsWith("[another window]\nx=1\n"));
}

// A quote or a line break as the delimiter would make the CSV's quoting
// ambiguous: neither typing nor a hand-edited file can set one.
TEST_F(SettingsTest, AQuoteNeverBecomesTheDelimiter)
{
    StoreText("[wnd_qv_Main]\ncbCSVDelim_Text=\"\n");
    Start();
    auto *delimiter = Find<QComboBox>("cbCSVDelim");
    EXPECT_EQ(delimiter->currentText(), QStringLiteral(";"));
    Click("rgReportCSV");
    delimiter->lineEdit()->selectAll();
    QTest::keyClicks(delimiter->lineEdit(), QStringLiteral("\""));
    EXPECT_EQ(delimiter->currentText(), QStringLiteral(";"));
    delimiter->lineEdit()->selectAll();
    QTest::keyClicks(delimiter->lineEdit(), QStringLiteral(","));
    EXPECT_EQ(delimiter->currentText(), QStringLiteral(","));
}

TEST_F(SettingsTest, ChosenOptionsComeBackAtTheNextStart)
{
    Start();
    Click("rgReportCSV");
    Find<QComboBox>("cbCSVDelim")->setCurrentText(QStringLiteral(" "));
    Find<QComboBox>("cbCSVFormat")->setCurrentIndex(1);
    Find<ui::TColorPicker>("cpHeader")->SetText(QStringLiteral("#FF0000"));
    Click("cbxSubdirs");
    Restart();
    EXPECT_TRUE(Find<QAbstractButton>("rgReportCSV")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbCSVDelim")->currentText(), QStringLiteral(" ")) << "a blank, quoted in the file";
    EXPECT_EQ(Find<QComboBox>("cbCSVFormat")->currentText(), QStringLiteral("UTF8"));
    EXPECT_EQ(Find<QGroupBox>("gbLay")->title(), QStringLiteral("[CSV Options]"));
    EXPECT_EQ(Find<ui::TColorPicker>("cpHeader")->Text(), QStringLiteral("#FF0000"));
    EXPECT_TRUE(Find<QCheckBox>("cbxSubdirs")->isChecked());
    EXPECT_EQ(StoredValue(QStringLiteral("cpHeader_SelectedColor")), QStringLiteral("clRed"));
}

TEST_F(SettingsTest, BooleanTextsAndColoursAreReadLeniently)
{
    Store({{QStringLiteral("cbxClear_Checked"), QStringLiteral("no")},
           {QStringLiteral("cbxSubdirs_Checked"), QStringLiteral("yes")},
           {QStringLiteral("cbxListSLO_Checked"), QStringLiteral("Y")},
           {QStringLiteral("cbxDirs_Checked"), QStringLiteral("0")},
           {QStringLiteral("cbxFiles_Checked"), QStringLiteral("maybe")},
           {QStringLiteral("cpCell_SelectedColor"), QStringLiteral("12615680")},
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
    Store({{QStringLiteral("NormPos"), fits}, {QStringLiteral("PixelsPerInch"), QStringLiteral("96")}});
    Start();
    EXPECT_EQ(window->geometry().topLeft(), QPoint(screen.left() + 10, screen.top() + 20))
        << "no entry for this desktop size: the plain one is used";
    EXPECT_EQ(window->geometry().size(), QSize(720, 500));
    window.reset();

    Store({{QStringLiteral("NormPos") + DesktopSuffix(), QStringLiteral("9000,9000,9400,9300")}});
    Start();
    EXPECT_NE(window->geometry().topLeft(), QPoint(9000, 9000)) << "off every screen";
    window.reset();

    Store({{QStringLiteral("NormPos") + DesktopSuffix(), fits}, {QStringLiteral("PixelsPerInch"), QStringLiteral("144")}});
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
    StoreText(QByteArray("\x00\xff[wnd_qv_Main\ncbxClear_Checked=\"FALSE\n\x01\x02", 40));
    Start();
    EXPECT_TRUE(Find<QCheckBox>("cbxClear")->isChecked());
    window->close();
    EXPECT_EQ(StoredValue(QStringLiteral("cbxClear_Checked")), QStringLiteral("TRUE"));
    EXPECT_TRUE(QFile::exists(IniPath() + QStringLiteral(".damaged"))) << "the damaged file is kept";
}

TEST_F(SettingsTest, ASaveThatFailsSaysSoOnceAndTheWindowCloses)
{
    MakeFolder("config");
    MakeFile("config/Zelko", "a file where the folder should be");
    testing_support::TMessageCatcher messages;
    QStringList &shown = messages.Shown;
    Start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    window.reset();
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

namespace {

using app::TIniFile;

TEST(IniFile, ValuesThatNeedQuotesComeBackAsTheyWere)
{
    const QStringList texts{QStringLiteral(" "), QStringLiteral("\"quoted\""), QStringLiteral("two\nlines\r\tand\x01"),
                            QStringLiteral("back\\slash"), QStringLiteral(";"), QStringLiteral("a = b"), QString()};
    TIniFile file;
    std::vector<TIniFile::TValue> values;
    for (int i = 0; i < texts.size(); ++i)
        values.push_back({QStringLiteral("v%1").arg(i), texts[i]});
    file.SetSection(QStringLiteral("s"), values);
    const std::optional<TIniFile> read = TIniFile::Parse(file.Text());
    ASSERT_TRUE(read.has_value()) << file.Text().toStdString();
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(read->Value(QStringLiteral("s"), QStringLiteral("v%1").arg(i)), texts[i]) << i;
    EXPECT_EQ(file.Text().count('\n'), texts.size() + 1) << "one line each";
}

// Files of earlier versions, which QSettings wrote.
TEST(IniFile, ReadsWhatQSettingsWrote)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.ini"));
    {
        QSettings old(path, QSettings::IniFormat);
        old.setValue(QStringLiteral("wnd_qv_Main/NormPos(1600x1000)"), QStringLiteral("10,20,770,640"));
        old.setValue(QStringLiteral("wnd_qv_Main/cbCSVDelim_Text"), QStringLiteral(","));
        old.setValue(QStringLiteral("wnd_qv_Main/cbCharset_Text"), QStringLiteral(" utf-8;x"));
        old.setValue(QStringLiteral("wnd_qv_Main/ShowCmd"), 3);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<TIniFile> read = TIniFile::Parse(file.readAll());
    ASSERT_TRUE(read.has_value());
    const QString section = QStringLiteral("wnd_qv_Main");
    EXPECT_EQ(read->Value(section, QStringLiteral("NormPos(1600x1000)")), QStringLiteral("10,20,770,640"));
    EXPECT_EQ(read->Value(section, QStringLiteral("cbCSVDelim_Text")), QStringLiteral(","));
    EXPECT_EQ(read->Value(section, QStringLiteral("cbCharset_Text")), QStringLiteral(" utf-8;x"));
    EXPECT_EQ(read->Value(section, QStringLiteral("ShowCmd")), QStringLiteral("3"));
}

TEST(IniFile, WhatIsNoSettingsFileIsRefused)
{
    EXPECT_TRUE(TIniFile::Parse("; nothing yet\n\n[s]\nname = value \n").has_value());
    EXPECT_FALSE(TIniFile::Parse(QByteArray("[s]\nname=a\0b\n", 12)).has_value()) << "a NUL byte";
    EXPECT_FALSE(TIniFile::Parse("[s]\nname=\xff\xfe\n").has_value()) << "not UTF-8";
    EXPECT_FALSE(TIniFile::Parse("[s\nname=value\n").has_value()) << "an open section";
    EXPECT_FALSE(TIniFile::Parse("[s]\njust words\n").has_value()) << "a line without a value";
    EXPECT_EQ(TIniFile::Parse("[s]\nname = value \n")->Value(QStringLiteral("s"), QStringLiteral("name")),
              QStringLiteral("value"));
}

} // namespace
