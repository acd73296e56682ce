#include "LinkSettings.h"

#include "DataLinkErrors.h"

#include <QStringList>

namespace ostrel {

namespace {

[[noreturn]] void invalid(const QString& text, const QString& what)
{
    raiseDataLinkError(kDataLinkInvalidSettings, QStringLiteral("\"%1\": %2.").arg(text, what));
}

} // namespace

LinkSettings LinkSettings::parse(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        invalid(text, QStringLiteral("expected baud rate, parity, data bits and stop bits"));
    LinkSettings settings;
    bool ok = false;
    settings.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || settings.baudRate <= 0)
        invalid(text, QStringLiteral("the baud rate is not a positive number"));

    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("N"))
        settings.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("O"))
        settings.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("E"))
        settings.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("M"))
        settings.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S"))
        settings.parity = QSerialPort::SpaceParity;
    else
        invalid(text, QStringLiteral("the parity is not one of N, O, E, M, S"));

    const int dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        invalid(text, QStringLiteral("the data bits are not 5 to 8"));
    settings.dataBits = static_cast<QSerialPort::DataBits>(dataBits);

    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        settings.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        settings.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        settings.stopBits = QSerialPort::TwoStop;
    else
        invalid(text, QStringLiteral("the stop bits are not 1, 1.5 or 2"));
    return settings;
}

int LinkSettings::bitsPerByte() const
{
    const int parityBits = parity == QSerialPort::NoParity ? 0 : 1;
    const int stopBitCount = stopBits == QSerialPort::TwoStop ? 2 : 1;
    return 1 + static_cast<int>(dataBits) + parityBits + stopBitCount;
}

} // namespace ostrel
