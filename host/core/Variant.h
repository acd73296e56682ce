#pragma once
// The one dynamic value of the platform (the automation VARIANT) with the Basic conversions
// of a value; the rules themselves for plain numbers and texts are in BasicNumber.h.
#include "Object.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

namespace ostrel {

class VariantArray;

enum class VarType { Empty, Null, Missing, Boolean, Byte, Integer, Long, Single, Double, String, Array, Object };

class Variant {
public:
    Variant() = default; // Empty
    Variant(bool value);
    Variant(std::uint8_t value);
    Variant(std::int16_t value);
    Variant(std::int32_t value);
    Variant(float value);
    Variant(double value);
    Variant(QString value);
    Variant(const char* utf8);
    Variant(VariantArray value);
    Variant(ObjectPtr value);
    template <class T, class = std::enable_if_t<std::is_base_of_v<IObject, T>>>
    Variant(std::shared_ptr<T> value) : Variant(std::static_pointer_cast<IObject>(value)) {}

    Variant(const Variant& other);
    Variant(Variant&& other) noexcept = default;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept = default;
    ~Variant();

    static Variant null();
    static Variant missing();

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const { return type() == VarType::Missing; }
    bool isEmptyOrNull() const { return isEmpty() || isNull(); }
    bool isNumeric() const; // Boolean, Byte, Integer, Long, Single, Double
    bool isString() const { return type() == VarType::String; }
    bool isArray() const { return type() == VarType::Array; }
    bool isObject() const { return type() == VarType::Object; }

    // Basic conversions (CBool, CByte, CInt, CLng, CSng, CDbl, CStr). Empty converts to 0 or
    // "", Null fails with 94, text must be a whole number (after trimming blanks) or fails
    // with 13, integers round halves to even and fail with 6 on overflow. True is -1.
    bool toBool() const;
    std::uint8_t toByte() const;
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    QString toText() const;

    // Val(): the leading number of the text ("12a" is 12, "abc" is 0); numbers as they are;
    // Empty and Null give 0. Never fails for scalars.
    double val() const;
    // The ordinary text of a value, never failing: Empty and Null give "", arrays and objects "".
    QString text() const;

    ObjectPtr toObject() const; // nullptr unless Object
    template <class I>
    std::shared_ptr<I> as() const { return std::dynamic_pointer_cast<I>(toObject()); }

    const VariantArray& array() const; // fails with 13 when not an array
    VariantArray& array();

    bool operator==(const Variant& other) const; // same type and same value
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    struct Null_ {
        bool operator==(const Null_&) const = default;
    };
    struct Missing_ {
        bool operator==(const Missing_&) const = default;
    };
    struct Bool_ {
        bool value;
        bool operator==(const Bool_&) const = default;
    };
    using Storage = std::variant<std::monostate, Null_, Missing_, Bool_, std::uint8_t, std::int16_t, std::int32_t,
                                 float, double, QString, std::unique_ptr<VariantArray>, ObjectPtr>;
    Storage m_value;
};

// One- or two-dimensional, zero-based array of variants.
class VariantArray {
public:
    VariantArray() = default;                    // one dimension, no elements (upper bound -1)
    explicit VariantArray(int count);            // one dimension, count Empty elements
    VariantArray(int rows, int columns);         // two dimensions
    VariantArray(std::initializer_list<Variant> items);
    static VariantArray fromTexts(const std::vector<QString>& texts);

    int dimensions() const { return m_columns < 0 ? 1 : 2; }
    int count() const { return static_cast<int>(m_items.size()); }
    int upperBound(int dimension = 1) const; // -1 for an empty array
    int rows() const;
    int columns() const;

    Variant& operator[](int index);             // one dimension; fails with 9 out of range
    const Variant& operator[](int index) const;
    Variant& at(int row, int column);            // two dimensions
    const Variant& at(int row, int column) const;
    void append(Variant value);                  // one dimension only

    const std::vector<Variant>& items() const { return m_items; }
    bool operator==(const VariantArray& other) const = default;

private:
    std::vector<Variant> m_items;
    int m_rows = -1;
    int m_columns = -1;
};

} // namespace ostrel
