#include "PdfText.h"
#include "WindowFixture.h"

#include "app/Application.h"
#include "listing/ReportColumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QFileDialog>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <csignal>
#include <deque>
#include <sys/resource.h>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace app;
using testing_support::HasPdfToText;
using testing_support::PdfText;

namespace {

// Listings started through the real window, over a temporary tree.
class ListingWindowTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("top");
        MakeFolder("top/sub");
        MakeFolder("top/Sub2");
        for (int i = 0; i < Files; ++i)
            MakeFile("top/f" + std::to_string(i) + ".txt", std::string(size_t(i), 'x'));
        MakeFile("top/sub/archive.tar.gz", "gz");
        StartWindow(Root() + QStringLiteral("top"));
    }
    QTreeView *List() const { return Find<QTreeView>("List"); }
    QString Cell(int row, int column) const { return List()->model()->index(row, column).data().toString(); }
    QString Status() const { return Find<QLabel>("sb")->text(); }
    QByteArray Read(const char *name)
    {
        QFile file(QString::fromStdString(Abs(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // The next prints go to this PDF file.
    void PrintToPdf(const char *name)
    {
        printDialog = [pdf = QString::fromStdString(Abs(name))](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
    }
    static constexpr int Files = 40;
    static constexpr int AllEntries = Files + 3;  // with sub, Sub2 and the archive inside sub
};

TEST_F(ListingWindowTest, StopLeavesExactlyTheCountedEntries)
{
    QString caption;
    QTimer::singleShot(0, window.get(), [&] {
        caption = Find<QPushButton>("bList")->text();
        Click("bList");  // STOP, from inside the running listing
    });
    Click("cbxSubdirs");
    Click("bList");
    EXPECT_EQ(caption, QStringLiteral("STOP"));
    EXPECT_EQ(Find<QPushButton>("bList")->text(), QStringLiteral("Start"));
    EXPECT_EQ(Page(), pgList);
    const int rows = List()->model()->rowCount();
    EXPECT_LT(rows, AllEntries);
    EXPECT_EQ(Status(), QStringLiteral("Dirs: %1   Files: %2").arg(rows > 1 ? 1 : 0).arg(rows > 1 ? rows - 1 : rows))
        << "the counts are the rows: one folder comes first, the rest are files";
}

TEST_F(ListingWindowTest, CountsGrowWithoutClearingAndRestartWithIt)
{
    Click("cbxClear");
    Press(Qt::Key_L);
    Press(Qt::Key_L);
    EXPECT_EQ(Status(), QStringLiteral("Dirs: 4   Files: 80"));
    EXPECT_EQ(List()->model()->rowCount(), 84);
    Click("Button2");
    Click("cbxClear");
    Click("cbxDirs");
    Click("bList");
    EXPECT_EQ(Status(), QStringLiteral("Dirs: 0   Files: 40"));
}

TEST_F(ListingWindowTest, TheListShowsFoldersFirstThenFilesByFullName)
{
    Click("cbxSubdirs");
    Click("bList");
    const QString top = Root() + QStringLiteral("top/");
    ASSERT_EQ(List()->model()->rowCount(), AllEntries);
    EXPECT_EQ(Cell(0, 0), top + QStringLiteral("Sub2"));
    EXPECT_EQ(Cell(1, 0), top + QStringLiteral("sub"));
    EXPECT_EQ(Cell(1, 3), QStringLiteral("<DIR>   "));
    EXPECT_EQ(Cell(2, 0), top + QStringLiteral("f0.txt"));
    const int last = AllEntries - 1;
    EXPECT_EQ(Cell(last, 0), top + QStringLiteral("sub/archive.tar.gz"));
    EXPECT_EQ(Cell(last, 1), QStringLiteral("archive.tar"));
    EXPECT_EQ(Cell(last, 2), QStringLiteral("gz"));
    EXPECT_EQ(Cell(last, 3), QStringLiteral("2 b"));
    EXPECT_EQ(Cell(last, 5).size(), 16);
    EXPECT_EQ(List()->currentIndex().row(), 0);
    QTest::keyClicks(List(), QStringLiteral("ARCH"));
    EXPECT_EQ(List()->currentIndex().row(), last) << "typing a name in either case";
    Press(Qt::Key_L);
    EXPECT_EQ(List()->currentIndex().row(), 0) << "a list built anew starts at its first row";
}

TEST_F(ListingWindowTest, TheFullNameTakesTheWidthTheOtherColumnsLeave)
{
    Press(Qt::Key_L);
    QHeaderView *header = List()->header();
    const int attr = header->sectionSize(listing::rcAttributes);
    auto fitsExactly = [&] { return header->length() == List()->viewport()->width(); };
    window->resize(window->width() + 300, window->height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(fitsExactly()) << header->length() << " in " << List()->viewport()->width();
    EXPECT_EQ(header->sectionSize(listing::rcAttributes), attr) << "the last column keeps its width";
    const int wide = header->sectionSize(listing::rcPath);
    header->resizeSection(listing::rcName, header->sectionSize(listing::rcName) + 40);
    EXPECT_EQ(header->sectionSize(listing::rcPath), wide - 40) << "a wider column takes from the full name";
    EXPECT_TRUE(fitsExactly());
    header->resizeSection(listing::rcPath, wide + 100);
    EXPECT_EQ(header->sectionSize(listing::rcPath), wide + 100) << "the full name itself may be resized";
}

TEST_F(ListingWindowTest, SaveWritesTheFileTypeChosenInItsEncoding)
{
    Press(Qt::Key_L);
    Click("rgReportCSV");
    int type = 1;
    const char *name = "wide.csv";
    saveDialog = [&](int &fileType, QString &fileName) {
        fileType = type;
        fileName = QString::fromStdString(Abs(name));
        return true;
    };
    auto *format = Find<QComboBox>("cbCSVFormat");
    QTest::keyClick(format, Qt::Key_Down);
    QTest::keyClick(format, Qt::Key_Down);  // "UNICODE"
    Press(Qt::Key_S);
    const QByteArray wide = Read("wide.csv");
    EXPECT_TRUE(wide.startsWith(QByteArray("\xFF\xFEN\x00", 4)));
    EXPECT_TRUE(wide.endsWith(QByteArray("\r\x00\n\x00", 4)));

    type = 2;
    name = "page.htm";
    Press(Qt::Key_S);
    EXPECT_TRUE(Read("page.html").startsWith("\xEF\xBB\xBF<html>\r\n")) << "the file type decides";
    type = 3;
    name = "x";
    Press(Qt::Key_S);
    EXPECT_TRUE(Read("x.xml").startsWith("\xEF\xBB\xBF<html>\r\n")) << "the report built last";
    saveDialog = nullptr;
    Press(Qt::Key_S);
    EXPECT_EQ(saveDialogs, 4) << "a cancelled dialog writes nothing";
}

// The program's own save dialog and question, driven as a user would: each
// step acts on the next modal dialog box once it is shown.
class RealSaveDialogTest : public ListingWindowTest {
protected:
    void SetUp() override
    {
        realSaveDialogs = true;
        ListingWindowTest::SetUp();
    }
    using TStep = std::function<void(QWidget *dialog)>;
    void Expect(std::vector<TStep> steps)
    {
        fSteps = std::deque<TStep>(steps.begin(), steps.end());
        if (fPoll)
            return;
        // A dialog box beyond the steps is an unexpected question: it is
        // counted and answered Yes, so that a test fails instead of hanging.
        fPoll = new QTimer(window.get());
        QObject::connect(fPoll, &QTimer::timeout, fPoll, [this] {
            // Marked on the dialog itself: the next one may well be made
            // where the last one was freed, and look like it by address.
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible())
                return;
            if (dialog->property(HandledMark).toBool()) {
                // A step that did not close its dialog box fails the test
                // instead of leaving it waiting for ever.
                if (fSinceHandled.elapsed() > 10000) {
                    ADD_FAILURE() << "a dialog box stayed open after its step";
                    if (auto *box = qobject_cast<QDialog *>(dialog))
                        box->reject();
                }
                return;
            }
            dialog->setProperty(HandledMark, true);
            fSinceHandled.start();
            TStep step = fSteps.empty() ? Answer(QMessageBox::Yes) : std::move(fSteps.front());
            if (!fSteps.empty())
                fSteps.pop_front();
            // Acting may open the next dialog box inside this call; the
            // poll must be free to see it.
            QTimer::singleShot(0, dialog, [step, dialog] { step(dialog); });
        });
        fPoll->start(20);
    }
    // Types Name into the save dialog with the file type Filter and accepts.
    static TStep SaveAs(const QString &name, int filter)
    {
        return [name, filter](QWidget *dialog) {
            if (!qobject_cast<QFileDialog *>(dialog)) {
                ADD_FAILURE() << "the save dialog expected";
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->setCurrentIndex(filter);
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            // The name's completions may pop up meanwhile (a window of its
            // own on a desktop) and would take a Return: Save is clicked.
            if (edit->completer() && edit->completer()->popup())
                edit->completer()->popup()->hide();
            auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
        };
    }
    TStep Answer(QMessageBox::StandardButton button)
    {
        return [this, button](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (!box) {
                ADD_FAILURE() << "a question expected";
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            questions.append(box->text());
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        };
    }
    static TStep Cancel()
    {
        return [](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); };
    }

    QStringList questions;

private:
    static constexpr const char *HandledMark = "tamarelTestHandled";
    std::deque<TStep> fSteps;
    QElapsedTimer fSinceHandled;
    QTimer *fPoll = nullptr;
};

TEST_F(RealSaveDialogTest, TheQuestionIsAboutTheFileReallyWrittenAndAskedOnce)
{
    MakeFile("list.csv", "old");
    Press(Qt::Key_L);
    Click("rgReportCSV");
    const QString typed = QString::fromStdString(Abs("list.txt"));
    Expect({SaveAs(typed, 0), Answer(QMessageBox::No), Cancel()});
    Press(Qt::Key_S);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QString::fromStdString(Abs("list.csv")))) << questions[0].toStdString();
    EXPECT_EQ(Read("list.csv"), QByteArray("old")) << "No keeps the file";
    EXPECT_FALSE(QFile::exists(typed));

    questions.clear();
    window->activateWindow();  // as a window manager does once a dialog box is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Expect({SaveAs(QString::fromStdString(Abs("list.csv")), 0), Answer(QMessageBox::Yes)});
    Press(Qt::Key_S);
    EXPECT_EQ(questions.size(), 1) << "once, not by the dialog and again by the window";
    EXPECT_TRUE(Read("list.csv").startsWith("Name;Size;")) << "Yes replaces it";
}

// Under a file-size limit the save fails at the limit: the window says so
// with the system's reason, the old file stays, no temporary file is left.
TEST_F(ListingWindowTest, ASaveBeyondTheFileSizeLimitSaysWhyAndKeepsTheOldFile)
{
    MakeFile("list.csv", "old");
    Press(Qt::Key_L);
    Click("rgReportCSV");
    const QStringList before = QDir(Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    testing_support::TMessageCatcher messages;
    QStringList &shown = messages.Shown;
    rlimit unlimited {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    saveDialog = [&](int &type, QString &name) {
        type = 1;
        name = QString::fromStdString(Abs("list.csv"));
        const rlimit small{1024, unlimited.rlim_max};  // the report is about 3 KB
        setrlimit(RLIMIT_FSIZE, &small);
        return true;
    };
    Press(Qt::Key_S);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QStringLiteral("Cannot create file \"%1\". File too large").arg(QString::fromStdString(Abs("list.csv"))));
    EXPECT_EQ(Read("list.csv"), QByteArray("old"));
    EXPECT_EQ(QDir(Root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

// The program itself, not only this test, lives through a write beyond the
// limit: it ignores the signal that would end it.
TEST(WindowProgram, IgnoresTheFileSizeSignal)
{
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    program.setProcessEnvironment(environment);
    // An ignored signal stays ignored across exec, and this test process
    // ignores it: the program must start with it at its default.
    program.setChildProcessModifier([] { std::signal(SIGXFSZ, SIG_DFL); });
    program.start(QStringLiteral(TAMAREL_WINDOW_BINARY), {home.path()});
    ASSERT_TRUE(program.waitForStarted());
    // Once the process runs threads of its own, main has set up its signals.
    const QString status = QStringLiteral("/proc/%1/status").arg(program.processId());
    QString text;
    for (int tries = 0; tries < 200; ++tries) {
        QFile file(status);
        text = file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
        if (QRegularExpression(QStringLiteral("Threads:\\s*([2-9]|[1-9][0-9])")).match(text).hasMatch())
            break;
        QTest::qWait(25);
    }
    program.kill();
    program.waitForFinished();
    const QRegularExpressionMatch ignored = QRegularExpression(QStringLiteral("SigIgn:\\s*([0-9a-f]+)")).match(text);
    ASSERT_TRUE(ignored.hasMatch()) << text.toStdString();
    EXPECT_TRUE(ignored.captured(1).toULongLong(nullptr, 16) & (1ULL << (SIGXFSZ - 1)));
}

TEST_F(ListingWindowTest, PrintingTheCsvPreviewGivesItsText)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    Press(Qt::Key_L);
    Click("rgReportCSV");
    Click("bPreview");
    PrintToPdf("print.pdf");
    Click("Button1");
    const QString printed = PdfText(QString::fromStdString(Abs("print.pdf")), {QStringLiteral("-layout")});
    EXPECT_TRUE(printed.contains(QStringLiteral("Name;Size;Modified;Attributes")));
    EXPECT_TRUE(printed.contains(Root() + QStringLiteral("top/f39.txt;39;")));
}

// The HTML print is text, not pictures of pages: its names can be found in
// the PDF; a name too long for its cell wraps inside the page instead of
// being cut at its right edge; every page has its header and footer.
TEST_F(ListingWindowTest, PrintingTheHtmlPreviewGivesTextThatFitsThePageWithHeaderAndFooter)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    QString longName;
    for (int i = 0; i < 15; ++i)
        longName += QStringLiteral("0123456789");
    longName += QStringLiteral(".txt");
    MakeFile("top/" + longName.toStdString(), "x");
    MakeFile("top/profile.txt", "fi, a ligature in some fonts");
    Press(Qt::Key_L);
    Click("bPreview");
    PrintToPdf("page.pdf");
    Click("Button1");
    const QString pdf = QString::fromStdString(Abs("page.pdf"));

    // In drawing order, a cell's lines follow each other.
    QString drawn = PdfText(pdf, {QStringLiteral("-raw")});
    EXPECT_TRUE(drawn.contains(Root() + QStringLiteral("top/f39.txt")));
    EXPECT_TRUE(drawn.contains(Root() + QStringLiteral("top/profile.txt")));
    EXPECT_TRUE(drawn.contains(QStringLiteral("Page 1 of ")));
    EXPECT_TRUE(drawn.contains(QStringLiteral("Size[KB]")));
    EXPECT_TRUE(drawn.contains(QStringLiteral("file:///"))) << "the address in the footer";
    EXPECT_TRUE(drawn.contains(QString::number(QDate::currentDate().year()))) << "the date in the footer";
    drawn.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(drawn.contains(Root().remove(QRegularExpression(QStringLiteral("\\s"))) + QStringLiteral("top/") + longName))
        << "the long name, wrapped, in full";

    // Every word lies on its page.
    const QString boxes = PdfText(pdf, {QStringLiteral("-bbox")});
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\"")).match(boxes);
    ASSERT_TRUE(page.hasMatch());
    const double width = page.captured(1).toDouble();
    int words = 0;
    QRegularExpressionMatchIterator word =
        QRegularExpression(QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"[-0-9.]+\" xMax=\"([-0-9.]+)\"")).globalMatch(boxes);
    while (word.hasNext()) {
        const QRegularExpressionMatch w = word.next();
        ++words;
        EXPECT_GE(w.captured(1).toDouble(), 0.0);
        EXPECT_LE(w.captured(2).toDouble(), width);
    }
    EXPECT_GT(words, AllEntries);
}

TEST_F(ListingWindowTest, ASecondPrintWaitsForTheFirstAndPrintsTheSame)
{
    if (!HasPdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    Press(Qt::Key_L);
    Click("bPreview");
    int prints = 0;
    printDialog = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(Abs(++prints == 1 ? "first.pdf" : "second.pdf")));
        if (prints == 1)
            QTimer::singleShot(0, window.get(), [this] { Press(Qt::Key_P); });  // while the first runs
        return true;
    };
    Click("Button1");
    QTest::qWait(100);
    EXPECT_EQ(prints, 2);
    for (const char *name : {"first.pdf", "second.pdf"})
        EXPECT_TRUE(PdfText(QString::fromStdString(Abs(name)), {}).contains(QStringLiteral("f39.txt"))) << name;
}

// Closing while a listing runs must neither pull the window from under the
// listing nor let the listing run to its end: it stops, unwinds, and then
// the window closes.
TEST_F(ListingWindowTest, ClosingDuringAListingStopsItAndThenCloses)
{
    bool visibleAfterClose = false;
    QTimer::singleShot(0, window.get(), [&] {
        Choose("mmExit");
        visibleAfterClose = window->isVisible();
    });
    Click("cbxSubdirs");
    Click("bList");
    EXPECT_TRUE(visibleAfterClose) << "the window waits for the listing to unwind";
    EXPECT_LT(List()->model()->rowCount(), AllEntries) << "the listing stopped";
    EXPECT_EQ(Find<QPushButton>("bList")->text(), QStringLiteral("Start"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

// Gigabytes of sparse file are read from memory.
class HugeFileWindowTest : public ListingWindowTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
};

TEST_F(HugeFileWindowTest, StopIsHonouredInsideAHugeFile)
{
    MakeSparseWithTail("top/huge.txt", 8LL << 30, "needle");
    QTest::keyClicks(Find<QLineEdit>("eText"), QStringLiteral("needle"));
    QString captionWhileReading;
    QTimer::singleShot(100, window.get(), [&] {
        captionWhileReading = Find<QPushButton>("bList")->text();
        Click("bList");
    });
    Click("bList");  // the listing runs inside the click
    EXPECT_EQ(captionWhileReading, QStringLiteral("STOP"));
    EXPECT_EQ(List()->model()->rowCount(), 0) << "huge.txt holds the phrase only at its very end";
    EXPECT_EQ(Find<QPushButton>("bList")->text(), QStringLiteral("Start"));
}

} // namespace
