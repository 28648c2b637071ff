#include "cli/ListCommand.h"

#include "explorer/FieldFormat.h"
#include "explorer/FolderScanner.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingController.h"
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

// Shows "Dirs: N   Files: M" over itself on a terminal. Its pace spans all
// the folders of a command, one listing after the other.
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

} // namespace

TListCommand::TListCommand(const TCommandLine &commandLine, FILE *out, FILE *progress)
    : fCommandLine(commandLine), fOut(out), fProgress(progress)
{
}

void TListCommand::RequestStop()
{
    stopRequested = 1;
}

int TListCommand::Run(FILE *errors)
{
    const TCommandLine &c = fCommandLine;
    for (const QString &folder : c.Folders) {
        if (!platform::IsExistingFolder(platform::MakeAbsolutePath(folder))) {
            std::fprintf(errors, "tamarel-list: %s is not a folder\n",
                         platform::EncodeFileName(folder).c_str());
            return ecUsage;
        }
    }

    const explorer::TRegionalFormats formats = explorer::TRegionalFormats::FromSystem();
    listing::TListingController listing(formats);
    TProgress progress(fProgress);
    QObject::connect(&listing, &listing::TListingController::Progress,
                     [&] { progress.Show(listing.StatusText()); });
    listing.StopRequested = [] { return stopRequested != 0; };

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
        listing.BuildList(explorerList.Location, explorerList, options);
        lastFolder = explorerList.Location;
    }
    progress.Show(listing.StatusText(), true);
    progress.End();

    listing::TReportOptions report = c.Report;
    if (!c.TitleGiven)
        report.Layout.Title = lastFolder;  // the window sets the title at each listing
    if (c.Output.isEmpty()) {
        listing.WriteReport(report, [this](const QString &line) {
            const QByteArray bytes = platform::ReplaceEscapedBytes(line).toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), fOut);
            std::fputc('\n', fOut);
        });
        std::fflush(fOut);
        return ecSuccess;
    }
    try {
        listing.SaveWithoutKeeping(c.Output, report.Format == listing::rfCSV ? listing::rftCsv : listing::rftHtml,
                                   report);
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
    TCommandLine command;
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
    std::signal(SIGINT, [](int) { TListCommand::RequestStop(); });
    FILE *progress = (!command.Quiet && isatty(fileno(stderr))) ? stderr : nullptr;
    return TListCommand(command, stdout, progress).Run(stderr);
}

} // namespace cli
