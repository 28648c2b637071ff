// Print from the Preview page as a user meets it, into PDF files: what the
// window says when the file cannot be written or the printer cannot start,
// and a long print's progress dialog, whose Cancel (like closing the
// window) stops it and leaves the file that was there.

#include "PdfText.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <numeric>
#include <sys/resource.h>

using namespace app;

namespace {

class PrintWindowTest : public testing_support::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        MakeFolder("top");
        MakeFolder("out");
        for (int i = 0; i < Files(); ++i)
            MakeFile("top/f" + std::to_string(100000 + i) + ".txt", "x");
        StartWindow(Root() + QStringLiteral("top"));
        Press(Qt::Key_L);
    }
    virtual int Files() const { return 40; }
    void Preview(const char *format)
    {
        if (Page() == pgPreview)
            Click("bBack2");
        Click(format);
        Click("bPreview");
    }
    QString Out(const char *name) const { return QString::fromStdString(Abs(std::string("out/") + name)); }
    QByteArray Read(const char *name) const
    {
        QFile file(Out(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList OutFolder() const
    {
        return QDir(Out("")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // The print dialog's answer: a PDF file named Path (empty: no file, so
    // the printer cannot start), and Also run then.
    void PrintTo(const QString &path, std::function<void()> also = nullptr)
    {
        printDialog = [path, also](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            if (also)
                also();
            return true;
        };
    }
    QString Status() const { return Find<QLabel>("sb")->text(); }
};

// The PDF is kept whole in a file of no name until the end, so a limit met
// anywhere (here in its last part) leaves the old file and no other.
TEST_F(PrintWindowTest, APdfBeyondTheFileSizeLimitSaysWhyAndKeepsTheOldFile)
{
    MakeFile("out/print.pdf", "old");
    testing_support::TMessageCatcher messages;
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    for (const char *format : {"rgReportHTML", "rgReportCSV"}) {
        Preview(format);
        PrintTo(Out("print.pdf"), [&] {
            const rlimit small{1024, unlimited.rlim_max};  // the PDF is about 10 KB
            setrlimit(RLIMIT_FSIZE, &small);
        });
        Click("Button1");
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(Read("print.pdf"), QByteArray("old")) << format;
        EXPECT_EQ(OutFolder(), QStringList{QStringLiteral("print.pdf")}) << format;
    }
    EXPECT_EQ(messages.Shown, QStringList(2, QStringLiteral("Cannot create file \"%1\". File too large").arg(Out("print.pdf"))));

    PrintTo(Out("print.pdf"));
    Click("Button1");
    EXPECT_TRUE(Read("print.pdf").startsWith("%PDF")) << "without the limit the print replaces it";
    EXPECT_EQ(OutFolder(), QStringList{QStringLiteral("print.pdf")});
    if (testing_support::HasPdfToText()) {
        EXPECT_TRUE(testing_support::PdfText(Out("print.pdf")).contains(QStringLiteral("f100039.txt")));
    }
    EXPECT_EQ(messages.Shown.size(), 2);
}

TEST_F(PrintWindowTest, AFileThatCannotBeMadeOrAPrinterThatCannotStartSaysSo)
{
    testing_support::TMessageCatcher messages;
    for (const char *format : {"rgReportHTML", "rgReportCSV"}) {
        Preview(format);
        PrintTo(Out("no/such/folder/print.pdf"));
        Click("Button1");
        PrintTo(QString());
        Click("Button1");
    }
    const QString noFolder = QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(Out("no/such/folder/print.pdf"));
    const QString noPrinter = QStringLiteral("Cannot print. The printer could not be started.");
    EXPECT_EQ(messages.Shown, (QStringList{noFolder, noPrinter, noFolder, noPrinter}));
    EXPECT_TRUE(OutFolder().isEmpty());
}

// Enough rows that the print takes seconds, and its progress dialog shows.
class LongPrintWindowTest : public PrintWindowTest {
protected:
    std::string TreeBase() const override { return MemoryTreeBase(); }
    int Files() const override { return 4000; }
    // Clicks the progress dialog's Cancel as soon as it shows; its label
    // then goes to Label.
    void CancelOnceShown(QString &label)
    {
        auto *poll = new QTimer(window.get());
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, &label] {
            auto *dialog = window->findChild<QProgressDialog *>(QStringLiteral("PrintProgress"));
            if (!dialog || !dialog->isVisible())
                return;
            label = dialog->labelText();
            QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
            poll->deleteLater();
        });
        poll->start(20);
    }
};

TEST_F(LongPrintWindowTest, CancelStopsThePrintAndKeepsTheOldFile)
{
    MakeFile("out/print.pdf", "old");
    testing_support::TMessageCatcher messages;
    Preview("rgReportHTML");
    QString label;
    PrintTo(Out("print.pdf"), [&] { CancelOnceShown(label); });
    Click("Button1");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^(Counting pages\\.\\.\\.|Printing page \\d+ of \\d+)$")).match(label).hasMatch())
        << label.toStdString();
    EXPECT_EQ(Read("print.pdf"), QByteArray("old"));
    EXPECT_EQ(OutFolder(), QStringList{QStringLiteral("print.pdf")});
    EXPECT_EQ(Status(), QStringLiteral("Printing cancelled"));
    EXPECT_TRUE(messages.Shown.isEmpty());
}

// More rows than are laid out at a time: the runs' pages follow each other
// as one document's would.
TEST_F(LongPrintWindowTest, ALargeReportPrintsEveryRowOnceOnPagesNumberedOfAll)
{
    if (!testing_support::HasPdfToText())
        GTEST_SKIP() << "pdftotext is not installed";
    Preview("rgReportHTML");
    PrintTo(Out("print.pdf"));
    Click("Button1");
    QStringList pages = testing_support::PdfText(Out("print.pdf")).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GT(pages.size(), 20);
    QList<int> rows;
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p + 1;
        QRegularExpressionMatchIterator row = QRegularExpression(QStringLiteral("/f(1\\d{5})\\.txt")).globalMatch(pages[p]);
        while (row.hasNext())
            rows.append(row.next().captured(1).toInt() - 100000);
    }
    QList<int> expected(Files());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(rows, expected) << "every row once, in order";
}

// Closing cannot pull the window from under a print that runs inside a
// handler: the print stops, unwinds, and then the window closes.
TEST_F(LongPrintWindowTest, ClosingDuringAPrintStopsItAndThenCloses)
{
    Preview("rgReportHTML");
    bool visibleAfterClose = false;
    PrintTo(Out("print.pdf"), [&] {
        QTimer::singleShot(0, window.get(), [&] {
            Choose("mmExit");
            visibleAfterClose = window->isVisible();
        });
    });
    Click("Button1");
    EXPECT_TRUE(visibleAfterClose) << "the window waits for the print to unwind";
    EXPECT_FALSE(QFile::exists(Out("print.pdf")));
    EXPECT_TRUE(OutFolder().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
