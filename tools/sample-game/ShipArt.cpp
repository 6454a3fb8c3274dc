// Starships seen from above in flight, on a transparent background: fighters, haulers and
// cruisers, each drawn as shaded metal shapes with glowing engines.

#include "Art.h"
#include "Geometry.h"

#include <array>

namespace krel::sample {
namespace {

struct ShipDesign {
    ShipFamily Family;
    float Width, Span, Sweep;
    int Engines, Pods;
    Rgb Metal, Trim, Exhaust;
};

ShipDesign designFor(ShipFamily family, uint32_t seed) {
    static const std::array<unsigned, 4> metals = {0x8a96a8, 0xa89a86, 0x7a8a6a, 0xc8ccd2};
    static const std::array<unsigned, 4> trims = {0xb03a2a, 0xd8a030, 0x2a8a9a, 0xe0e0e0};
    Random random(seed);
    return {family,
            random.Between(0.14f, 0.2f),
            random.Between(0.3f, 0.5f),
            random.Between(0.15f, 0.45f),
            1 + random.Below(3),
            3 + random.Below(3),
            Hex(metals[seed % metals.size()]),
            Hex(trims[(seed / 4) % trims.size()]),
            seed % 2 ? Hex(0x7ac8ff) : Hex(0xffa050)};
}

// A shape given by its upper half, mirrored about the ship's long axis.
std::vector<Point> mirrored(std::vector<Point> upper) {
    for (size_t i = upper.size(); i-- > 0;)
        upper.push_back({upper[i].X, -upper[i].Y});
    return upper;
}

std::vector<Point> hullOf(const ShipDesign& d) {
    float w = d.Width;
    if (d.Family == ShipFamily::Cruiser)
        return mirrored({{1.0f, 0},
                         {0.8f, -w * 0.35f},
                         {0.42f, -w * 0.55f},
                         {0.36f, -w * 1.0f},
                         {-0.3f, -w * 1.1f},
                         {-0.36f, -w * 0.75f},
                         {-0.9f, -w * 0.8f},
                         {-1.0f, -w * 0.5f}});
    return mirrored({{1.0f, 0},
                     {0.72f, -w * 0.42f},
                     {0.3f, -w},
                     {-0.55f, -w * 0.9f},
                     {-0.95f, -w * 0.7f},
                     {-1.0f, -w * 0.35f}});
}

std::vector<Point> wingOf(const ShipDesign& d, float side) {
    float w = d.Width, span = d.Family == ShipFamily::Dart ? d.Span : d.Span * 0.55f;
    return {{0.15f, -w * 0.8f * side},
            {-0.3f - d.Sweep, -span * side},
            {-0.45f - d.Sweep, -span * side},
            {-0.7f, -w * 0.8f * side}};
}

float engineY(const ShipDesign& d, int engine) {
    if (d.Engines == 1)
        return 0;
    float t = static_cast<float>(engine) / static_cast<float>(d.Engines - 1) - 0.5f;
    return t * d.Width * 1.2f;
}

Rgb metalAt(const ShipDesign& d, Point p, float shade) {
    float plates = 0.92f + 0.08f * Noise2(p.X * 24, p.Y * 24, 5);
    float seams = std::fabs(p.X * 4 - std::round(p.X * 4)) < 0.03f ? 0.82f : 1.0f;
    return d.Metal * (shade * plates * seams);
}

// Rounded across the hull: the upper side catches the light.
float across(const ShipDesign& d, Point p) {
    return 0.5f + 0.55f * Clamp01(1 - std::fabs(p.Y / d.Width + 0.35f));
}

Rgba hauler(const ShipDesign& d, Point p) {
    static const std::array<unsigned, 4> cargo = {0x9a4a32, 0xc09040, 0x3a7a80, 0x7a7a7a};
    float w = d.Width;
    if (p.X > 0.55f && p.X < 0.95f && std::fabs(p.Y) < w * 0.75f)
        return {p.X > 0.8f ? Mix(Hex(0x1a3a5a), Hex(0x9ad8ff), 0.4f) : metalAt(d, p, across(d, p)),
                1};
    float slot = (p.X + 0.62f) / 1.12f * static_cast<float>(d.Pods);
    int pod = static_cast<int>(std::floor(slot));
    bool inPod = pod >= 0 && pod < d.Pods && slot - static_cast<float>(pod) > 0.08f;
    if (inPod && std::fabs(p.Y) < w * 1.25f) {
        Rgb box = Hex(cargo[static_cast<size_t>(pod) % cargo.size()]);
        float ribs = std::fabs(std::fmod((p.Y + 1) * 40, 1.0f) - 0.5f) < 0.1f ? 0.85f : 1.0f;
        return {box * (ribs * (0.6f + 0.45f * Clamp01(1 - p.Y / w))), 1};
    }
    bool spine = p.X > -0.85f && p.X < 0.6f && std::fabs(p.Y) < w * 0.3f;
    bool block = p.X > -1.0f && p.X < -0.7f && std::fabs(p.Y) < w * 0.95f;
    return spine || block ? Rgba{metalAt(d, p, across(d, p) * 0.85f), 1} : Rgba{};
}

Rgba winged(const ShipDesign& d, const std::vector<Point>& hull, Point p) {
    for (float side : {1.0f, -1.0f})
        if (Inside(wingOf(d, side), p)) {
            bool stripe = std::fabs(p.X + 0.45f + d.Sweep * 0.5f) < 0.04f;
            return {stripe ? d.Trim * 0.8f : metalAt(d, p, side > 0 ? 0.8f : 0.55f), 1};
        }
    if (Inside(hull, p)) {
        float glass =
            std::hypot((p.X - 0.55f) / 0.16f, (p.Y + d.Width * 0.15f) / (d.Width * 0.35f));
        if (glass < 1)
            return {Mix(Hex(0x1a3a5a), Hex(0x9ad8ff), Clamp01(0.5f - p.Y / d.Width)), 1};
        bool band = std::fabs(p.X - 0.1f) < 0.03f;
        return {band ? d.Trim : metalAt(d, p, across(d, p)), 1};
    }
    for (int e = 0; e < d.Engines; ++e)
        if (p.X > -1.08f && p.X < -0.6f && std::fabs(p.Y - engineY(d, e)) < d.Width * 0.22f)
            return {metalAt(d, p, 0.6f), 1};
    return {};
}

Rgb exhaust(const ShipDesign& d, Point p) {
    Rgb light;
    for (int e = 0; e < d.Engines; ++e) {
        float dy = p.Y - engineY(d, e), dx = p.X + 1.08f;
        float core = std::exp(-(dx * dx + dy * dy) / 0.003f);
        float plume = dx < 0 ? std::exp(dx / 0.3f) * std::exp(-std::fabs(dy) / 0.025f) : 0.0f;
        light = light + d.Exhaust * (core * 1.6f + plume * 0.9f);
    }
    return light;
}

// Running lights: red to port, green to starboard, and lit windows along a cruiser.
Rgb runningLights(const ShipDesign& d, Point p) {
    bool hauler = d.Family == ShipFamily::Hauler;
    float span = hauler ? d.Width * 1.25f : d.Family == ShipFamily::Dart ? d.Span : d.Span * 0.55f;
    float back = hauler ? 0.0f : -0.38f - d.Sweep;
    Point port{back, -span}, starboard{back, span};
    auto dot = [&](Point at, float size) {
        return std::exp(-((p.X - at.X) * (p.X - at.X) + (p.Y - at.Y) * (p.Y - at.Y)) / size);
    };
    Rgb light = Hex(0xff3030) * dot(port, 0.0006f) + Hex(0x30ff60) * dot(starboard, 0.0006f);
    if (d.Family == ShipFamily::Cruiser)
        for (int i = 0; i < 9; ++i)
            light = light + Hex(0xffe0a0) *
                                (0.6f * dot({0.3f - 0.1f * static_cast<float>(i), d.Width * 0.55f},
                                            0.0002f));
    return light;
}

} // namespace

void PaintShip(Canvas& canvas, ShipFamily family, uint32_t seed) {
    ShipDesign design = designFor(family, seed);
    std::vector<Point> hull = hullOf(design);
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    float scale = std::min(w * 0.4f, h * 0.5f / std::max(design.Span, 0.5f));
    auto shipPoint = [=](float x, float y) {
        Point p = Turned({x - w * 0.52f, y - h / 2}, 0.2f);
        return Point{p.X / scale, p.Y / scale};
    };
    canvas.Light([=](float x, float y) { return exhaust(design, shipPoint(x, y)); });
    canvas.Paint([=](float x, float y) {
        Point p = shipPoint(x, y);
        return family == ShipFamily::Hauler ? hauler(design, p) : winged(design, hull, p);
    });
    canvas.Light([=](float x, float y) { return runningLights(design, shipPoint(x, y)); });
}

} // namespace krel::sample
