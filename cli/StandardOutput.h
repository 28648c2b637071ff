#pragma once
// tamarel-list's report on standard output, written in large pieces and
// checked at every write: a full disk (> /dev/full) or a closed descriptor
// must not pass for a complete report. A reader that went away (| head) is
// the usual end of a pipe and is not worth a message.

#include <QByteArray>

namespace cli {

class TStandardOutput {
public:
    explicit TStandardOutput(int fd) : fFd(fd) {}
    void Write(const QByteArray &bytes);
    // Writes what is buffered; 0 or the errno of the first failure.
    int Finish();
    // The reader closed the pipe: stop quietly.
    static bool IsQuietFailure(int error);

private:
    void Flush();

    int fFd;
    QByteArray fBuffer;
    int fError = 0;
};

} // namespace cli
