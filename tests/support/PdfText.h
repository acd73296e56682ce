#pragma once
// A PDF's text as a reader copies it, read by pdftotext (poppler-utils, which setup.sh
// installs). Options are pdftotext's: "-layout" keeps a row's cells on one line, "-bbox" gives
// each word's box.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace ostrel::testing {

inline QString pdftotextTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
}

// "" when the tool is missing or does not finish.
inline QString pdfText(const QString& pdf, const QStringList& options = {QStringLiteral("-layout")})
{
    const QString tool = pdftotextTool();
    if (tool.isEmpty())
        return QString();
    QProcess process;
    process.start(tool, options + QStringList{pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace ostrel::testing

// In a test body: the test is skipped on a machine without pdftotext.
#define OSTREL_SKIP_WITHOUT_PDFTOTEXT()                                                                      \
    if (ostrel::testing::pdftotextTool().isEmpty())                                                         \
    GTEST_SKIP() << "pdftotext is not installed"
