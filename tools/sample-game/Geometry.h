#pragma once
// Small plane and sphere helpers for the painters.

#include <cmath>
#include <vector>

namespace krel::sample {

inline constexpr float Pi = 3.14159265f;

struct Point {
    float X = 0, Y = 0;
};

struct Vec3 {
    float X = 0, Y = 0, Z = 0;
};

inline float Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
inline Vec3 Normalized(Vec3 v) {
    float length = std::sqrt(Dot(v, v));
    return {v.X / length, v.Y / length, v.Z / length};
}

// The point turned by angle (radians) around the origin.
inline Point Turned(Point p, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return {p.X * c - p.Y * s, p.X * s + p.Y * c};
}

// Even-odd rule.
bool Inside(const std::vector<Point>& polygon, Point p);
float SegmentDistance(Point a, Point b, Point p);
float PolylineDistance(const std::vector<Point>& line, Point p);

} // namespace krel::sample
