#pragma once
// What a printed PDF holds, as pdftotext reads it.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing_support {

// The text of the PDF, with pdftotext's Options; empty when the file is
// missing or unreadable. Pages are separated by form feeds.
inline QString PdfText(const QString &pdf, QStringList options = QStringList())
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), options << pdf << QStringLiteral("-"));
    if (!text.waitForFinished(60000) || text.exitCode() != 0)
        return QString();
    return QString::fromUtf8(text.readAllStandardOutput());
}

inline bool HasPdfToText()
{
    return QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) >= 0;
}

} // namespace testing_support
