#pragma once
// The cuff pressure of one instrument run against the time since its start, as the test-guide
// window plotted it. Bounded: a long run keeps at most kMaxPoints points, evenly spaced, the
// newest always among them. Stored by the host beside the element's own data, never inside it.
//
// Stored form (times in ms since the run started, pressures in mmHg):
//   <PressureCurve>0 0;250 12.5;500 25</PressureCurve>
#include "host/contract/Forward.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace ostrel {

class PressureCurve {
public:
    static constexpr char kElement[] = "PressureCurve";
    static constexpr int kMaxPoints = 1000;

    struct Point {
        std::int64_t ms = 0;
        double mmHg = 0;
        bool operator==(const Point&) const = default;
    };

    // A time before the last point's is taken as the last point's time.
    void Add(std::int64_t ms, double mmHg);
    void Clear();
    bool IsEmpty() const { return m_points.empty(); }
    int Count() const { return static_cast<int>(m_points.size()); }
    const std::vector<Point>& Points() const { return m_points; }
    std::int64_t DurationMs() const { return m_points.empty() ? 0 : m_points.back().ms; }
    double PeakMmHg() const;

    // The compact text of the stored form, and back; unreadable pairs are left out.
    QString ToText() const;
    static PressureCurve FromText(const QString& text);
    StorageElement Save(const StorageDocumentPtr& document) const;
    // An element of another name, or none, gives an empty curve.
    static PressureCurve Load(const StorageElement& element);

    bool operator==(const PressureCurve& other) const { return m_points == other.m_points; }

private:
    // Halves the points (keeping the first and the newest) and doubles the spacing of new ones.
    void thin();

    std::vector<Point> m_points;
    std::int64_t m_spacingMs = 0; // the least time between two kept points; 0 until thinned
};

} // namespace ostrel
