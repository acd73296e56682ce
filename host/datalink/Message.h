#pragma once
// One message of the data link: a four-letter name and its parameters. Outgoing messages are
// checked when they are created, so a message that exists can always be sent.
#include "host/core/Variant.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace ostrel {

class Message : public IObject {
public:
    Message(QString name, QStringList fields);

    // A scalar parameter gives one field, an array one field per element (none when empty);
    // numbers are written locale-independently. Fails with kDataLinkInvalidMessage when the
    // message cannot be put on the wire (bad name, control byte in a text, too long, nested
    // array or object parameter).
    static std::shared_ptr<Message> Create(const QString& name, const Variant& parameter);

    QString Name() const { return m_name; }
    // Index -1: all parameters as an array of texts (indexed from 0); otherwise the one
    // parameter, failing with 9 when there is none of that index.
    Variant Parameters(int index) const;
    const QStringList& Fields() const { return m_fields; }
    // The frame as it goes on the wire.
    QByteArray Frame() const;

private:
    static QString fieldText(const Variant& value, const QString& name);
    QString m_name;
    QStringList m_fields;
};

using MessagePtr = std::shared_ptr<Message>;

} // namespace ostrel
