// Blueprints of technologies: a device drawn in white ink on a blue grid, with a glowing core.
// Three kinds of device: a ring engine seen end-on, a drive seen from the side, and a gate.

#include "Art.h"
#include "Geometry.h"

namespace krel::sample {
namespace {

enum class Device { Rings, Drive, Gate };

float stroke(float distance, float width) {
    return SmoothStep(width, width * 0.3f, distance);
}

float onGrid(float v, float step) {
    float m = std::fmod(v, step);
    return std::min(m, step - m);
}

void paintPaper(Canvas& canvas) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    canvas.Paint([=](float x, float y) {
        Rgb paper = Mix(Hex(0x0d3260), Hex(0x061c3a), std::hypot(x - w / 2, y - h / 2) / w);
        float minor = std::min(onGrid(x, 8), onGrid(y, 8));
        float major = std::min(onGrid(x, 32), onGrid(y, 32));
        float grid = std::max(stroke(minor, 0.4f) * 0.12f, stroke(major, 0.5f) * 0.28f);
        return Rgba{Mix(paper, Hex(0x9ad0ff), grid), 1};
    });
}

float ringsInk(Point d, float radius, int rings, int spokes, bool lattice) {
    float r = std::hypot(d.X, d.Y), ink = 0;
    for (int i = 1; i <= rings; ++i)
        ink = std::max(
            ink, stroke(std::fabs(r - radius * static_cast<float>(i) / static_cast<float>(rings)),
                        0.6f));
    float turns = std::atan2(d.Y, d.X) * static_cast<float>(spokes) / (2 * Pi);
    float spoke = std::fabs(turns - std::round(turns)) * 2 * Pi * r / static_cast<float>(spokes);
    if (r > radius * 0.3f && r < radius)
        ink = std::max(ink, stroke(spoke, 0.5f));
    float tick =
        std::fabs(turns * 6 - std::round(turns * 6)) * 2 * Pi * r / static_cast<float>(spokes * 6);
    if (r > radius && r < radius * 1.12f)
        ink = std::max(ink, stroke(tick, 0.4f));
    if (lattice && r < radius * 0.9f)
        ink = std::max(ink,
                       stroke(std::min(onGrid(d.X + 100, 5), onGrid(d.Y + 100, 5)), 0.35f) * 0.6f);
    return ink;
}

float driveInk(Point d, float radius, int coils) {
    float length = radius * 2.4f, half = radius * 0.55f;
    float box = std::max(std::fabs(d.X) - length / 2, std::fabs(d.Y) - half);
    float ink = stroke(std::fabs(box), 0.6f);
    for (int i = 0; i < coils; ++i) {
        float cx =
            -length / 2 + length * (static_cast<float>(i) + 0.5f) / static_cast<float>(coils);
        float coil = std::hypot((d.X - cx) / (radius * 0.12f), d.Y / (half * 1.35f));
        ink = std::max(ink, stroke(std::fabs(coil - 1) * radius * 0.12f, 0.5f));
    }
    float nozzle = std::fabs(d.Y) - (half + (-d.X - length / 2) * 0.6f);
    if (d.X < -length / 2 && d.X > -length / 2 - radius * 0.4f)
        ink = std::max(ink, stroke(std::fabs(nozzle), 0.5f));
    return ink;
}

float gateInk(Point d, float radius, int nodes) {
    float r = std::hypot(d.X, d.Y);
    float ink =
        std::max(stroke(std::fabs(r - radius), 0.7f), stroke(std::fabs(r - radius * 0.86f), 0.5f));
    for (int i = 0; i < nodes; ++i) {
        float angle = 2 * Pi * static_cast<float>(i) / static_cast<float>(nodes);
        Point node{std::cos(angle) * radius * 0.93f, std::sin(angle) * radius * 0.93f};
        float n = std::hypot(d.X - node.X, d.Y - node.Y);
        ink = std::max(ink, stroke(std::fabs(n - radius * 0.1f), 0.5f));
    }
    float web = std::fabs(std::sin(std::atan2(d.Y, d.X) * static_cast<float>(nodes) / 2 + r / 3));
    if (r < radius * 0.8f)
        ink = std::max(ink, stroke(web, 0.08f) * 0.35f);
    return ink;
}

void paintLeaders(Canvas& canvas, Point centre, float radius) {
    for (float side : {-1.0f, 1.0f}) {
        std::vector<Point> leader = {{centre.X + side * radius * 0.7f, centre.Y - radius * 0.7f},
                                     {centre.X + side * radius * 1.3f, centre.Y - radius * 1.05f},
                                     {centre.X + side * radius * 1.9f, centre.Y - radius * 1.05f}};
        canvas.Paint([=](float x, float y) {
            return Rgba{Hex(0xd8f0ff), stroke(PolylineDistance(leader, {x, y}), 0.5f) * 0.8f};
        });
    }
}

} // namespace

void PaintTech(Canvas& canvas, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    Point centre{w / 2, h / 2};
    float radius = h * 0.38f;
    Random random(seed);
    auto device = static_cast<Device>(seed % 3);
    int rings = 2 + random.Below(3), spokes = 3 + random.Below(6);
    bool lattice = random.Next() < 0.5f;
    paintPaper(canvas);
    canvas.Paint([=](float x, float y) {
        Point d{x - centre.X, y - centre.Y};
        float ink = device == Device::Rings   ? ringsInk(d, radius, rings, spokes, lattice)
                    : device == Device::Drive ? driveInk(d, radius, rings + 2)
                                              : gateInk(d, radius, spokes + 3);
        return Rgba{Hex(0xd8f0ff), ink * 0.9f};
    });
    paintLeaders(canvas, centre, radius);
    float core = device == Device::Drive ? 0.5f : 1.0f;
    canvas.Light([=](float x, float y) {
        float r = std::hypot(x - centre.X, y - centre.Y) / radius;
        return Hex(0x60e0ff) *
               (core * (std::exp(-r * r / 0.02f) * 1.5f + std::exp(-r / 0.25f) * 0.25f));
    });
}

} // namespace krel::sample
