#include "Variant.h"

#include <charconv>
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

// A whole text as a number, as CDbl reads it: blanks around, an optional sign, digits with
// an optional "." fraction and an optional exponent; "&H" hexadecimal too.
bool parseWholeNumber(const QString& text, double& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        out = static_cast<double>(v);
        return ok;
    }
    const QByteArray bytes = t.toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (*begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, out);
    return ec == std::errc() && ptr == end;
}

template <class T>
T roundChecked(double value)
{
    if (!std::isfinite(value))
        overflow();
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
        overflow();
    return static_cast<T>(r);
}

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
        double out = 0.0;
        if (parseWholeNumber(s, out))
            return out;
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
std::uint8_t Variant::toByte() const { return roundChecked<std::uint8_t>(toDouble()); }
std::int16_t Variant::toInteger() const { return roundChecked<std::int16_t>(toDouble()); }
std::int32_t Variant::toLong() const { return roundChecked<std::int32_t>(toDouble()); }

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

// ---- free conversions ---------------------------------------------------------------------

double leadingNumber(const QString& text)
{
    // Val(): blanks anywhere are skipped; reading stops at the first character that cannot
    // continue a number.
    QByteArray digits;
    bool seenDigit = false, seenPoint = false, seenExp = false;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
            ++i;
    };
    skipBlanks();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        digits.append(static_cast<char>(text[i++].toLatin1()));
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            digits.append(static_cast<char>(c.toLatin1()));
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenPoint && !seenExp) {
            digits.append('.');
            seenPoint = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') || c == QLatin1Char('D'))
                   && seenDigit && !seenExp) {
            // Only an exponent that carries digits counts.
            int j = i + 1;
            QByteArray exp("e");
            if (j < n && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+')))
                exp.append(static_cast<char>(text[j++].toLatin1()));
            if (j < n && text[j].isDigit() && text[j].unicode() < 128) {
                digits.append(exp);
                seenExp = true;
                i = j - 1;
            } else {
                break;
            }
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    double out = 0.0;
    const char* begin = digits.constData();
    if (*begin == '+')
        ++begin;
    std::from_chars(begin, digits.constData() + digits.size(), out);
    return out;
}

std::int32_t roundToLong(double value) { return roundChecked<std::int32_t>(value); }
std::int16_t roundToInteger(double value) { return roundChecked<std::int16_t>(value); }

namespace {
template <class T>
QString shortestText(T value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    QString s = QString::fromLatin1(buf, static_cast<int>(ptr - buf));
    return s.replace(QLatin1Char('e'), QLatin1Char('E'));
}
} // namespace

QString numberToText(double value) { return shortestText(value); }
QString numberToText(float value) { return shortestText(value); }

QString formatNumber(double value, const QString& format)
{
    // Digit placeholders only: "0" before the point sets the minimum integer digits, "0"
    // after it the number of decimals. Halves round away from zero, as the format function does.
    const int point = format.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? format : format.left(point);
    const QString fracPart = point < 0 ? QString() : format.mid(point + 1);
    const int minInt = static_cast<int>(intPart.count(QLatin1Char('0')));
    const int decimals = static_cast<int>(fracPart.count(QLatin1Char('0')));
    if (!std::isfinite(value))
        return numberToText(value);
    const double scale = std::pow(10.0, decimals);
    double scaled = std::round(std::fabs(value) * scale); // std::round: halves away from zero
    // Correct for binary representation: 2.675 with "0.00" should read 2.68, as written.
    const double check = std::round(std::fabs(value) * scale * 10.0) / 10.0;
    if (std::fabs(check - std::floor(check) - 0.5) < 1e-9)
        scaled = std::floor(check) + 1.0;
    const bool negative = value < 0 && scaled != 0.0;
    QString digits = QString::number(scaled, 'f', 0);
    while (digits.size() < decimals + std::max(minInt, 0) && digits.size() <= decimals)
        digits.prepend(QLatin1Char('0'));
    QString whole = digits.left(digits.size() - decimals);
    const QString frac = digits.right(decimals);
    while (whole.size() < minInt)
        whole.prepend(QLatin1Char('0'));
    QString out = whole;
    if (decimals > 0)
        out += QLatin1Char('.') + frac;
    if (negative)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace ostrel
