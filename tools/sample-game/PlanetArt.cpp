// Planets and moons: a lit sphere whose surface is fractal noise sampled on the sphere itself,
// so there are no seams, with an atmosphere rim and, for some gas giants, rings.

#include "Art.h"
#include "Geometry.h"

#include <array>

namespace krel::sample {
namespace {

enum class World { Terran, Desert, Ice, Gas, Lava, Ocean };

struct Surface {
    Rgb Colour;
    Rgb Glow;      // light of its own, seen on the night side too
    float Wet = 0; // how much of a specular highlight it takes
};

const Vec3 sunward = Normalized({-0.55f, -0.35f, 0.75f});

Surface terran(Vec3 p, uint32_t seed, float seaLevel) {
    float h = Fractal3(p.X * 2.2f, p.Y * 2.2f, p.Z * 2.2f, seed, 6);
    Surface s;
    if (h < seaLevel) {
        s.Colour = Mix(Hex(0x0c2a55), Hex(0x2d74ad), SmoothStep(seaLevel - 0.2f, seaLevel, h));
        s.Wet = 1;
    } else {
        float up = SmoothStep(seaLevel + 0.04f, seaLevel + 0.2f, h);
        s.Colour = Mix(Mix(Hex(0x45763a), Hex(0x8c7452), up), Hex(0xe0dbd0),
                       SmoothStep(seaLevel + 0.22f, seaLevel + 0.3f, h));
    }
    float cap = std::fabs(p.Y) + 0.12f * Noise3(p.X * 5, p.Y * 5, p.Z * 5, seed + 3);
    s.Colour = Mix(s.Colour, Hex(0xf4f8fb), SmoothStep(0.8f, 0.86f, cap));
    float cloud = Fractal3(p.X * 3 + 9, p.Y * 5, p.Z * 3, seed + 50, 5);
    s.Colour = Mix(s.Colour, Hex(0xffffff), SmoothStep(0.52f, 0.72f, cloud) * 0.85f);
    return s;
}

Surface desert(Vec3 p, uint32_t seed) {
    float h = Fractal3(p.X * 2.5f, p.Y * 2.5f, p.Z * 2.5f, seed, 6);
    float dunes = 0.05f * std::sin(p.Y * 40 + h * 10);
    Surface s{Mix(Hex(0x8a4f2a), Hex(0xe0ad68), Clamp01(h + dunes)), {}, 0};
    float canyon = SmoothStep(0.012f, 0.0f, std::fabs(h - 0.5f));
    s.Colour = Mix(s.Colour, Hex(0x6a3a20), canyon * 0.35f);
    return s;
}

Surface ice(Vec3 p, uint32_t seed) {
    float h = Fractal3(p.X * 2, p.Y * 2, p.Z * 2, seed, 5);
    Surface s{Mix(Hex(0x8fb7d2), Hex(0xf0f7fb), h), {}, 0.3f};
    float crack = std::fabs(Fractal3(p.X * 5, p.Y * 5, p.Z * 5, seed + 9, 4) - 0.5f);
    s.Colour = Mix(s.Colour, Hex(0x3d6a8c), SmoothStep(0.025f, 0.0f, crack) * 0.8f);
    return s;
}

Surface gas(Vec3 p, uint32_t seed) {
    static const std::array<std::array<unsigned, 3>, 3> palettes = {{
        {0xd9b38c, 0x9c6a43, 0xf3e2c6},
        {0x7d9ee0, 0x34528f, 0xd3e0f7},
        {0xc9d58f, 0x6d8a4a, 0xeef2d0},
    }};
    const auto& palette = palettes[seed % palettes.size()];
    float swirl = Fractal3(p.X * 1.6f, p.Y * 1.6f, p.Z * 1.6f, seed, 5);
    float band = 0.5f + 0.5f * std::sin((p.Y * 7 + swirl * 2.6f) * Pi);
    float fine = Fractal3(p.X * 1.2f, p.Y * 24, p.Z * 1.2f, seed + 2, 3);
    Rgb colour = Mix(Hex(palette[1]), Hex(palette[2]), band);
    colour = Mix(colour, Hex(palette[0]), fine * 0.6f);
    Vec3 spot = Normalized({0.35f, 0.3f, 0.85f});
    float storm = Dot(p, spot);
    colour = Mix(colour, Hex(0xc0502c), SmoothStep(0.975f, 0.99f, storm) * 0.8f);
    return {colour, {}, 0};
}

Surface lava(Vec3 p, uint32_t seed) {
    float h = Fractal3(p.X * 2.5f, p.Y * 2.5f, p.Z * 2.5f, seed, 6);
    float vein = std::fabs(Fractal3(p.X * 4, p.Y * 4, p.Z * 4, seed + 4, 5) - 0.5f);
    float hot = SmoothStep(0.035f, 0.0f, vein);
    return {Mix(Hex(0x1c1411), Hex(0x4e3b31), h), Hex(0xff5a1a) * (hot * 1.2f), 0};
}

Surface surfaceOf(World world, Vec3 p, uint32_t seed) {
    switch (world) {
    case World::Terran:
        return terran(p, seed, 0.52f);
    case World::Ocean:
        return terran(p, seed, 0.64f);
    case World::Desert:
        return desert(p, seed);
    case World::Ice:
        return ice(p, seed);
    case World::Gas:
        return gas(p, seed);
    case World::Lava:
        return lava(p, seed);
    }
    return {};
}

Rgb atmosphereOf(World world) {
    switch (world) {
    case World::Desert:
        return Hex(0xe8b080);
    case World::Lava:
        return Hex(0xff7a40);
    case World::Gas:
        return Hex(0xc8d8ff);
    default:
        return Hex(0x6fb0ff);
    }
}

// The sphere's normal under a screen point, turned so each world shows its own face.
Vec3 normalAt(float dx, float dy, float tilt) {
    Point turned = Turned({dx, dy}, tilt);
    float z = std::sqrt(std::max(0.0f, 1 - dx * dx - dy * dy));
    return {turned.X, turned.Y, z};
}

Rgb shade(const Surface& s, Vec3 n) {
    float light = std::max(0.0f, Dot(n, sunward));
    Vec3 half = Normalized({sunward.X, sunward.Y, sunward.Z + 1});
    float gloss = std::pow(std::max(0.0f, Dot(n, half)), 40.0f) * 0.6f * s.Wet;
    return s.Colour * (0.03f + 0.97f * light) + Rgb{gloss, gloss, gloss} + s.Glow;
}

Rgb rim(float dx, float dy, Rgb air) {
    float r = std::hypot(dx, dy);
    if (r < 0.75f || r > 1.25f)
        return {};
    float facing = Clamp01(0.35f + 0.9f * (-(dx * 0.55f + dy * 0.35f) / r));
    float outside = r > 1 ? std::exp(-(r - 1) / 0.04f) : 0.0f;
    float inside = r <= 1 ? std::pow(r, 6.0f) * 0.6f : 0.0f;
    return air * ((outside + inside) * facing);
}

void paintRings(Canvas& canvas, float cx, float cy, float radius, uint32_t seed, bool front) {
    canvas.Paint([=](float x, float y) {
        Point p = Turned({(x - cx) / radius, (y - cy) / radius}, -0.35f);
        if ((p.Y > 0) != front)
            return Rgba{};
        float r = std::hypot(p.X, p.Y / 0.28f);
        if (r < 1.35f || r > 2.2f)
            return Rgba{};
        float bands = 0.4f + 0.6f * Noise2(r * 18, 0.5f, seed);
        float edge = SmoothStep(1.35f, 1.45f, r) * SmoothStep(2.2f, 2.05f, r);
        return Rgba{Mix(Hex(0xb09a80), Hex(0xefe4d0), bands), bands * edge * 0.8f};
    });
}

} // namespace

void PaintPlanet(Canvas& canvas, float cx, float cy, float radius, uint32_t seed, int variant) {
    auto world = static_cast<World>(variant % 6);
    bool ringed = world == World::Gas && (seed / 6) % 2 == 0;
    float tilt = Unit(Hash(seed, 77)) * 0.8f - 0.4f;
    if (ringed)
        paintRings(canvas, cx, cy, radius, seed, false);
    canvas.Paint([=](float x, float y) {
        float dx = (x - cx) / radius, dy = (y - cy) / radius;
        float r = std::hypot(dx, dy);
        if (r > 1 + 1 / radius)
            return Rgba{};
        Vec3 n = normalAt(dx, dy, tilt);
        Vec3 lit{dx, dy, n.Z};
        Surface s = surfaceOf(world, n, seed);
        return Rgba{shade(s, lit), SmoothStep(1 + 1 / radius, 1 - 1 / radius, r)};
    });
    Rgb air = atmosphereOf(world);
    canvas.Light([=](float x, float y) { return rim((x - cx) / radius, (y - cy) / radius, air); });
    if (ringed)
        paintRings(canvas, cx, cy, radius, seed, true);
}

void PaintMoon(Canvas& canvas, float cx, float cy, float radius, uint32_t seed) {
    struct Crater {
        Vec3 Centre;
        float Size;
    };
    std::vector<Crater> craters;
    Random random(seed);
    for (int i = 0; i < 26; ++i)
        craters.push_back(
            {Normalized({random.Between(-1, 1), random.Between(-1, 1), random.Between(-0.2f, 1)}),
             random.Between(0.05f, 0.28f) * (i < 4 ? 1.0f : 0.5f)});
    canvas.Paint([=](float x, float y) {
        float dx = (x - cx) / radius, dy = (y - cy) / radius;
        float r = std::hypot(dx, dy);
        if (r > 1 + 1 / radius)
            return Rgba{};
        Vec3 n{dx, dy, std::sqrt(std::max(0.0f, 1 - r * r))};
        float tone = 0.45f + 0.5f * Fractal3(n.X * 3, n.Y * 3, n.Z * 3, seed, 5);
        for (const auto& crater : craters) {
            float t = std::acos(std::clamp(Dot(n, crater.Centre), -1.0f, 1.0f)) / crater.Size;
            tone *= t < 1 ? 0.8f + 0.12f * t * t : 1.0f;
            tone += 0.16f * SmoothStep(0.2f, 0.0f, std::fabs(t - 1.05f));
        }
        Surface s{Mix(Hex(0x2e2b28), Hex(0xc9c3b8), Clamp01(tone)), {}, 0};
        return Rgba{shade(s, n), SmoothStep(1 + 1 / radius, 1 - 1 / radius, r)};
    });
}

} // namespace krel::sample
