#include "StatusCodec.h"

#include "host/core/ComError.h"
#include "host/core/BasicNumber.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ostrel {

namespace {

constexpr char kSource[] = "ostrel.StatusCodec";
const QString kStatusElement = QStringLiteral("Status");
const QString kValueElement = QStringLiteral("Value");
const QString kItemElement = QStringLiteral("Item");
const QString kValueAttribute = QStringLiteral("Value");
const QString kValueTypeAttribute = QStringLiteral("ValueType");
const QString kVarTypeAttribute = QStringLiteral("VarType");
const QString kRowsAttribute = QStringLiteral("Rows");
const QString kColumnsAttribute = QStringLiteral("Columns");

struct TypeName {
    VarType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {VarType::Empty, "Empty"},   {VarType::Null, "Null"},     {VarType::Missing, "Missing"},
    {VarType::Boolean, "Boolean"}, {VarType::Byte, "Byte"},   {VarType::Integer, "Integer"},
    {VarType::Long, "Long"},     {VarType::Single, "Single"}, {VarType::Double, "Double"},
    {VarType::String, "String"}, {VarType::Array, "Array"},   {VarType::Object, "Object"},
};

QString nameOf(VarType type)
{
    for (const auto& entry : kTypeNames)
        if (entry.type == type)
            return QString::fromLatin1(entry.name);
    return QString();
}

[[noreturn]] void mismatch(const QString& what)
{
    throw ComError(kErrTypeMismatch, kSource, QStringLiteral("Type mismatch: %1").arg(what), 1);
}

template <class T>
T parseNumber(const QString& text)
{
    if (text == QLatin1String("NaN"))
        return std::numeric_limits<T>::quiet_NaN();
    if (text == QLatin1String("Infinity"))
        return std::numeric_limits<T>::infinity();
    if (text == QLatin1String("-Infinity"))
        return -std::numeric_limits<T>::infinity();
    const QByteArray bytes = text.toLatin1();
    T out{};
    auto [ptr, ec] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), out);
    if (ec != std::errc() || ptr != bytes.constData() + bytes.size() || bytes.isEmpty())
        mismatch(QStringLiteral("\"%1\" is not a number").arg(text));
    return out;
}

template <class T>
T parseInteger(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    T out{};
    auto [ptr, ec] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), out);
    if (ec != std::errc() || ptr != bytes.constData() + bytes.size() || bytes.isEmpty())
        mismatch(QStringLiteral("\"%1\" is not a whole number in range").arg(text));
    return out;
}

void writeValue(StorageElement& element, const Variant& value);

void writeArray(StorageElement& element, const VariantArray& array)
{
    if (array.dimensions() == 2) {
        element.SetAttribute(kRowsAttribute, QString::number(array.rows()));
        element.SetAttribute(kColumnsAttribute, QString::number(array.columns()));
    }
    for (const Variant& item : array.items()) {
        StorageElement child = element.AddChild(kItemElement, QString());
        writeValue(child, item);
    }
}

void writeValue(StorageElement& element, const Variant& value)
{
    element.SetAttribute(kVarTypeAttribute, nameOf(value.type()));
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::Missing:
        return;
    case VarType::Boolean:
        element.SetText(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
        return;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        element.SetText(QString::number(value.toLong()));
        return;
    case VarType::Single:
        element.SetText(numberToText(value.toSingle()));
        return;
    case VarType::Double:
        element.SetText(numberToText(value.toDouble()));
        return;
    case VarType::String:
        element.SetText(value.toText());
        return;
    case VarType::Array:
        writeArray(element, value.array());
        return;
    case VarType::Object:
        mismatch(QStringLiteral("an object cannot be stored as a value"));
    }
}

Variant readValue(const StorageElement& element);

