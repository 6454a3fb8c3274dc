// Stars, nebulae, the galaxy and the hazards of open space, painted mostly as added light over
// a dark starfield.

#include "Art.h"
#include "Geometry.h"

#include <array>

namespace krel::sample {
namespace {

constexpr float starCell = 3.0f;

Rgb starsNear(float x, float y, uint32_t seed, float density) {
    int cx = static_cast<int>(std::floor(x / starCell)),
        cy = static_cast<int>(std::floor(y / starCell));
    Rgb light;
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            uint32_t h = Hash(static_cast<uint32_t>(i), static_cast<uint32_t>(j), seed);
            if (Unit(h) > density)
                continue;
            float sx = (static_cast<float>(i) + Unit(Hash(h, 1))) * starCell;
            float sy = (static_cast<float>(j) + Unit(Hash(h, 2))) * starCell;
            float bright = std::pow(Unit(Hash(h, 3)), 3.0f);
            float size = 0.35f + bright * 0.9f;
            float d2 = (x - sx) * (x - sx) + (y - sy) * (y - sy);
            Rgb tint = Mix(Hex(0xaecbff), Hex(0xffe2b8), Unit(Hash(h, 4)));
            light = light + tint * ((bright * 1.4f + 0.15f) * std::exp(-d2 / (size * size)));
        }
    return light;
}

// A point as seen on a circle of directions, so noise around a centre has no seam.
float aroundNoise(float angle, float detail, float along, uint32_t seed) {
    return Noise3(std::cos(angle) * detail, std::sin(angle) * detail, along, seed);
}

struct NebulaPalette {
    unsigned Outer, Inner, Core;
};

Rgb nebulaLight(float u, float v, uint32_t seed, const NebulaPalette& palette) {
    float q1 = Fractal2(u, v, seed + 1, 4), q2 = Fractal2(u + 5.2f, v + 1.3f, seed + 2, 4);
    float d = Fractal2(u + 2.4f * q1, v + 2.4f * q2, seed + 3, 6);
    float density = SmoothStep(0.38f, 0.8f, d);
    float hue = Fractal2(u * 0.7f + 3, v * 0.7f, seed + 4, 3);
    Rgb colour = Mix(Hex(palette.Outer), Hex(palette.Inner), SmoothStep(0.3f, 0.7f, hue));
    colour = Mix(colour, Hex(palette.Core), SmoothStep(0.66f, 0.92f, d));
    float dust = SmoothStep(0.5f, 0.72f, Fractal2(u * 2.5f, v * 2.5f, seed + 5, 5));
    return colour * (density * (1 - 0.75f * dust));
}

Rgb galaxyLight(Point p, uint32_t seed) {
    float r = std::hypot(p.X, p.Y), angle = std::atan2(p.Y, p.X);
    float phase = 2 * (angle - 2.2f * std::log(r + 0.08f));
    float spiral = 0.5f + 0.5f * std::cos(phase);
    float clumps = 0.45f + 1.1f * Fractal2(p.X * 9, p.Y * 9, seed, 5);
    float arms = std::pow(spiral, 2.5f) * std::exp(-r * 1.7f) * clumps;
    float lane = std::pow(0.5f + 0.5f * std::cos(phase - 0.7f), 10.0f) * std::exp(-r * 1.5f);
    arms *= 1 - 0.7f * lane;
    float core = std::exp(-r * r / 0.006f) * 1.6f + std::exp(-r / 0.1f) * 0.35f;
    float disk = std::exp(-r * 3.4f) * 0.3f;
    float knots =
        SmoothStep(0.85f, 0.97f, Noise2(p.X * 30, p.Y * 30, seed + 9)) * spiral * std::exp(-r * 2);
    Rgb light = Hex(0xb8ccff) * (arms * 1.3f) + Hex(0xffdca0) * (core + disk) +
                Hex(0xff6fa8) * (knots * 0.7f);
    return light * SmoothStep(1.5f, 1.1f, r);
}

Rgb accretionDisk(float dx, float dy, float hole, bool front) {
    if ((dy > 0) != front)
        return {};
    float ux = dx / hole, uy = dy / (hole * 0.26f);
    float r = std::hypot(ux, uy);
    if (r < 1.5f || r > 4.4f)
        return {};
    float angle = std::atan2(uy, ux), t = (r - 1.5f) / 2.9f;
    float streaks = 0.6f + 0.6f * aroundNoise(angle, 3, r * 3, 17);
    float bright = std::pow(1 - t, 1.6f) * streaks * (1 + 0.45f * std::cos(angle));
    return Mix(Hex(0xfff0c8), Hex(0xff5a10), t) * (bright * 1.5f) * SmoothStep(1.5f, 1.7f, r);
}

Rgb lensedArc(float dx, float dy, float hole) {
    float r = std::hypot(dx, dy) / hole;
    float ring = std::exp(-std::pow((r - 1.28f) / 0.13f, 2.0f));
    float top = Clamp01(0.35f - 0.65f * dy / (r * hole));
    return Hex(0xffc070) * (ring * top * 1.1f);
}

std::vector<Point> riftLine(const Canvas& canvas, Random& random) {
    std::vector<Point> line;
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    float y = h * random.Between(0.35f, 0.65f);
    for (int i = 0; i <= 12; ++i) {
        line.push_back({w * static_cast<float>(i) / 12 + random.Between(-2, 2), y});
        y = std::clamp(y + random.Between(-0.16f, 0.16f) * h, h * 0.2f, h * 0.8f);
    }
    return line;
}

std::vector<Point> shard(Point at, float length, float angle, float width) {
    std::vector<Point> shape = {{-length, 0}, {0, -width}, {length * 0.7f, 0}, {0, width}};
    for (auto& corner : shape) {
        Point turned = Turned(corner, angle);
        corner = {at.X + turned.X, at.Y + turned.Y};
    }
    return shape;
}

} // namespace

