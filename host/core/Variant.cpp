#include "Variant.h"

#include "BasicNumber.h"

#include <cmath>
#include <limits>

namespace ostrel {

namespace {

constexpr HResult kErrInvalidUseOfNull = 94;

[[noreturn]] void fail(HResult number, const char* text)
{
    throw ComError(number, QStringLiteral("ostrel.Variant"), QString::fromLatin1(text));
}

[[noreturn]] void typeMismatch() { fail(kErrTypeMismatch, "Type mismatch"); }
[[noreturn]] void overflow() { fail(kErrOverflow, "Overflow"); }

} // namespace

// ---- construction -------------------------------------------------------------------------

Variant::Variant(bool value) : m_value(Bool_{value}) {}
Variant::Variant(std::uint8_t value) : m_value(value) {}
Variant::Variant(std::int16_t value) : m_value(value) {}
Variant::Variant(std::int32_t value) : m_value(value) {}
Variant::Variant(float value) : m_value(value) {}
Variant::Variant(double value) : m_value(value) {}
Variant::Variant(QString value) : m_value(std::move(value)) {}
Variant::Variant(const char* utf8) : m_value(QString::fromUtf8(utf8)) {}
Variant::Variant(VariantArray value) : m_value(std::make_unique<VariantArray>(std::move(value))) {}
Variant::Variant(ObjectPtr value) : m_value(std::move(value)) {}

Variant::Variant(const Variant& other)
{
    *this = other;
}

Variant& Variant::operator=(const Variant& other)
{
    if (this == &other)
        return *this;
    if (auto arr = std::get_if<std::unique_ptr<VariantArray>>(&other.m_value))
        m_value = std::make_unique<VariantArray>(**arr);
    else
        std::visit(
            [this](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (!std::is_same_v<T, std::unique_ptr<VariantArray>>)
                    m_value = v;
            },
            other.m_value);
    return *this;
}

Variant::~Variant() = default;

Variant Variant::null()
{
    Variant v;
    v.m_value = Null_{};
    return v;
}

Variant Variant::missing()
{
    Variant v;
    v.m_value = Missing_{};
    return v;
}

VarType Variant::type() const
{
    static constexpr VarType kTypes[] = {VarType::Empty,  VarType::Null,   VarType::Missing, VarType::Boolean,
                                         VarType::Byte,   VarType::Integer, VarType::Long,   VarType::Single,
                                         VarType::Double, VarType::String, VarType::Array,   VarType::Object};
    return kTypes[m_value.index()];
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
        return true;
    default:
        return false;
    }
}

// ---- conversions --------------------------------------------------------------------------

double Variant::toDouble() const
{
    switch (type()) {
    case VarType::Empty:
        return 0.0;
    case VarType::Null:
        fail(kErrInvalidUseOfNull, "Invalid use of Null");
    case VarType::Boolean:
        return std::get<Bool_>(m_value).value ? -1.0 : 0.0;
    case VarType::Byte:
        return std::get<std::uint8_t>(m_value);
    case VarType::Integer:
        return std::get<std::int16_t>(m_value);
    case VarType::Long:
        return std::get<std::int32_t>(m_value);
    case VarType::Single:
        return std::get<float>(m_value);
    case VarType::Double:
        return std::get<double>(m_value);
    case VarType::String: {
        const QString& s = std::get<QString>(m_value);
        if (const std::optional<double> number = wholeNumber(s))
            return *number;
        const QString t = s.trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return -1.0;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return 0.0;
        typeMismatch();
    }
    default:
        typeMismatch();
    }
}

