#include "cli/ListCommand.h"

#include "cli/HelpText.h"
#include "cli/Interruption.h"
#include "cli/StandardOutput.h"
#include "explorer/RegionalFormats.h"
#include "listing/ListingController.h"
#include "platform/AbsolutePath.h"
#include "platform/ErrorText.h"
#include "platform/NameCodec.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define TAMAREL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAMAREL_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef TAMAREL_ADDRESS_SANITIZER
#define TAMAREL_ADDRESS_SANITIZER 0
#endif

namespace cli {

namespace {

// Thrown from a report's line sink to leave the writer early: the output
// failed, or the user asked to stop.
struct TReportStopped {};

// The same bytes wherever the report goes: lines end with a line break (a
// NUL with -0), and only UTF-16 starts with a byte-order mark, which it
// needs. Paths keep the bytes of names that were not UTF-8, so that other
// programs can open them.
listing::TReportEncoder EncoderFor(const TCommandLine &c)
{
    const QString end = c.NulTerminated ? QString(QChar(0)) : QStringLiteral("\n");
    switch (c.Report.Format) {
    case listing::rfCSV: return listing::TReportEncoder(c.Report.Encoding, c.Report.Encoding == listing::teUnicode, end);
    case listing::rfPaths: return listing::TReportEncoder(listing::teFileNames, false, end);
    case listing::rfHTML:
    case listing::rfJSON: break;
    }
    return listing::TReportEncoder(listing::teUtf8, false, end);
}

// The report's bytes, in order, to Write; left by TReportStopped as soon as
// the user asks to stop.
void WriteEncodedReport(const listing::TListingController &listing, const listing::TReportOptions &report,
                        const listing::TReportEncoder &encoder, const listing::TByteSink &write)
{
    listing.WriteReport(
        report, [&encoder](QByteArray &bytes, const QString &line) { encoder.Append(bytes, line); },
        [&write](const QByteArray &bytes) {
            if (TInterruption::Requested())
                throw TReportStopped();
            write(bytes);
        });
}

// What the explorer would show of Folder, as far as a listing asks: the
// entries named to be left unticked. Every other entry counts as ticked,
// and a listing never looks for one that is not there, so the folder is
// read once, by the listing, and no record is kept twice.
explorer::TFileList UntickedMarks(const QString &folder, const QStringList &names)
{
    explorer::TFileList marks;
    marks.Location = platform::IncludeTrailingDelimiter(folder);
    for (const QString &name : names) {
        // No entry of a folder has such a name; a record with a "/" in it
        // would even stand for an entry further down.
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
            || name.contains(QLatin1Char('/')))
            continue;
        explorer::TFileData d;
        d.Location = marks.Location;
        d.Name = name;
        d.Selected = false;
        marks.FileData.push_back(d);
    }
    marks.Changed();
    return marks;
}

} // namespace

TListCommand::TListCommand(const TCommandLine &commandLine, int outFd, FILE *progress, FILE *errors)
    : fCommandLine(commandLine), fOutFd(outFd), fDiagnostics(progress, errors)
{
}

TListCommand::~TListCommand() = default;

bool TListCommand::ResolveFolders(QStringList &folders)
{
    for (const QString &folder : fCommandLine.Folders) {
        QString resolved;
        if (const int error = platform::ResolveFolderPath(folder, resolved)) {
            fDiagnostics.Warn(folder, platform::ErrorText(error));
            return false;
        }
        folders.append(resolved);
    }
    return true;
}

QString TListCommand::BuildListing(const QStringList &folders, listing::TListingController &listing)
{
    // The counts are made only as often as they can be shown.
    listing.SetProgressInterval(TDiagnostics::ProgressInterval);
    if (fDiagnostics.ShowsProgress())
        QObject::connect(&listing, &listing::TListingController::Progress,
                         [&] { fDiagnostics.ShowProgress(listing.StatusText()); });
    listing.StopRequested = [] { return TInterruption::Requested(); };
    // As find does: say what could not be read, go on, and let the exit
    // status tell that the report has gaps.
    listing.OnSearchError = [this](const engine::TSearchError &error) {
        QString path = error.Path;
        if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        fDiagnostics.Warn(path, platform::ErrorText(error.ErrorNumber));
        fIncomplete = true;
    };
    listing.SetFillListOnEnd(false);

    listing::TListingOptions options = fCommandLine.Listing;
    options.ClearPrevious = false;
    QString lastFolder;
    for (const QString &folder : folders) {
        if (TInterruption::Requested())
            break;
        const explorer::TFileList marks = UntickedMarks(folder, fCommandLine.Unticked);
        listing.BuildList(marks.Location, marks, options);
        lastFolder = marks.Location;
    }
    fDiagnostics.ShowProgress(listing.StatusText(), true);
    fDiagnostics.EndProgress();
    listing.FillList();
    return lastFolder;
}

