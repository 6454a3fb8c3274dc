// Portraits of the peoples: a lit head and shoulders against a glowing backdrop, with eyes,
// crests, horns, fins and skin markings chosen from the picture's seed.

#include "Art.h"
#include "Geometry.h"

#include <array>

namespace krel::sample {
namespace {

enum class Marking { Plain, Spots, Stripes };

struct Face {
    Rgb Skin, Eyes, Backdrop;
    float HeadWidth, HeadHeight, Chin;
    int EyeCount;
    bool Crest, Horns, Fins;
    Marking Markings;
};

Face faceFor(uint32_t seed) {
    static const std::array<unsigned, 6> skins = {0x6a8a5a, 0x8a5a7a, 0x5a7a9a,
                                                  0xb08a5a, 0x9aa0a8, 0xa0604a};
    static const std::array<unsigned, 4> eyes = {0xffd040, 0x40f0ff, 0xff4060, 0xa0ff60};
    static const std::array<unsigned, 4> backdrops = {0x203a5a, 0x4a2040, 0x1a4a3a, 0x4a3a1a};
    Random random(seed);
    return {Hex(skins[seed % skins.size()]),
            Hex(eyes[(seed / 6) % eyes.size()]),
            Hex(backdrops[(seed / 24) % backdrops.size()]),
            random.Between(0.2f, 0.3f),
            random.Between(0.27f, 0.37f),
            random.Between(0.5f, 1.0f),
            random.Next() < 0.3f ? 3 : 2,
            random.Next() < 0.45f,
            random.Next() < 0.35f,
            random.Next() < 0.5f,
            static_cast<Marking>(random.Below(3))};
}

// A lit ellipse, narrower below its middle by chin (1 keeps it an ellipse).
Rgba roundBody(Point p, Point centre, float rx, float ry, float chin, Rgb colour, Rgb rim) {
    float ny = (p.Y - centre.Y) / ry;
    float nx = (p.X - centre.X) / (rx * (ny > 0 ? 1 - (1 - chin) * ny : 1.0f));
    float r2 = nx * nx + ny * ny;
    if (r2 > 1.05f)
        return {};
    float nz = std::sqrt(std::max(0.0f, 1 - r2));
    float light = Clamp01(-0.5f * nx - 0.5f * ny + 0.7f * nz);
    Rgb lit = colour * (0.25f + 0.85f * light) + rim * (std::pow(1 - nz, 3.0f) * 0.8f);
    return {lit, SmoothStep(1.05f, 0.95f, r2)};
}

float markingAt(Marking marking, Point p, uint32_t seed) {
    switch (marking) {
    case Marking::Spots:
        return SmoothStep(0.62f, 0.7f, Noise2(p.X / 2.5f, p.Y / 2.5f, seed));
    case Marking::Stripes:
        return SmoothStep(0.75f, 0.9f, std::sin(p.X * 1.4f + Noise2(p.X / 6, p.Y / 6, seed) * 6));
    case Marking::Plain:
        break;
    }
    return 0;
}

Rgba eyesAt(const Face& f, Point p, Point head, float h) {
    float rx = f.HeadWidth * h, ry = f.HeadHeight * h;
    for (int i = 0; i < f.EyeCount; ++i) {
        bool third = i == 2;
        float ex = third ? 0 : (i == 0 ? -0.38f : 0.38f), ey = third ? -0.35f : 0.05f;
        Point local = Turned({p.X - head.X - ex * rx, p.Y - head.Y - ey * ry}, ex * 0.6f);
        float d = std::hypot(local.X / (rx * 0.2f), local.Y / (ry * 0.1f));
        if (d < 1.1f)
            return {Mix(f.Eyes, Hex(0x101010), SmoothStep(0.3f, 1.0f, d)),
                    SmoothStep(1.1f, 0.9f, d)};
    }
    return {};
}

std::vector<Point> spike(Point base, float width, float length, float angle) {
    Point tip = Turned({0, -length}, angle);
    return {{base.X - width, base.Y}, {base.X + tip.X, base.Y + tip.Y}, {base.X + width, base.Y}};
}

std::vector<std::vector<Point>> headdress(const Face& f, Point head, float h) {
    std::vector<std::vector<Point>> shapes;
    float rx = f.HeadWidth * h, ry = f.HeadHeight * h;
    for (int i = -2; f.Crest && i <= 2; ++i) {
        auto at = static_cast<float>(i);
        shapes.push_back(spike({head.X + at * rx * 0.3f, head.Y - ry * (0.85f - 0.05f * at * at)},
                               rx * 0.12f, ry * 0.45f, at * 0.25f));
    }
    for (float side : {-1.0f, 1.0f})
        if (f.Horns)
            shapes.push_back(spike({head.X + side * rx * 0.6f, head.Y - ry * 0.6f}, rx * 0.14f,
                                   ry * 0.8f, side * 0.7f));
    return shapes;
}

void paintBackdrop(Canvas& canvas, const Face& face, uint32_t seed) {
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    canvas.Paint([=](float x, float y) {
        float r = std::hypot(x - w / 2, y - h * 0.45f) / h;
        float rings = 0.9f + 0.1f * std::sin(r * 40 + Noise2(x / 8, y / 8, seed) * 3);
        Rgb glow = Mix(face.Backdrop * 1.4f, Hex(0x05060a), SmoothStep(0.1f, 0.9f, r));
        return Rgba{glow * rings, 1};
    });
}

} // namespace

void PaintSpecies(Canvas& canvas, uint32_t seed) {
    Face face = faceFor(seed);
    float w = static_cast<float>(canvas.Width()), h = static_cast<float>(canvas.Height());
    Point head{w / 2, h * 0.42f};
    float rx = face.HeadWidth * h, ry = face.HeadHeight * h;
    Rgb rim = face.Backdrop * 2.2f;
    paintBackdrop(canvas, face, seed);
    for (const auto& shape : headdress(face, head, h))
        canvas.Paint([=](float x, float y) {
            return Inside(shape, {x, y}) ? Rgba{face.Skin * 0.6f, 1} : Rgba{};
        });
    canvas.Paint([=](float x, float y) {
        return roundBody({x, y}, {w / 2, h * 1.1f}, w * 0.34f, h * 0.42f, 1, face.Skin * 0.7f, rim);
    });
    canvas.Paint([=](float x, float y) {
        return roundBody({x, y}, {w / 2, h * 0.72f}, rx * 0.45f, h * 0.2f, 1, face.Skin * 0.8f,
                         rim);
    });
    for (float side : {-1.0f, 1.0f})
        if (face.Fins)
            canvas.Paint([=](float x, float y) {
                return roundBody({x, y}, {head.X + side * rx * 0.95f, head.Y}, rx * 0.3f,
                                 ry * 0.55f, 1, face.Skin * 0.75f, rim);
            });
    canvas.Paint([=](float x, float y) {
        Rgba skin = roundBody({x, y}, head, rx, ry, face.Chin, face.Skin, rim);
        skin.Colour = skin.Colour * (1 - 0.3f * markingAt(face.Markings, {x, y}, seed + 3));
        return skin;
    });
    canvas.Paint([=](float x, float y) { return eyesAt(face, {x, y}, head, h); });
    canvas.Light([=](float x, float y) {
        return face.Eyes * (eyesAt(face, {x, y}, head, h).Alpha * 0.35f);
    });
}

} // namespace krel::sample