void PaintStarfield(Canvas& canvas, uint32_t seed, float density) {
    float h = static_cast<float>(canvas.Height());
    canvas.Paint([=](float x, float y) {
        float haze = Fractal2(x / 60, y / 60, seed, 4);
        Rgb deep = Mix(Hex(0x020308), Hex(0x0a0f24), y / h * 0.6f + haze * 0.4f);
        Rgb tint = Mix(Hex(0x1a0a2a), Hex(0x06203a), Noise2(x / 90, y / 90, seed + 7));
        return Rgba{deep + tint * (SmoothStep(0.55f, 0.85f, haze) * 0.5f), 1};
    });
    canvas.Light([=](float x, float y) { return starsNear(x, y, seed + 11, density); });
}

void PaintStar(Canvas& canvas, float cx, float cy, float radius, Rgb colour, uint32_t seed) {
    canvas.Light([=](float x, float y) {
        float dx = x - cx, dy = y - cy, r = std::hypot(dx, dy) / radius;
        if (r < 0.9f)
            return Rgb{};
        float angle = std::atan2(dy, dx);
        float rays = 0.7f + 0.6f * aroundNoise(angle, 4, r * 0.3f, seed);
        float corona =
            (0.9f * std::exp(-(r - 1) * 2.4f) + 0.22f * std::exp(-(r - 1) * 0.45f)) * rays;
        float spikes =
            std::exp(-std::fabs(dy) / (0.05f * radius)) * std::exp(-std::fabs(dx) / (4 * radius)) +
            std::exp(-std::fabs(dx) / (0.05f * radius)) * std::exp(-std::fabs(dy) / (4 * radius));
        return colour * (corona + spikes * 0.5f);
    });
    canvas.Paint([=](float x, float y) {
        float dx = (x - cx) / radius, dy = (y - cy) / radius, r = std::hypot(dx, dy);
        if (r > 1 + 1 / radius)
            return Rgba{};
        float z = std::sqrt(std::max(0.0f, 1 - r * r));
        float grain = 0.9f + 0.2f * Fractal2(dx * 6 + 3, dy * 6, seed, 4);
        Rgb disk = Mix(colour, Hex(0xffffff), 0.55f * z) * ((0.6f + 0.4f * z) * grain);
        return Rgba{disk, SmoothStep(1 + 1 / radius, 1 - 1 / radius, r)};
    });
}