int TListCommand::WriteToOutput(const listing::TListingController &listing, const listing::TReportOptions &report,
                                const listing::TReportEncoder &encoder)
{
    TStandardOutput out(fOutFd);
    out.Write(encoder.Start());
    try {
        WriteEncodedReport(listing, report, encoder, [&out](const QByteArray &bytes) { out.Write(bytes); });
    } catch (const TReportStopped &) {
        return TInterruption::ExitStatus();
    }
    const int error = out.Finish();
    if (error == 0)
        return fIncomplete ? ecIncomplete : ecSuccess;
    if (!TStandardOutput::IsQuietFailure(error))
        fDiagnostics.Error(QStringLiteral("write error: ") + platform::ErrorText(error));
    return ecIncomplete;
}

int TListCommand::WriteToFile(const listing::TListingController &listing, const listing::TReportOptions &report,
                              const listing::TReportEncoder &encoder)
{
    try {
        // An interrupted writer is destroyed uncommitted: the old file stays.
        listing::TReportWriter writer(fCommandLine.Output, encoder);
        WriteEncodedReport(listing, report, encoder, [&writer](const QByteArray &bytes) { writer.WriteEncoded(bytes); });
        if (TInterruption::Requested())
            return TInterruption::ExitStatus();
        writer.Commit();
    } catch (const TReportStopped &) {
        return TInterruption::ExitStatus();
    } catch (const listing::ECreateFileError &e) {
        fDiagnostics.Error(QString::fromUtf8(e.what()));
        return ecIncomplete;
    }
    return fIncomplete ? ecIncomplete : ecSuccess;
}

int TListCommand::Run()
{
    QStringList folders;
    if (!ResolveFolders(folders))
        return ecUsage;
    fFormats = std::make_unique<explorer::TRegionalFormats>(explorer::TRegionalFormats::FromSystem());
    fListing = std::make_unique<listing::TListingController>(*fFormats);
    listing::TListingController &listing = *fListing;
    const QString lastFolder = BuildListing(folders, listing);
    // An interrupted listing is incomplete: no report is better than one
    // that looks whole.
    if (TInterruption::Requested())
        return TInterruption::ExitStatus();
    listing::TReportOptions report = fCommandLine.Report;
    if (!fCommandLine.TitleGiven)
        report.Layout.Title = lastFolder;  // the window sets the title at each listing
    const listing::TReportEncoder encoder = EncoderFor(fCommandLine);
    return fCommandLine.Output.isEmpty() ? WriteToOutput(listing, report, encoder)
                                         : WriteToFile(listing, report, encoder);
}

namespace {

// A standard descriptor that was closed when the program started would be
// taken by the next file opened, and the report would be written into it.
// Each is held by /dev/null instead; the answer says whether standard output
// was really there.
bool OccupyClosedStandardDescriptors()
{
    const bool outputOpen = fcntl(STDOUT_FILENO, F_GETFD) >= 0;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0)
            continue;
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0 && null != fd) {
            dup2(null, fd);
            close(null);
        }
    }
    return outputOpen;
}

} // namespace

int RunTamarelList(int argc, char **argv)
{
    const int outFd = OccupyClosedStandardDescriptors() ? STDOUT_FILENO : -1;
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
    if (command.Help || command.Version) {
        const QByteArray text = command.Help ? UsageText().toUtf8()
                                             : QByteArray("tamarel-list " TAMAREL_VERSION "\n");
        TStandardOutput out(outFd);
        out.Write(text);
        const int writeError = out.Finish();
        if (writeError && !TStandardOutput::IsQuietFailure(writeError))
            std::fprintf(stderr, "tamarel-list: write error: %s\n",
                         platform::ErrorText(writeError).toLocal8Bit().constData());
        return writeError ? ecIncomplete : ecSuccess;
    }
    TInterruption::Install();
    // A file-size limit makes writes fail with EFBIG, which a save reports;
    // the signal would end the program without a word instead.
    std::signal(SIGXFSZ, SIG_IGN);
    FILE *progress = (!command.Quiet && isatty(fileno(stderr))) ? stderr : nullptr;
    TListCommand list(command, outFd, progress, stderr);
    const int status = list.Run();
#if !TAMAREL_ADDRESS_SANITIZER
    // All is written and every thread has ended; what is left is to free a
    // listing of maybe millions of records one by one, which took a tenth
    // of the whole run on a large tree. The system takes it back at once.
    // (Under the address sanitizer everything is freed, for its leak check.)
    std::fflush(nullptr);
    std::_Exit(status);
#endif
    return status;
}

} // namespace cli
