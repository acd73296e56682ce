#include "DataLinkErrors.h"

#include <QHash>

namespace ostrel {

namespace {

QString baseText(HResult number)
{
    static const QHash<HResult, QString> texts{
        {kDataLinkCorruptedFrame, QStringLiteral("A corrupted frame was received on the data link.")},
        {kDataLinkPortFailure, QStringLiteral("The serial port of the data link failed.")},
        {kDataLinkInvalidMessage, QStringLiteral("The message cannot be sent on the data link.")},
        {kDataLinkInvalidSettings, QStringLiteral("The settings text of the data link is invalid.")},
        {kDataLinkUnknownPort, QStringLiteral("No such data-link port is registered.")},
        {kDataLinkOpenFailed, QStringLiteral("The device of the data-link port could not be opened.")},
    };
    return texts.value(number, QStringLiteral("Data link error."));
}

} // namespace

void raiseDataLinkError(HResult number, const QString& detail)
{
    QString text = baseText(number);
    if (!detail.isEmpty())
        text += QLatin1Char(' ') + detail;
    throw ComError(number, QString::fromLatin1(kDataLinkSource), text);
}

} // namespace ostrel
