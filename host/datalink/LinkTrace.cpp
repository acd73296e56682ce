#include "LinkTrace.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace ostrel {

Q_LOGGING_CATEGORY(lcLink, "ostrel.link", QtWarningMsg)

namespace {

QMutex g_mutex;
QFile* g_file = nullptr;
QtMessageHandler g_previous = nullptr;

void writeLine(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const bool ours = context.category && qstrncmp(context.category, "ostrel.", 7) == 0;
    {
        QMutexLocker lock(&g_mutex);
        if (ours && g_file) {
            const QString line = QStringLiteral("%1 %2 %3\n")
                                     .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                                          QString::fromLatin1(context.category), text);
            g_file->write(line.toUtf8());
            g_file->flush();
            return;
        }
    }
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

bool LinkTrace::WriteTo(const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    {
        QMutexLocker lock(&g_mutex);
        delete g_file;
        g_file = file.release();
    }
    QLoggingCategory::setFilterRules(QStringLiteral("ostrel.link.debug=true\nostrel.link.info=true\nostrel.steps.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(writeLine);
    if (previous != writeLine)
        g_previous = previous;
    return true;
}

void LinkTrace::Stop()
{
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
    QLoggingCategory::setFilterRules(QString());
    QMutexLocker lock(&g_mutex);
    delete g_file;
    g_file = nullptr;
}

QString LinkTrace::Readable(const QByteArray& bytes)
{
    QByteArray text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x02)
            text += "<STX>";
        else if (byte == 0x03)
            text += "<ETX>";
        else if (byte == 0x1F)
            text += "<US>";
        else if (byte < 0x20 || byte == 0x7F)
            text += "<" + QByteArray::number(byte, 16).rightJustified(2, '0') + ">";
        else
            text += c;
    }
    return QString::fromUtf8(text);
}

} // namespace ostrel