void PaintNebula(Canvas& canvas, uint32_t seed) {
    static const std::array<NebulaPalette, 4> palettes = {{
        {0xc0392b, 0xffa640, 0xfff0c0},
        {0x2a3ad0, 0x3ad6c8, 0xe0fff8},
        {0x6a2ad0, 0xff5fa0, 0xffe0f0},
        {0x1a7a4a, 0x9ae05a, 0xf0ffe0},
    }};
    const NebulaPalette& palette = palettes[seed % palettes.size()];
    float scale = static_cast<float>(std::min(canvas.Width(), canvas.Height())) * 0.45f;
    PaintStarfield(canvas, seed, 0.08f);
    canvas.Light([=, &palette](float x, float y) {
        return nebulaLight(x / scale, y / scale, seed, palette);
    });
    Random random(seed);
    for (int i = 0; i < 3; ++i)
        PaintStar(canvas, random.Between(0.1f, 0.9f) * static_cast<float>(canvas.Width()),
                  random.Between(0.1f, 0.9f) * static_cast<float>(canvas.Height()),
                  random.Between(0.6f, 1.4f), Hex(0xf0f4ff), seed + static_cast<uint32_t>(i));
}

void PaintGalaxy(Canvas& canvas, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    float size = std::min(w, h * 1.6f) * 0.5f;
    PaintStarfield(canvas, seed, 0.07f);
    canvas.Light([=](float x, float y) {
        Point p = Turned({x - w / 2, y - h / 2}, -0.35f);
        return galaxyLight({p.X / size, p.Y / (size * 0.55f)}, seed);
    });
}

void PaintBlackHole(Canvas& canvas, uint32_t seed) {
    float cx = static_cast<float>(canvas.Width()) / 2, cy = static_cast<float>(canvas.Height()) / 2;
    float hole = static_cast<float>(std::min(canvas.Width(), canvas.Height())) * 0.16f;
    PaintStarfield(canvas, seed, 0.1f);
    canvas.Light([=](float x, float y) { return accretionDisk(x - cx, y - cy, hole, false); });
    canvas.Light([=](float x, float y) { return lensedArc(x - cx, y - cy, hole); });
    canvas.Paint([=](float x, float y) {
        float r = std::hypot(x - cx, y - cy);
        return Rgba{{}, SmoothStep(hole + 0.7f, hole - 0.7f, r)};
    });
    canvas.Light([=](float x, float y) {
        float r = std::hypot(x - cx, y - cy) / hole;
        return Hex(0xfff4e0) * (0.9f * std::exp(-std::pow((r - 1.04f) / 0.03f, 2.0f)));
    });
    canvas.Light([=](float x, float y) { return accretionDisk(x - cx, y - cy, hole, true); });
}

void PaintRift(Canvas& canvas, uint32_t seed) {
    Random random(seed);
    std::vector<Point> line = riftLine(canvas, random);
    float scale = static_cast<float>(canvas.Height()) * 0.6f;
    PaintStarfield(canvas, seed, 0.09f);
    static const NebulaPalette cold{0x102a6a, 0x2a7ad0, 0x9ad8ff};
    canvas.Light(
        [=](float x, float y) { return nebulaLight(x / scale, y / scale, seed, cold) * 0.6f; });
    for (int i = 0; i < 16; ++i) {
        Point at = line[static_cast<size_t>(random.Below(12)) + 1];
        at = {at.X + random.Between(-8, 8), at.Y + random.Between(-6, 6)};
        auto shape = shard(at, random.Between(4, 11), random.Between(-1.2f, 1.2f),
                           random.Between(0.8f, 2.2f));
        float alpha = random.Between(0.35f, 0.7f);
        canvas.Paint([shape, alpha](float x, float y) {
            return Inside(shape, {x, y}) ? Rgba{Hex(0xc8f4ff), alpha} : Rgba{};
        });
    }
    canvas.Light([=](float x, float y) {
        float d = PolylineDistance(line, {x, y});
        return Hex(0x7fe8ff) * (std::exp(-d / 1.1f) * 1.4f + std::exp(-d / 7) * 0.45f);
    });
}

} // namespace krel::sample
