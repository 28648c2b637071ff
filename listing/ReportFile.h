#pragma once
// Writing a report to a file: the file types of the save dialog, the name
// each gives the file, the encodings with their byte-order marks, and CR LF
// after every line.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace listing {

// The save dialog's file types, numbered as its filter lists them.
enum TReportFileType { rftCsv = 1, rftHtml = 2, rftAll = 3 };
// The CSV file formats, in the order "ASCII", "UTF8", "UNICODE"; then the
// bytes of file names (UTF-8, with each escaped byte of a name that was not
// UTF-8 given back as itself), for lists of paths that programs open.
enum TTextEncoding { teAscii = 0, teUtf8 = 1, teUnicode = 2, teFileNames = 3 };

// "list.txt" as "list.csv", "a.b.c" as "a.b.csv", "x" as "x.xml".
QString ReportFileName(const QString &chosen, TReportFileType type);

// HTML and the reserved third type are always UTF-8 with a mark.
TTextEncoding EncodingFor(TReportFileType type, TTextEncoding csvEncoding);

// How a report's lines become bytes. The defaults are the window's files:
// CR LF after every line, the last one too, and the encoding's byte-order
// mark (none for ASCII or file names). ASCII writes a character outside it
// as its nearest ASCII letter ("é" as "e") or else "?". The CSV and HTML
// writers have already turned bytes of names that were not UTF-8 into
// U+FFFD; only teFileNames gives such bytes back.
class TReportEncoder {
public:
    explicit TReportEncoder(TTextEncoding encoding, bool byteOrderMark = true,
                            const QString &lineEnd = QStringLiteral("\r\n"));
    // What comes before the first line: the mark, or nothing.
    QByteArray Start() const;
    // Appends the line and its end. Keeps no state: safe on several threads.
    void Append(QByteArray &out, const QString &line) const;

private:
    TTextEncoding fEncoding;
    bool fByteOrderMark;
    QByteArray fLineEnd;  // encoded
};

// The lines as the window's files hold them (TReportEncoder's defaults).
QByteArray EncodeReport(const QStringList &lines, TTextEncoding encoding);

// Encodes one line at a time into a file, for reports too large to build as
// a whole. Nothing reaches the target's name before Commit has written and
// synced every byte, so a save that fails anywhere (a full disk, a size
// limit) leaves an existing file as it was. Destroying an uncommitted writer
// discards what it wrote.
class TReportWriter {
public:
    TReportWriter(const QString &fileName, const TReportEncoder &encoder);  // throws ECreateFileError
    ~TReportWriter();
    TReportWriter(const TReportWriter &) = delete;
    TReportWriter &operator=(const TReportWriter &) = delete;
    void WriteLine(const QString &line);
    // Lines already encoded by an encoder like this writer's, without its
    // start: for reports made on several threads.
    void WriteEncoded(const QByteArray &bytes);
    void Commit();  // throws ECreateFileError

private:
    class TImpl;
    std::unique_ptr<TImpl> fImpl;
};

// "Cannot create file "%s". %s"
class ECreateFileError : public std::runtime_error {
public:
    ECreateFileError(const QString &fileName, const QString &reason);
};

// Writes the lines as one file; throws ECreateFileError.
void SaveReport(const QString &fileName, const QStringList &lines, TTextEncoding encoding);

// Save as the save dialog's file type says: the chosen name with the type's
// extension, the report (already built for that type by the caller, or for
// "All files" the one built last) in the type's encoding. Returns the name
// written.
QString SaveReportAs(const QString &chosen, TReportFileType type, const QStringList &report,
                     TTextEncoding csvEncoding);

} // namespace listing