float Variant::toSingle() const
{
    if (type() == VarType::Single)
        return std::get<float>(m_value);
    const double d = toDouble();
    if (std::isfinite(d) && std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        overflow();
    return static_cast<float>(d);
}

bool Variant::toBool() const { return toDouble() != 0.0; }
std::uint8_t Variant::toByte() const { return roundToByte(toDouble()); }
std::int16_t Variant::toInteger() const { return roundToInteger(toDouble()); }
std::int32_t Variant::toLong() const { return roundToLong(toDouble()); }

QString Variant::toText() const
{
    switch (type()) {
    case VarType::Empty:
        return QString();
    case VarType::Null:
        fail(kErrInvalidUseOfNull, "Invalid use of Null");
    case VarType::Boolean:
        return std::get<Bool_>(m_value).value ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Single:
        return numberToText(std::get<float>(m_value));
    case VarType::String:
        return std::get<QString>(m_value);
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
        return numberToText(toDouble());
    default:
        typeMismatch();
    }
}

double Variant::val() const
{
    switch (type()) {
    case VarType::String:
        return leadingNumber(std::get<QString>(m_value));
    case VarType::Empty:
    case VarType::Null:
    case VarType::Missing:
    case VarType::Array:
    case VarType::Object:
        return 0.0;
    default:
        return toDouble();
    }
}

QString Variant::text() const
{
    switch (type()) {
    case VarType::Null:
    case VarType::Missing:
    case VarType::Array:
    case VarType::Object:
        return QString();
    default:
        return toText();
    }
}

ObjectPtr Variant::toObject() const
{
    if (auto obj = std::get_if<ObjectPtr>(&m_value))
        return *obj;
    return nullptr;
}

const VariantArray& Variant::array() const
{
    if (auto arr = std::get_if<std::unique_ptr<VariantArray>>(&m_value))
        return **arr;
    typeMismatch();
}

VariantArray& Variant::array()
{
    if (auto arr = std::get_if<std::unique_ptr<VariantArray>>(&m_value))
        return **arr;
    typeMismatch();
}

bool Variant::operator==(const Variant& other) const
{
    if (m_value.index() != other.m_value.index())
        return false;
    if (isArray())
        return array() == other.array();
    return m_value == other.m_value;
}

// ---- arrays -------------------------------------------------------------------------------

VariantArray::VariantArray(int count) : m_items(static_cast<size_t>(std::max(count, 0))) {}

VariantArray::VariantArray(int rows, int columns)
    : m_items(static_cast<size_t>(std::max(rows, 0) * std::max(columns, 0))), m_rows(std::max(rows, 0)),
      m_columns(std::max(columns, 0))
{
}

VariantArray::VariantArray(std::initializer_list<Variant> items) : m_items(items) {}

VariantArray VariantArray::fromTexts(const std::vector<QString>& texts)
{
    VariantArray result;
    for (const QString& t : texts)
        result.append(t);
    return result;
}

int VariantArray::upperBound(int dimension) const
{
    if (dimensions() == 1) {
        if (dimension != 1)
            fail(kErrSubscript, "Subscript out of range");
        return count() - 1;
    }
    if (dimension == 1)
        return m_rows - 1;
    if (dimension == 2)
        return m_columns - 1;
    fail(kErrSubscript, "Subscript out of range");
}

int VariantArray::rows() const { return dimensions() == 1 ? count() : m_rows; }
int VariantArray::columns() const { return dimensions() == 1 ? 1 : m_columns; }

Variant& VariantArray::operator[](int index)
{
    if (dimensions() != 1 || index < 0 || index >= count())
        fail(kErrSubscript, "Subscript out of range");
    return m_items[static_cast<size_t>(index)];
}

const Variant& VariantArray::operator[](int index) const
{
    return const_cast<VariantArray&>(*this)[index];
}

Variant& VariantArray::at(int row, int column)
{
    if (dimensions() != 2 || row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        fail(kErrSubscript, "Subscript out of range");
    return m_items[static_cast<size_t>(row * m_columns + column)];
}

const Variant& VariantArray::at(int row, int column) const
{
    return const_cast<VariantArray&>(*this).at(row, column);
}

void VariantArray::append(Variant value)
{
    if (dimensions() != 1)
        fail(kErrSubscript, "Subscript out of range");
    m_items.push_back(std::move(value));
}

} // namespace ostrel
