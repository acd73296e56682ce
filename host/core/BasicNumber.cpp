#include "BasicNumber.h"

#include "ComError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ostrel {

namespace {

// The conversions fail as the Variant's own do: they are the same rules.
[[noreturn]] void overflow()
{
    throw ComError(kErrOverflow, QStringLiteral("ostrel.Variant"), QStringLiteral("Overflow"));
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
    const auto [ptr, ec] = std::from_chars(begin, digits.constData() + digits.size(), out);
    if (ec == std::errc::result_out_of_range) {
        // Too large reads as infinite (so that a conversion to an integer overflows), too
        // small as zero.
        const bool negative = digits.startsWith('-');
        const bool tiny = digits.contains("e-");
        return tiny ? (negative ? -0.0 : 0.0)
                    : (negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity());
    }
    return out;
}

std::optional<double> wholeNumber(const QString& text)
{
    // Blanks around, an optional sign, digits with an optional "." fraction and an optional
    // exponent; or "&H" and hexadecimal digits.
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        return ok ? std::optional<double>(static_cast<double>(v)) : std::nullopt;
    }
    const QByteArray bytes = t.toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (*begin == '+')
        ++begin;
    double out = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, out);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return out;
}

std::int32_t roundToLong(double value) { return roundChecked<std::int32_t>(value); }
std::int16_t roundToInteger(double value) { return roundChecked<std::int16_t>(value); }
std::uint8_t roundToByte(double value) { return roundChecked<std::uint8_t>(value); }

namespace {

// The shortest decimal digits that read back to the value, and the decimal exponent of the
// first digit: 1234.5 gives {"12345", 3}.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

template <class T>
Decimal shortestDecimal(T value)
{
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string text(buf, ptr);
    const size_t e = text.find('e');
    Decimal d;
    for (size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.exponent = std::stoi(text.substr(e + 1));
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Plain notation ("1234.5", "0.001") within the range that reads well, "1.5E+20" and
// "1.5E-07" outside it, as the ordinary text of a number reads.
template <class T>
QString shortestText(T value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0");
    const Decimal d = shortestDecimal(value);
    const int n = static_cast<int>(d.digits.size());
    std::string out = value < 0 ? "-" : "";
    constexpr int kMaxPlainExponent = 14;
    constexpr int kMinPlainExponent = -5;
    if (d.exponent > kMaxPlainExponent || d.exponent < kMinPlainExponent) {
        out += d.digits[0];
        if (n > 1)
            out += '.' + d.digits.substr(1);
        out += d.exponent < 0 ? "E-" : "E+";
        out += std::to_string(std::abs(d.exponent));
    } else if (d.exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
    } else if (n <= d.exponent + 1) {
        out += d.digits + std::string(static_cast<size_t>(d.exponent + 1 - n), '0');
    } else {
        out += d.digits.substr(0, static_cast<size_t>(d.exponent + 1)) + '.' + d.digits.substr(static_cast<size_t>(d.exponent + 1));
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace

QString numberToText(double value) { return shortestText(value); }
QString numberToText(float value) { return shortestText(value); }

QString formatNumber(double value, const QString& format)
{
    // Digit placeholders: "0" before the point sets the minimum number of integer digits, "0"
    // after it a decimal always shown, "#" after it a decimal shown when not zero. The value is
    // rounded as it is written (its shortest decimal text), halves away from zero, so 2.675
    // with "0.00" gives "2.68" and 2.449 with "0.0" gives "2.4".
    if (!std::isfinite(value))
        return numberToText(value);
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? format : format.left(point);
    const QString fracPart = point < 0 ? QString() : format.mid(point + 1);
    const int minInt = static_cast<int>(intPart.count(QLatin1Char('0')));
    const int required = static_cast<int>(fracPart.count(QLatin1Char('0')));
    const int decimals = required + static_cast<int>(fracPart.count(QLatin1Char('#')));

    // All digits of |value| as integer digits and decimals, rounded to `decimals`.
    std::string whole = "0";
    std::string frac(static_cast<size_t>(decimals), '0');
    if (value != 0) {
        const Decimal d = shortestDecimal(value);
        const int intDigits = std::max(d.exponent + 1, 0);
        // Position of each digit: digit i has weight 10^(exponent - i).
        std::string all(static_cast<size_t>(intDigits + decimals), '0'); // integer digits then decimals
        bool roundUp = false;
        for (int i = 0; i < static_cast<int>(d.digits.size()); ++i) {
            const int slot = (intDigits - 1) - (d.exponent - i); // index in `all`
            if (slot < 0)
                continue; // cannot happen: intDigits covers every integer digit
            if (slot < static_cast<int>(all.size()))
                all[static_cast<size_t>(slot)] = d.digits[static_cast<size_t>(i)];
            else if (slot == static_cast<int>(all.size()))
                roundUp = d.digits[static_cast<size_t>(i)] >= '5';
        }
        if (roundUp) {
            int i = static_cast<int>(all.size()) - 1;
            for (; i >= 0; --i) {
                if (all[static_cast<size_t>(i)] == '9') {
                    all[static_cast<size_t>(i)] = '0';
                } else {
                    ++all[static_cast<size_t>(i)];
                    break;
                }
            }
            if (i < 0)
                all.insert(all.begin(), '1');
        }
        const size_t wholeDigits = all.size() - static_cast<size_t>(decimals);
        whole = all.substr(0, wholeDigits);
        frac = all.substr(wholeDigits);
        const size_t firstNonZero = whole.find_first_not_of('0');
        whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    }
    while (static_cast<int>(frac.size()) > required && !frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (whole == "0" && minInt == 0)
        whole.clear();
    while (static_cast<int>(whole.size()) < minInt)
        whole.insert(whole.begin(), '0');
    const bool negative = value < 0 && (whole.find_first_not_of('0') != std::string::npos || frac.find_first_not_of('0') != std::string::npos);
    std::string out = negative ? "-" : "";
    out += whole;
    if (!frac.empty())
        out += '.' + frac;
    if (out.empty() || out == "-")
        return QStringLiteral("0");
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace ostrel