Variant readArray(const StorageElement& element)
{
    std::vector<Variant> items;
    for (int i = 0, n = element.ChildCount(); i < n; ++i) {
        const StorageElement child = element.Child(i);
        if (child.Name() == kItemElement)
            items.push_back(readValue(child));
    }
    if (element.HasAttribute(kRowsAttribute)) {
        const int rows = parseInteger<int>(element.Attribute(kRowsAttribute));
        const int columns = parseInteger<int>(element.Attribute(kColumnsAttribute));
        if (rows < 0 || columns < 0 || static_cast<long long>(rows) * columns != static_cast<long long>(items.size()))
            mismatch(QStringLiteral("the array's size does not match its items"));
        VariantArray array(rows, columns);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                array.at(r, c) = std::move(items[static_cast<size_t>(r * columns + c)]);
        return Variant(std::move(array));
    }
    VariantArray array;
    for (auto& item : items)
        array.append(std::move(item));
    return Variant(std::move(array));
}

Variant readValue(const StorageElement& element)
{
    const QString typeName = element.Attribute(kVarTypeAttribute);
    const QString text = element.Text();
    if (typeName.isEmpty()) // written elsewhere: the text as it stands
        return text.isEmpty() ? Variant() : Variant(text);
    VarType type = VarType::Empty;
    bool known = false;
    for (const auto& entry : kTypeNames) {
        if (typeName == QLatin1String(entry.name)) {
            type = entry.type;
            known = true;
        }
    }
    if (!known)
        mismatch(QStringLiteral("unknown value type \"%1\"").arg(typeName));
    switch (type) {
    case VarType::Empty:
        return Variant();
    case VarType::Null:
        return Variant::null();
    case VarType::Missing:
        return Variant::missing();
    case VarType::Boolean:
        if (text == QLatin1String("True"))
            return Variant(true);
        if (text == QLatin1String("False"))
            return Variant(false);
        mismatch(QStringLiteral("\"%1\" is not True or False").arg(text));
    case VarType::Byte:
        return Variant(parseInteger<std::uint8_t>(text));
    case VarType::Integer:
        return Variant(parseInteger<std::int16_t>(text));
    case VarType::Long:
        return Variant(parseInteger<std::int32_t>(text));
    case VarType::Single:
        return Variant(parseNumber<float>(text));
    case VarType::Double:
        return Variant(parseNumber<double>(text));
    case VarType::String:
        return Variant(text);
    case VarType::Array:
        return readArray(element);
    case VarType::Object:
        break;
    }
    mismatch(QStringLiteral("an object cannot be read as a value"));
}

} // namespace

StatusCodec& StatusCodec::instance()
{
    static StatusCodec codec;
    return codec;
}

StorageElement StatusCodec::StatusToElement(const StorageDocumentPtr& document, std::int32_t status, const QString& text)
{
    StorageElement element = document->CreateElement(kStatusElement);
    element.SetAttribute(kValueAttribute, QString::number(status));
    if (!text.isEmpty())
        element.SetText(text);
    return element;
}

void StatusCodec::ElementToStatus(const StorageElement& element, std::int32_t& status, QString& text)
{
    status = 0;
    text.clear();
    if (!element)
        return;
    const QString value = element.Attribute(kValueAttribute).trimmed();
    bool ok = false;
    status = value.toInt(&ok);
    if (!ok) {
        const double number = leadingNumber(value);
        status = number > -2147483648.5 && number < 2147483647.5 ? roundToLong(number) : 0;
    }
    text = element.Text();
}

StorageElement StatusCodec::ValueToElement(const StorageDocumentPtr& document, const Variant& value, std::int32_t valueType)
{
    StorageElement element = document->CreateElement(kValueElement);
    element.SetAttribute(kValueTypeAttribute, QString::number(valueType));
    writeValue(element, value);
    return element;
}

void StatusCodec::ElementToValue(const StorageElement& element, Variant& value, std::int32_t& valueType)
{
    if (!element)
        mismatch(QStringLiteral("no value element"));
    const QString typeText = element.Attribute(kValueTypeAttribute).trimmed();
    Variant read = readValue(element);
    valueType = typeText.isEmpty() ? 0 : parseInteger<std::int32_t>(typeText);
    value = std::move(read);
}

} // namespace ostrel
