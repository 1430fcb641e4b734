#pragma once
// The measuring cycle of the report chart: a left click takes the first
// point, the next left click the second; any other button starts over. The
// travel time is the horizontal distance of the two points in seconds.
#include <QPointF>
#include <cstdint>
#include <optional>

class TravelMeasurement
{
public:
    // A left click: the first point when none is set, else the second one.
    void leftClick(QPointF at)
    {
        if (!m_firstPointSet) {
            m_first = at;
            m_firstPointSet = true;
            m_complete = false;
        } else {
            m_second = at;
            m_firstPointSet = false;
            m_complete = true;
        }
    }
    // A click with any other button: no point, no measurement.
    void reset()
    {
        m_firstPointSet = false;
        m_complete = false;
    }

    bool firstPointSet() const { return m_firstPointSet; }
    bool complete() const { return m_complete; }

    // |x1 - x2| / (10 k) seconds, only once both points are taken.
    std::optional<float> travelTime(int32_t k) const
    {
        if (!m_complete)
            return std::nullopt;
        const float x1 = float(m_first.x());
        const float x2 = float(m_second.x());
        return (x1 > x2 ? x1 - x2 : x2 - x1) / (10.0f * float(k));
    }

private:
    QPointF m_first;
    QPointF m_second;
    bool m_firstPointSet = false;
    bool m_complete = false;
};
