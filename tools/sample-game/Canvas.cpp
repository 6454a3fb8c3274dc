#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace krel::sample {

Rgb Hex(unsigned value) {
    return {static_cast<float>((value >> 16) & 0xFF) / 255.0f,
            static_cast<float>((value >> 8) & 0xFF) / 255.0f,
            static_cast<float>(value & 0xFF) / 255.0f};
}

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float SmoothStep(float edge0, float edge1, float v) {
    float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Canvas::Canvas(int width, int height, int fineness)
    : width_(width), height_(height), fineness_(fineness),
      cells_(static_cast<size_t>(width * fineness) * static_cast<size_t>(height * fineness)) {}

template <class Apply> void Canvas::forEachCell(Apply&& apply) {
    int across = width_ * fineness_, down = height_ * fineness_;
    float step = 1.0f / static_cast<float>(fineness_);
    for (int j = 0; j < down; ++j)
        for (int i = 0; i < across; ++i)
            apply(cells_[static_cast<size_t>(j) * static_cast<size_t>(across) +
                         static_cast<size_t>(i)],
                  (static_cast<float>(i) + 0.5f) * step, (static_cast<float>(j) + 0.5f) * step);
}

void Canvas::Paint(const std::function<Rgba(float x, float y)>& layer) {
    forEachCell([&](Cell& cell, float x, float y) {
        Rgba top = layer(x, y);
        float a = Clamp01(top.Alpha);
        cell.Premultiplied = top.Colour * a + cell.Premultiplied * (1 - a);
        cell.Alpha = a + cell.Alpha * (1 - a);
    });
}

void Canvas::Light(const std::function<Rgb(float x, float y)>& layer) {
    forEachCell([&](Cell& cell, float x, float y) {
        Rgb light = layer(x, y);
        cell.Premultiplied = cell.Premultiplied + light;
        cell.Alpha = Clamp01(cell.Alpha + std::max({light.R, light.G, light.B}));
    });
}

void Canvas::Tone(const std::function<Rgb(Rgb colour, float x, float y)>& tone) {
    forEachCell([&](Cell& cell, float x, float y) {
        if (cell.Alpha <= 0)
            return;
        cell.Premultiplied = tone(cell.Premultiplied * (1 / cell.Alpha), x, y) * cell.Alpha;
    });
}

Canvas::Cell Canvas::averageAt(int x, int y) const {
    int across = width_ * fineness_;
    float share = 1.0f / static_cast<float>(fineness_ * fineness_);
    Cell sum;
    for (int j = 0; j < fineness_; ++j)
        for (int i = 0; i < fineness_; ++i) {
            size_t row = static_cast<size_t>(y * fineness_ + j) * static_cast<size_t>(across);
            const Cell& c = cells_[row + static_cast<size_t>(x * fineness_ + i)];
            sum.Premultiplied = sum.Premultiplied + c.Premultiplied * share;
            sum.Alpha += c.Alpha * share;
        }
    return sum;
}

PngImage Canvas::ToImage() const {
    PngImage image{static_cast<uint32_t>(width_), static_cast<uint32_t>(height_), {}};
    image.Rgba.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
    auto byte = [](float v) {
        return static_cast<uint8_t>(std::lround(Clamp01(v) * 255));
    };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Cell cell = averageAt(x, y);
            Rgb colour = cell.Alpha > 0 ? cell.Premultiplied * (1 / cell.Alpha) : Rgb{};
            uint8_t* pixel = image.Pixel(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
            pixel[0] = byte(colour.R);
            pixel[1] = byte(colour.G);
            pixel[2] = byte(colour.B);
            pixel[3] = byte(cell.Alpha);
        }
    return image;
}

} // namespace krel::sample
