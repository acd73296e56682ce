#include "Message.h"

#include "DataLinkErrors.h"
#include "FrameCodec.h"

namespace ostrel {

Message::Message(QString name, QStringList fields) : m_name(std::move(name)), m_fields(std::move(fields)) {}

QString Message::fieldText(const Variant& value, const QString& name)
{
    switch (value.type()) {
    case VarType::Array:
    case VarType::Object:
    case VarType::Missing:
    case VarType::Null:
        raiseDataLinkError(kDataLinkInvalidMessage,
                           QStringLiteral("A parameter of \"%1\" is not a number or a text.").arg(name));
    default:
        return value.toText();
    }
}

std::shared_ptr<Message> Message::Create(const QString& name, const Variant& parameter)
{
    QStringList fields;
    if (parameter.isArray()) {
        const VariantArray& items = parameter.array();
        if (items.dimensions() != 1)
            raiseDataLinkError(kDataLinkInvalidMessage,
                               QStringLiteral("The parameter array of \"%1\" has two dimensions.").arg(name));
        for (const Variant& item : items.items())
            fields.append(fieldText(item, name));
    } else {
        fields.append(fieldText(parameter, name));
    }
    FrameCodec::payload(name, fields); // checks name, texts and length once, here
    return std::make_shared<Message>(name, std::move(fields));
}

Variant Message::Parameters(int index) const
{
    if (index == -1) {
        VariantArray all;
        for (const QString& field : m_fields)
            all.append(Variant(field));
        return Variant(std::move(all));
    }
    if (index < 0 || index >= m_fields.size())
        throw ComError(kErrSubscript, QString::fromLatin1(kDataLinkSource), QStringLiteral("Subscript out of range"));
    return Variant(m_fields[index]);
}

QByteArray Message::Frame() const
{
    return FrameCodec::encode(m_name, m_fields);
}

} // namespace ostrel
