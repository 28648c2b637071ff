// The Preview page as a user meets it: the CSV report in the text viewer,
// driven by keys, clicks, drags and the wheel; the HTML report in the
// browser view, and what the page says when that view cannot show it.

#include "WindowFixture.h"

#include "ui/HtmlView.h"
#include "ui/TextViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <csignal>

#ifdef TAMAREL_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

using namespace app;

namespace {

class PreviewPageTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("top");
        for (int i = 0; i < Files; ++i)
            MakeFile("top/f" + std::to_string(100 + i) + ".txt", "x");
        // The last line of the report, far wider than the view.
        MakeFile("top/" + std::string(200, 'w') + ".txt");
        // The first file, shown on two lines.
        MakeFile("top/a\nb.txt");
        StartWindow(Root() + QStringLiteral("top"));
        Press(Qt::Key_L);
        Click("rgReportCSV");
        Click("bPreview");
        memo = Find<ui::TTextViewer>("Memo");
        memo->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(memo, Qt::Key(key), modifiers);
    }
    ui::TTextPosition Caret() const { return memo->CaretPosition(); }
    QString Line(int line) const { return memo->Lines().at(line); }
    QString Copied() const { return QGuiApplication::clipboard()->text(); }
    // The rows of the view painted in the caret line's yellow, sampled at
    // X: where the caret line is on the screen.
    std::vector<int> YellowRows(int x = 300) const
    {
        const QImage image = memo->viewport()->grab().toImage();
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == QColor(Qt::yellow))
                rows.push_back(y);
        return rows;
    }
    QPoint AtLine(int visibleLine, int x = 2) const
    {
        const int height = memo->fontMetrics().lineSpacing();
        return QPoint(x, TopLine + visibleLine * height + height / 2);
    }

    static constexpr int Files = 120;
    static constexpr int Lines = Files + 4;  // the header, a name on two lines, the wide name
    static constexpr int TopLine = 4;         // where the first line begins: a margin
    ui::TTextViewer *memo = nullptr;
};

TEST_F(PreviewPageTest, TheReportShowsNumberedWithTheCaretLineMarked)
{
    ASSERT_EQ(memo->LineCount(), Lines);
    EXPECT_EQ(Line(0), QStringLiteral("Name;Size;Modified;Attributes"));
    EXPECT_EQ(Line(1), QLatin1Char('"') + Root() + QStringLiteral("top/a")) << "a name's line break breaks the line";
    EXPECT_TRUE(Line(2).startsWith(QStringLiteral("b.txt\";0;")));
    EXPECT_TRUE(Line(Lines - 1).startsWith(Root() + QStringLiteral("top/www")));

    const std::vector<int> first = YellowRows();
    ASSERT_FALSE(first.empty()) << "the caret's line is yellow";
    Key(Qt::Key_Down);
    const std::vector<int> second = YellowRows();
    ASSERT_EQ(second.size(), first.size());
    EXPECT_EQ(second.front(), first.back() + 1) << "the mark moves down a line with the caret";

    // The gutter holds numbers: ink on its background.
    QWidget *gutter = memo->childAt(1, memo->height() / 2);
    ASSERT_NE(gutter, nullptr);
    const QImage image = gutter->grab().toImage();
    const QColor background = image.pixelColor(0, 0);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixelColor(x, y) != background;
    EXPECT_GT(ink, 20);
}

// A character the viewer's font lacks comes from another font, whose taller
// ascent must not push its line's text below the line's number.
TEST(TextViewerLines, TextFromAFallbackFontSitsOnTheSameBaseline)
{
    ui::TTextViewer viewer;
    viewer.resize(300, 120);
    const QString replaced = QStringLiteral("xx") + QChar(0xFFFD) + QChar(0xFFFD);
    // The first line is the caret's, painted yellow.
    viewer.SetLines({QString(), QStringLiteral("xx"), replaced});
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    const QImage image = viewer.viewport()->grab().toImage();
    const int height = viewer.fontMetrics().lineSpacing();
    const QColor background = image.pixelColor(image.width() - 1, image.height() - 1);
    // The lowest inked row of the first letter, from its line's top.
    const auto bottomOfX = [&](int line) {
        int lowest = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < 6 + viewer.fontMetrics().horizontalAdvance(QLatin1Char('x')); ++x)
                if (image.pixelColor(x, 4 + line * height + y) != background)
                    lowest = y;
        return lowest;
    };
    ASSERT_GE(bottomOfX(1), 0);
    EXPECT_EQ(bottomOfX(2), bottomOfX(1));
}

TEST_F(PreviewPageTest, KeysMoveTheCaretAsInAnyReadOnlyTextView)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(Caret().Column, 2);
    Key(Qt::Key_End);
    EXPECT_EQ(Caret().Column, Line(0).size());
    Key(Qt::Key_Right);
    EXPECT_EQ(Caret(), (ui::TTextPosition{1, 0})) << "past a line's end is the next line's start";
    Key(Qt::Key_Left);
    EXPECT_EQ(Caret(), (ui::TTextPosition{0, int(Line(0).size())}));
    Key(Qt::Key_Home);
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (ui::TTextPosition{0, 5})) << "Ctrl+Right: the next word, Size";

    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Caret(), (ui::TTextPosition{Lines - 1, int(Line(Lines - 1).size())}));
    EXPECT_GT(memo->FirstVisibleLine(), 0);
    EXPECT_GT(memo->horizontalScrollBar()->value(), 0) << "the end of the wide line is in view";
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Caret(), ui::TTextPosition());
    EXPECT_EQ(memo->FirstVisibleLine(), 0);
    EXPECT_EQ(memo->horizontalScrollBar()->value(), 0);

    Key(Qt::Key_PageDown);
    const int page = Caret().Line;
    EXPECT_GT(page, 10);
    EXPECT_EQ(memo->FirstVisibleLine(), page) << "the view turns a page with the caret";
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Caret().Line, 2 * page);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Caret().Line, page);
    Key(Qt::Key_Up);
    EXPECT_EQ(Caret().Line, page - 1);
    EXPECT_EQ(memo->FirstVisibleLine(), page - 1) << "the caret never leaves the view";
}

