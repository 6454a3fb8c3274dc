// Archival scenes of history: a world's horizon at dawn, a fleet in battle above it, or a
// monument under a great moon, toned like an old photograph.

#include "Art.h"
#include "Geometry.h"

namespace krel::sample {
namespace {

enum class Scene { Dawn, Battle, Monument };

void paintHorizon(Canvas& canvas, float sunX, float curve, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    float radius = w * curve;
    Point centre{w * 0.5f, h * 0.74f + radius};
    canvas.Paint([=](float x, float y) {
        float r = std::hypot(x - centre.X, y - centre.Y);
        float land = Fractal2(x / 14, y / 5, seed + 1, 5);
        Rgb ground = Mix(Hex(0x0a0c10), Hex(0x3a3428), SmoothStep(0.45f, 0.7f, land));
        float dawn =
            std::exp(-std::fabs(x - sunX) / (w * 0.3f)) * std::exp(-(r - radius + 14) / 10);
        return Rgba{ground + Hex(0xffb070) * Clamp01(dawn),
                    SmoothStep(radius + 0.6f, radius - 0.6f, r)};
    });
    canvas.Light([=](float x, float y) {
        float r = std::hypot(x - centre.X, y - centre.Y);
        float near = std::exp(-std::fabs(x - sunX) / (w * 0.35f));
        return Hex(0x80b8ff) * (std::exp(-std::fabs(r - radius) / 1.2f) * (0.3f + 1.2f * near));
    });
}

std::vector<Point> wedge(Point at, float size, float heading) {
    std::vector<Point> shape;
    for (Point corner : std::vector<Point>{{2, 0}, {-1.5f, -1}, {-1, 0}, {-1.5f, 1}}) {
        Point turned = Turned({corner.X * size, corner.Y * size}, heading);
        shape.push_back({at.X + turned.X, at.Y + turned.Y});
    }
    return shape;
}

void paintShipInFlight(Canvas& canvas, Point at, float size, float heading) {
    auto shape = wedge(at, size, heading);
    canvas.Light([=](float x, float y) {
        Point trail = Turned({x - at.X, y - at.Y}, -heading);
        if (trail.X > -size)
            return Rgb{};
        float glow = std::exp((trail.X + size) / (size * 6)) * std::exp(-std::fabs(trail.Y) / 0.5f);
        return Hex(0xa0d0ff) * (glow * 0.7f);
    });
    canvas.Paint([=](float x, float y) {
        return Inside(shape, {x, y}) ? Rgba{Hex(0xb8b4a8), 1} : Rgba{};
    });
}

void paintFleet(Canvas& canvas, Random& random, bool battle) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    int count = 3 + random.Below(3);
    for (int i = 0; i < count; ++i) {
        auto at = static_cast<float>(i);
        Point ship{w * (0.22f + 0.13f * at) + random.Between(-5, 5),
                   h * (0.5f - 0.07f * at) + random.Between(-4, 4)};
        paintShipInFlight(canvas, ship, h * 0.018f, -0.45f + random.Between(-0.1f, 0.1f));
    }
    for (int i = 0; battle && i < 5; ++i) {
        Point burst{w * random.Between(0.15f, 0.85f), h * random.Between(0.15f, 0.6f)};
        float size = h * random.Between(0.02f, 0.06f);
        canvas.Light([=](float x, float y) {
            float d = std::hypot(x - burst.X, y - burst.Y) / size;
            return Hex(0xffd090) * (std::exp(-d * d) * 1.6f + std::exp(-d) * 0.3f);
        });
    }
}

void paintMonument(Canvas& canvas, Random& random) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    float base = w * random.Between(0.55f, 0.75f), top = h * 0.22f;
    std::vector<Point> spire = {{base - w * 0.05f, h * 0.8f},
                                {base - w * 0.012f, top},
                                {base, top - h * 0.05f},
                                {base + w * 0.012f, top},
                                {base + w * 0.05f, h * 0.8f}};
    canvas.Paint([=](float x, float y) {
        if (!Inside(spire, {x, y}))
            return Rgba{};
        return Rgba{Mix(Hex(0x2a2620), Hex(0x6a6050), Clamp01((base - x) / (w * 0.05f))), 1};
    });
}

void toneArchival(Canvas& canvas) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    canvas.Tone([=](Rgb c, float x, float y) {
        float grey = 0.3f * c.R + 0.55f * c.G + 0.15f * c.B;
        Rgb toned = Mix(Hex(0x1a120a), Hex(0xffe8c0), Clamp01(grey * 1.1f));
        float edge = std::hypot((x - w / 2) / w, (y - h / 2) / h) * 1.4f;
        float lines = std::fmod(y, 2.0f) < 1 ? 1.0f : 0.92f;
        return Mix(c, toned, 0.75f) * (Clamp01(1 - 0.55f * edge * edge) * lines);
    });
}

} // namespace

void PaintHistory(Canvas& canvas, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    auto scene = static_cast<Scene>(seed % 3);
    Random random(seed);
    float sunX = w * random.Between(0.2f, 0.8f);
    PaintStarfield(canvas, seed, 0.06f);
    if (scene == Scene::Monument)
        PaintMoon(canvas, w * random.Between(0.2f, 0.4f), h * 0.35f, h * 0.22f, seed);
    else
        PaintStar(canvas, sunX, h * 0.74f, h * 0.07f, Hex(0xfff0d0), seed);
    paintHorizon(canvas, sunX, scene == Scene::Monument ? 4.0f : random.Between(0.8f, 1.4f), seed);
    if (scene == Scene::Monument)
        paintMonument(canvas, random);
    else
        paintFleet(canvas, random, scene == Scene::Battle);
    toneArchival(canvas);
}

} // namespace krel::sample
