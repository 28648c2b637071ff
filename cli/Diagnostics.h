#pragma once
// What tamarel-list tells its user on standard error: the running counts on
// a terminal (redrawn in place, ten times a second at most), and one line
// for each path it could not read. A warning never lands in the middle of a
// counts line.

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

namespace cli {

class TDiagnostics {
public:
    // Progress is where the counts go (null: nowhere, e.g. -q or not a
    // terminal); Errors where warnings go.
    TDiagnostics(FILE *progress, FILE *errors);
    static constexpr qint64 ProgressInterval = 100;  // milliseconds between two counts lines
    bool ShowsProgress() const { return fProgress != nullptr; }

    void ShowProgress(const QString &text, bool force = false);
    void EndProgress();
    // "tamarel-list: PATH: REASON", PATH with its control characters and
    // undecodable bytes shown as \xNN, so that a file name cannot drive the
    // terminal.
    void Warn(const QString &path, const QString &reason);
    void Error(const QString &text);

private:
    void BreakProgressLine();

    FILE *fProgress;
    FILE *fErrors;
    QElapsedTimer fTimer;
    bool fProgressShown = false;
    bool fMidLine = false;
};

// The path as it may be shown on a terminal: "\x1b" for ESC, "\xff" for a
// byte that was not UTF-8, "\\" for a backslash.
QString EscapeForTerminal(const QString &path);

} // namespace cli
