#include "host/results/PressureCurve.h"

#include "host/core/Variant.h"
#include "host/storage/StorageElement.h"
#include "host/core/BasicNumber.h"

#include <QStringList>
#include <QStringTokenizer>
#include <algorithm>
#include <charconv>
#include <type_traits>
#include <cmath>

namespace ostrel {

namespace {

// A number as the curve's text writes it ("1234", "-0.5", "1e-05"), read without a detour
// through the locale; anything else is read as QString reads numbers, so a hand-edited curve
// reads as before.
template <typename Number> Number plainNumber(QStringView text, bool* ok)
{
    constexpr qsizetype kLongest = 40;
    char ascii[kLongest];
    const qsizetype size = text.size();
    const bool plainStart = size > 0 && (text[0].isDigit() || (size > 1 && text[0] == QLatin1Char('-') && text[1].isDigit()));
    if (plainStart && size <= kLongest) {
        qsizetype i = 0;
        for (; i < size && text[i].unicode() < 0x80; ++i)
            ascii[i] = static_cast<char>(text[i].unicode());
        Number value{};
        const auto [end, error] = std::from_chars(ascii, ascii + i, value);
        if (i == size && error == std::errc() && end == ascii + size) {
            *ok = true;
            return value;
        }
    }
    if constexpr (std::is_same_v<Number, double>)
        return text.toDouble(ok);
    else
        return text.toLongLong(ok);
}

} // namespace

void PressureCurve::Clear()
{
    m_points.clear();
    m_spacingMs = 0;
}

void PressureCurve::Add(std::int64_t ms, double mmHg)
{
    if (!std::isfinite(mmHg))
        return;
    if (!m_points.empty())
        ms = std::max(ms, m_points.back().ms);
    // Closer to the point before the last than the spacing allows: the last point moves on,
    // so the newest value is always shown and the points stay evenly spaced.
    const std::size_t count = m_points.size();
    if (count >= 2 && (ms - m_points[count - 2].ms < m_spacingMs || ms == m_points.back().ms)) {
        m_points.back() = {ms, mmHg};
        return;
    }
    if (count == 1 && ms == m_points.back().ms) {
        m_points.back() = {ms, mmHg};
        return;
    }
    m_points.push_back({ms, mmHg});
    if (m_points.size() > static_cast<std::size_t>(kMaxPoints))
        thin();
}

void PressureCurve::thin()
{
    std::vector<Point> kept;
    kept.reserve(m_points.size() / 2 + 1);
    for (std::size_t i = 0; i < m_points.size(); i += 2)
        kept.push_back(m_points[i]);
    if (kept.back().ms != m_points.back().ms)
        kept.back() = m_points.back();
    m_points = std::move(kept);
    const std::int64_t span = m_points.back().ms - m_points.front().ms;
    m_spacingMs = std::max<std::int64_t>(1, 2 * span / kMaxPoints);
}

double PressureCurve::PeakMmHg() const
{
    double peak = 0;
    for (const Point& point : m_points)
        peak = std::max(peak, point.mmHg);
    return peak;
}

QString PressureCurve::ToText() const
{
    QString text;
    text.reserve(static_cast<qsizetype>(m_points.size()) * 12);
    for (const Point& point : m_points) {
        if (!text.isEmpty())
            text += QLatin1Char(';');
        text += QString::number(point.ms);
        text += QLatin1Char(' ');
        text += numberToText(point.mmHg);
    }
    return text;
}

PressureCurve PressureCurve::FromText(const QString& text)
{
    PressureCurve curve;
    // Read in place: a stored curve holds thousands of points.
    for (const QStringView pair : QStringTokenizer(text, QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QStringView parts[2];
        int count = 0;
        for (const QStringView part : QStringTokenizer(pair.trimmed(), QLatin1Char(' '), Qt::SkipEmptyParts))
            if (++count <= 2)
                parts[count - 1] = part;
        if (count != 2)
            continue;
        bool timeOk = false;
        bool pressureOk = false;
        const std::int64_t ms = plainNumber<std::int64_t>(parts[0], &timeOk);
        const double mmHg = plainNumber<double>(parts[1], &pressureOk);
        // A stored curve runs forward in time: a point that goes back is no part of it.
        if (!timeOk || !pressureOk || ms < 0 || (!curve.m_points.empty() && ms <= curve.m_points.back().ms))
            continue;
        curve.Add(ms, mmHg);
    }
    return curve;
}

StorageElement PressureCurve::Save(const StorageDocumentPtr& document) const
{
    StorageElement element = document->CreateElement(QLatin1String(kElement));
    element.SetText(ToText());
    return element;
}

PressureCurve PressureCurve::Load(const StorageElement& element)
{
    if (!element || element.Name() != QLatin1String(kElement))
        return {};
    return FromText(element.Text());
}

} // namespace ostrel