TEST_F(PreviewPageTest, ShiftOrTheMouseSelectsAndCtrlCCopies)
{
    Key(Qt::Key_End, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Copied(), Line(0));
    Key(Qt::Key_Home);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Copied(), Line(0) + QLatin1Char('\n') + Line(1) + QLatin1Char('\n'));
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Copied(), memo->Lines().join(QLatin1Char('\n')));
    Key(Qt::Key_Home, Qt::ControlModifier);

    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, AtLine(3));
    EXPECT_EQ(Caret(), (ui::TTextPosition{3, 0}));
    EXPECT_TRUE(memo->SelectedText().isEmpty());
    const std::vector<int> yellow = YellowRows();
    ASSERT_FALSE(yellow.empty());
    EXPECT_TRUE(yellow.front() <= AtLine(3).y() && AtLine(3).y() <= yellow.back()) << "the line clicked is marked";
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, Qt::ShiftModifier, AtLine(5));
    EXPECT_EQ(memo->SelectedText(), Line(3) + QLatin1Char('\n') + Line(4) + QLatin1Char('\n'));

    QTest::mousePress(memo->viewport(), Qt::LeftButton, Qt::NoModifier, AtLine(1));
    QTest::mouseMove(memo->viewport(), AtLine(2, 30));
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::NoModifier, AtLine(2, 30));
    EXPECT_EQ(Caret().Line, 2);
    EXPECT_TRUE(memo->SelectedText().startsWith(Line(1) + QLatin1Char('\n'))) << "a drag selects";

    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, AtLine(0, 6));
    EXPECT_EQ(memo->SelectedText(), QStringLiteral("Name"));

    // Held below the view, a drag goes on selecting the lines out of view.
    QTest::mousePress(memo->viewport(), Qt::LeftButton, Qt::NoModifier, AtLine(0));
    QTest::mouseMove(memo->viewport(), QPoint(2, memo->viewport()->height() + 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return memo->FirstVisibleLine() > 2; }, 5000));
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2, memo->viewport()->height() + 10));
    EXPECT_GT(Caret().Line, memo->FirstVisibleLine());
    EXPECT_EQ(memo->SelectedText().count(QLatin1Char('\n')), Caret().Line);
}

TEST_F(PreviewPageTest, TheWheelScrollsAndTheCaretStays)
{
    const QPoint middle = memo->viewport()->rect().center();
    QWheelEvent wheel(middle, memo->viewport()->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(memo->viewport(), &wheel);
    EXPECT_EQ(memo->FirstVisibleLine(), QApplication::wheelScrollLines());
    EXPECT_EQ(Caret(), ui::TTextPosition());
}

TEST_F(PreviewPageTest, TheWindowsShortcutsWorkFromTheViewer)
{
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saveDialogs, 1);
}

#ifdef TAMAREL_WITH_WEBENGINE
// The engine's process can end under the page (out of memory, killed);
// the page then says so instead of showing an empty view, and the next
// preview shows the report again.
TEST_F(PreviewPageTest, ABrowserViewWhoseEngineStopsSaysSo)
{
    Click("bBack2");
    Click("rgReportHTML");
    Click("bPreview");
    auto *view = Find<QWidget>("Browser")->findChild<QWebEngineView *>();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->page()->renderProcessPid() > 0; }, 20000));
    ::kill(pid_t(view->page()->renderProcessPid()), SIGKILL);
    auto *panel = Find<QLabel>("BrowserPanel");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 20000));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->text().contains(QStringLiteral("stopped"))) << panel->text().toStdString();

    Click("bBack2");
    Click("bPreview");
    EXPECT_TRUE(view->isVisible());
}
#endif

TEST_F(PreviewPageTest, APageThatCannotBeHandedToTheBrowserViewIsAnError)
{
    auto *browser = window->findChild<ui::THtmlView *>(QStringLiteral("Browser"));
    if (!browser)
        GTEST_SKIP() << "built without the browser view";
    Click("bBack2");
    Click("rgReportHTML");
    Click("bPreview");
    // The next page's file cannot be made: a folder has its name.
    const QString shown = browser->ShownFile();
    const QString next = QString(shown).replace(QStringLiteral("report-1."), QStringLiteral("report-2."));
    ASSERT_NE(next, shown);
    ASSERT_TRUE(QDir().mkdir(next));
    testing_support::TMessageCatcher messages;
    Click("bBack2");
    Click("bPreview");
    ASSERT_EQ(messages.Shown.size(), 1);
    EXPECT_TRUE(messages.Shown.front().startsWith(QStringLiteral("Cannot create file \"%1\".").arg(next)))
        << messages.Shown.front().toStdString();
}

} // namespace
