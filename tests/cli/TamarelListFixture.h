#pragma once
// tamarel-list as a script runs it, in a tree of its own: its exit status,
// its output, its files.

#include "TreeFixture.h"

#include <QProcess>
#include <functional>

namespace testing_support {

class TamarelListFixture : public TreeFixture {
protected:
    // ChildSetup runs in the child before the program starts (closing a
    // descriptor, setting a limit); Started once it runs.
    int Run(const QStringList &arguments, const std::function<void()> &childSetup = {},
            const std::function<void(QProcess &)> &started = {})
    {
        return RunProgram(QStringLiteral(TAMAREL_LIST_BINARY), arguments, childSetup, started);
    }

    int RunProgram(const QString &program, const QStringList &arguments, const std::function<void()> &childSetup = {},
                   const std::function<void(QProcess &)> &started = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("TZ"), timeZone);
        process.setProcessEnvironment(env);
        if (!workingFolder.isEmpty())
            process.setWorkingDirectory(workingFolder);
        if (!stdoutFile.isEmpty())
            process.setStandardOutputFile(stdoutFile);
        if (childSetup)
            process.setChildProcessModifier(childSetup);
        process.start(program, arguments);
        if (started && process.waitForStarted())
            started(process);
        process.waitForFinished(120000);
        bytes = process.readAllStandardOutput();
        out = QString::fromUtf8(bytes);
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString Top() const { return Root() + QStringLiteral("top"); }
    QStringList Lines() const { return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QByteArray bytes;
    QString out, err;
    QString stdoutFile;
    QString workingFolder;
    QString timeZone = QStringLiteral("UTC");
};

} // namespace testing_support
