#pragma once
// A TReplacingFile behind the QIODevice interface, for writers that only
// take a device (QPdfWriter) and never look at what a write answers. The
// first failure is kept and Commit reports it, so such a writer cannot end
// in a cut file that looks complete: the target keeps its old content
// unless every byte reached the disk.

#include "platform/ReplacingFile.h"

#include <QByteArray>
#include <QIODevice>

namespace platform {

class TReplacingDevice : public QIODevice {
public:
    TReplacingDevice() = default;
    // Discards what was written unless Commit succeeded.
    ~TReplacingDevice() override;

    // Opens for writing: 0 or the errno of what failed.
    int Open(const QString &path);
    // Puts every byte written in the target's place: 0 or the errno of the
    // first failure (of any write, or of the commit itself).
    int Commit();
    // Gives the content up: the target stays as it was.
    void Cancel();
    int Error() const { return fError; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    void Flush();

    TReplacingFile fFile;
    // Writers such as the PDF engine write a few bytes at a time; one system
    // call per piece would cost more than the print.
    QByteArray fBuffer;
    int fError = 0;
};

} // namespace platform
