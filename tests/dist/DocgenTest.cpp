// The writers of the manual page and the completion scripts, fed option
// texts that break naive quoting; the scripts go through the shells' own
// syntax checks and the page through mandoc where those are installed.

#include "ManPage.h"
#include "ShellCompletions.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using docgen::TOptionDoc;

std::vector<TOptionDoc> HostileOptions()
{
    return {
        {QStringLiteral("Odd \"group\""), QChar(u'x'), QStringLiteral("it-quotes"), QString(),
         QStringLiteral("Don't stop: [really] \\ or `date` or $(true) \"here\"."), false},
        {QStringLiteral("Plain"), QChar(), QStringLiteral("kind"), QStringLiteral("one|two words|three"),
         QStringLiteral("Picks a kind. Then more."), false},
        {QStringLiteral("Odd \"group\""), QChar(u'o'), QStringLiteral("out"), QStringLiteral("FILE"),
         QStringLiteral(".dot at the start. 'quote at the start."), true},
    };
}

// Runs PROGRAM ARGS on TEXT saved in a file; its messages, or nothing.
QString Check(const QString &program, QStringList arguments, const QString &text)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("script"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0)
        return QStringLiteral("cannot write ") + file;
    out.close();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments << file);
    process.waitForFinished(30000);
    const QString messages = QString::fromUtf8(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("exit %1: %2").arg(process.exitCode()).arg(messages);
    return messages;
}

TEST(DocgenTest, ManTextPutsEachSentenceOnItsOwnShortLineAndEscapes)
{
    EXPECT_EQ(docgen::ManText(QStringLiteral("One. Two \\ three.")), QStringLiteral("One.\nTwo \\e three.\n"));
    EXPECT_EQ(docgen::ManText(QStringLiteral("See. .profile is read.")), QStringLiteral("See.\n\\&.profile is read.\n"))
        << "a line that starts with a dot would be read as a request";

    const QString longWord = QString(90, QLatin1Char('w'));
    const QString wrapped = docgen::ManText(QStringLiteral("word ").repeated(40) + QStringLiteral(".hidden ") + longWord);
    for (const QString &line : wrapped.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.size() <= 72 || line == longWord) << line.toStdString();
        EXPECT_FALSE(line.startsWith(QLatin1Char('.'))) << line.toStdString();
    }
    EXPECT_TRUE(wrapped.contains(QLatin1Char('\n') + longWord + QLatin1Char('\n'))) << "a long word stays whole";
}

TEST(DocgenTest, TemplateWithoutTheOptionsLineGivesNoPage)
{
    EXPECT_EQ(docgen::FillManTemplate(QStringLiteral(".Sh A\n@OPTIONS@\n.Sh B\n"), QStringLiteral(".Ss X\n")),
              QStringLiteral(".Sh A\n.Ss X\n.Sh B\n"));
    EXPECT_TRUE(docgen::FillManTemplate(QStringLiteral(".Sh A\n@OPTIONS@ \n"), QStringLiteral(".Ss X\n")).isEmpty());
}

TEST(DocgenTest, GroupsAreListedOnceInTheOrderTheyFirstAppear)
{
    const QString options = docgen::ManOptions(HostileOptions());
    EXPECT_EQ(options.count(QLatin1String(".Ss ")), 2);
    EXPECT_LT(options.indexOf(QLatin1String("Odd")), options.indexOf(QLatin1String("Plain")));
    EXPECT_LT(options.indexOf(QLatin1String("Fl -out")), options.indexOf(QLatin1String("Plain")));
    EXPECT_TRUE(options.contains(QLatin1String("Cm one Ns | Ns Cm \"two words\" Ns | Ns Cm three")));
}

TEST(DocgenTest, ShortDescriptionIsTheFirstSentence)
{
    const std::vector<TOptionDoc> options = HostileOptions();
    EXPECT_EQ(docgen::Summary(options[1]), QStringLiteral("Picks a kind"));
    EXPECT_EQ(docgen::Summary(options[0]), options[0].Help.chopped(1));
    EXPECT_EQ(docgen::Choices(options[1]), (QStringList{QStringLiteral("one"), QStringLiteral("two words"),
                                                       QStringLiteral("three")}));
    EXPECT_EQ(docgen::ValueKind(options[2]), docgen::TValueKind::File);
}

TEST(DocgenTest, PageOfHostileTextsPassesMandoc)
{
    if (QStandardPaths::findExecutable(QStringLiteral("mandoc")).isEmpty())
        GTEST_SKIP() << "mandoc is not installed";
    const QString page = QStringLiteral(".Dd December 9, 2026\n.Dt X 1\n.Os\n.Sh NAME\n.Nm x\n.Nd test\n"
                                        ".Sh DESCRIPTION\nText.\n")
                         + docgen::ManOptions(HostileOptions());
    EXPECT_EQ(Check(QStringLiteral("mandoc"), {QStringLiteral("-T"), QStringLiteral("lint"), QStringLiteral("-W"),
                                                QStringLiteral("style")},
                    page),
              QString());
}

TEST(DocgenTest, CompletionsOfHostileTextsPassTheShellsSyntaxChecks)
{
    const std::vector<TOptionDoc> options = HostileOptions();
    const QString program = QStringLiteral("tamarel-list");
    struct TShell {
        const char *Name;
        QStringList Arguments;
        QString Script;
    };
    const TShell shells[] = {
        {"bash", {QStringLiteral("-n")}, docgen::BashCompletion(program, options)},
        {"zsh", {QStringLiteral("-n")}, docgen::ZshCompletion(program, options)},
        {"fish", {QStringLiteral("--no-execute")}, docgen::FishCompletion(program, options)},
    };
    int checked = 0;
    for (const TShell &shell : shells) {
        const QString name = QString::fromLatin1(shell.Name);
        if (QStandardPaths::findExecutable(name).isEmpty())
            continue;
        EXPECT_EQ(Check(name, shell.Arguments, shell.Script), QString()) << shell.Name << ":\n"
                                                                         << shell.Script.toStdString();
        ++checked;
    }
    if (checked == 0)
        GTEST_SKIP() << "no shell installed";
}

} // namespace
