#include "cli/ListCommand.h"

#include "explorer/FieldFormat.h"
#include "explorer/FolderScanner.h"
#include "explorer/RegionalFormats.h"
#include "listing/CsvReport.h"
#include "listing/HtmlReport.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingOrder.h"
#include "platform/AbsolutePath.h"
#include "platform/FolderHandle.h"
#include "platform/NameCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

constexpr qint64 ProgressInterval = 100;  // milliseconds: ten redraws a second at most

// Shows "Dirs: N   Files: M" over itself on a terminal.
class TProgress {
public:
    explicit TProgress(FILE *out) : fOut(out) { fTimer.start(); }
    void Show(const QString &text, bool force = false)
    {
        if (!fOut || (!force && fShown && fTimer.elapsed() < ProgressInterval))
            return;
        std::fprintf(fOut, "\r%s", text.toLocal8Bit().constData());
        std::fflush(fOut);
        fShown = true;
        fTimer.restart();
    }
    void End()
    {
        if (fOut && fShown)
            std::fputc('\n', fOut);
    }

private:
    FILE *fOut;
    QElapsedTimer fTimer;
    bool fShown = false;
};

void WriteReport(const TListCommand &c, const listing::TReportSource &source,
                 const listing::THtmlLayout &layout, const listing::TLineSink &sink)
{
    if (c.Format == TReportFormat::Csv)
        listing::WriteCSV(sink, c.Delimiter, source);
    else
        listing::WriteHTML(sink, layout, source);
}

} // namespace

TListRun::TListRun(const TListCommand &command, FILE *out, FILE *progress)
    : fCommand(command), fOut(out), fProgress(progress)
{
}

void TListRun::RequestStop()
{
    stopRequested = 1;
}

int TListRun::Run(FILE *errors)
{
    const TListCommand &c = fCommand;
    for (const QString &folder : c.Folders) {
        if (!platform::IsExistingFolder(platform::MakeAbsolutePath(folder))) {
            std::fprintf(errors, "tamarel-list: %s is not a folder\n",
                         platform::EncodeFileName(folder).c_str());
            return ecUsage;
        }
    }

    const explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromSystem();
    explorer::TFileList list;
    listing::TListingBuilder builder(list);
    TProgress progress(fProgress);
    builder.OnHitKept = [&] {
        progress.Show(builder.StatusText());
        if (stopRequested)
            builder.Stop();
    };
    builder.OnFolderEntered = [&] {
        if (stopRequested)
            builder.Stop();
    };
    builder.OnProgress = builder.OnFolderEntered;  // also inside a long file

    listing::TListingOptions options = c.Listing;
    options.ClearPrevious = false;
    QString lastFolder;
    for (const QString &folder : c.Folders) {
        if (stopRequested)
            break;
        explorer::TFileList explorerList;
        explorer::TFolderScanner scanner(explorerList);
        scanner.ScanFolder(platform::MakeAbsolutePath(folder));
        for (explorer::TFileData &d : explorerList.FileData)
            if (c.Unticked.contains(d.Name) && d.ImageIndex != explorer::iiParent)
                d.Selected = false;
        builder.BuildList(explorerList.Location, explorerList, options);
        lastFolder = explorerList.Location;
    }
    progress.Show(builder.StatusText(), true);
    progress.End();

    listing::THtmlLayout layout = c.Layout;
    if (!c.TitleGiven)
        layout.Title = lastFolder;  // the window sets the title at each listing
    const std::vector<int> order = listing::ListingRowOrder(list, formats.Locale);
    const listing::TReportSource source{list, order, c.Columns, formats};

    if (c.Output.isEmpty()) {
        WriteReport(c, source, layout, [this](const QString &line) {
            const QByteArray bytes = platform::ReplaceEscapedBytes(line).toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), fOut);
            std::fputc('\n', fOut);
        });
        std::fflush(fOut);
        return ecSuccess;
    }
    const listing::TReportFileType type =
        c.Format == TReportFormat::Csv ? listing::rftCsv : listing::rftHtml;
    const QString fileName = listing::ReportFileName(c.Output, type);
    try {
        listing::TReportWriter writer(fileName, listing::EncodingFor(type, c.Encoding));
        WriteReport(c, source, layout, [&writer](const QString &line) { writer.WriteLine(line); });
        writer.Commit();
    } catch (const listing::ECreateFileError &e) {
        std::fprintf(errors, "tamarel-list: %s\n", e.what());
        return ecWriteFailed;
    }
    return ecSuccess;
}

int RunTamarelList(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Decoded as file names are, so a FOLDER whose name is not UTF-8 works.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(platform::DecodeFileName(argv[i], std::strlen(argv[i])));
    TListCommand command;
    QString error;
    if (!ParseCommandLine(arguments, command, error)) {
        std::fprintf(stderr, "tamarel-list: %s (see --help)\n", error.toLocal8Bit().constData());
        return ecUsage;
    }
    if (command.Help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return ecSuccess;
    }
    if (command.Version) {
        std::printf("tamarel-list %s\n", TAMAREL_VERSION);
        return ecSuccess;
    }
    std::signal(SIGINT, [](int) { TListRun::RequestStop(); });
    FILE *progress = (!command.Quiet && isatty(fileno(stderr))) ? stderr : nullptr;
    return TListRun(command, stdout, progress).Run(stderr);
}

} // namespace cli
