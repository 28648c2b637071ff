// tamarel-list-docs: writes tamarel-list's manual page and completion
// scripts from its option table. Run by the build, never installed.
//
//   tamarel-list-docs man TEMPLATE OUT | bash OUT | zsh OUT | fish OUT

#include "ManPage.h"
#include "ShellCompletions.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {

const QString Program = QStringLiteral("tamarel-list");

bool ReadText(const QString &fileName, QString &text)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = QString::fromUtf8(file.readAll());
    return file.error() == QFileDevice::NoError;
}

bool WriteText(const QString &fileName, const QString &text)
{
    QSaveFile file(fileName);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

int Fail(const char *message, const QString &fileName)
{
    std::fprintf(stderr, "tamarel-list-docs: %s %s\n", message, qPrintable(fileName));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int wanted = kind == QLatin1String("man") ? 4 : 3;
    if (argc != wanted) {
        std::fputs("usage: tamarel-list-docs man TEMPLATE OUT | bash OUT | zsh OUT | fish OUT\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[argc - 1]);
    const std::vector<docgen::TOptionDoc> options = docgen::ListOptions();
    QString text;
    if (kind == QLatin1String("man")) {
        const QString templateName = QString::fromLocal8Bit(argv[2]);
        QString page;
        if (!ReadText(templateName, page))
            return Fail("cannot read", templateName);
        text = docgen::FillManTemplate(page, docgen::ManOptions(options));
        if (text.isEmpty())
            return Fail("no @OPTIONS@ line in", templateName);
    } else if (kind == QLatin1String("bash")) {
        text = docgen::BashCompletion(Program, options);
    } else if (kind == QLatin1String("zsh")) {
        text = docgen::ZshCompletion(Program, options);
    } else if (kind == QLatin1String("fish")) {
        text = docgen::FishCompletion(Program, options);
    } else {
        return Fail("unknown kind", kind);
    }
    return WriteText(out, text) ? 0 : Fail("cannot write", out);
}
