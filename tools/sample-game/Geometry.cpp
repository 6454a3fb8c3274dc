#include "Geometry.h"

#include <algorithm>
#include <limits>

namespace krel::sample {

bool Inside(const std::vector<Point>& polygon, Point p) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
            inside = !inside;
    }
    return inside;
}

float SegmentDistance(Point a, Point b, Point p) {
    float dx = b.X - a.X, dy = b.Y - a.Y;
    float length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2, 0.0f, 1.0f)
                          : 0.0f;
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

float PolylineDistance(const std::vector<Point>& line, Point p) {
    float nearest = std::numeric_limits<float>::max();
    for (size_t i = 1; i < line.size(); ++i)
        nearest = std::min(nearest, SegmentDistance(line[i - 1], line[i], p));
    return nearest;
}

} // namespace krel::sample
