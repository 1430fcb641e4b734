#pragma once
// What a picture box shows: lines and texts in user units, in drawing order.
// Pure data, so that charts and dials can be built and checked without a window.
#include <QPointF>
#include <QString>
#include <cstdint>
#include <vector>

struct Rgb
{
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

struct DrawItem
{
    enum class Kind { Line, Text };
    Kind kind = Kind::Line;
    QPointF from;   // line start, or the top-left corner of a text
    QPointF to;     // line end (unused for texts)
    Rgb color;
    QString text;
    friend bool operator==(const DrawItem &, const DrawItem &) = default;
};

class DisplayList
{
public:
    // The user coordinate system: width and height in user units, x right, y down.
    void setScale(double width, double height)
    {
        m_scaleWidth = width;
        m_scaleHeight = height;
    }
    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }

    void clear()
    {
        m_items.clear();
        m_background = 0;
    }
    // Marks what has been drawn so far as the background: a picture box keeps
    // it painted and draws only the rest again while the background stands.
    void markBackground() { m_background = m_items.size(); }
    size_t backgroundSize() const { return m_background; }
    void line(QPointF from, QPointF to, Rgb color) { m_items.push_back({DrawItem::Kind::Line, from, to, color, {}}); }
    void line(double x1, double y1, double x2, double y2, Rgb color) { line({x1, y1}, {x2, y2}, color); }
    // A text with its top-left corner at `at`.
    void text(QPointF at, const QString &text, Rgb color) { m_items.push_back({DrawItem::Kind::Text, at, at, color, text}); }
    void reserve(size_t n) { m_items.reserve(n); }

    const std::vector<DrawItem> &items() const { return m_items; }

private:
    double m_scaleWidth = 1000.0;
    double m_scaleHeight = 1000.0;
    std::vector<DrawItem> m_items;
    size_t m_background = 0;
};
