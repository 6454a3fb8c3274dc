#pragma once
// A picture painted in layers at a finer grid than its pixels, then averaged down, so edges
// come out smooth. Layers are functions of a point in picture pixels.

#include "archive/PngImage.h"

#include <functional>
#include <vector>

namespace krel::sample {

struct Rgb {
    float R = 0, G = 0, B = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.R + b.R, a.G + b.G, a.B + b.B};
}
inline Rgb operator*(Rgb a, float k) {
    return {a.R * k, a.G * k, a.B * k};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.R * b.R, a.G * b.G, a.B * b.B};
}
inline Rgb Mix(Rgb a, Rgb b, float t) {
    return a * (1 - t) + b * t;
}
// A colour from a hexadecimal 0xRRGGBB.
Rgb Hex(unsigned value);

struct Rgba {
    Rgb Colour;
    float Alpha = 0;
};

float Clamp01(float v);
// 0 below edge0, 1 above edge1, smooth in between.
float SmoothStep(float edge0, float edge1, float v);

class Canvas {
public:
    Canvas(int width, int height, int fineness = 3);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Composites a layer over the picture.
    void Paint(const std::function<Rgba(float x, float y)>& layer);
    // Adds light (glows, stars); on transparent parts the light also makes the pixel opaque.
    void Light(const std::function<Rgb(float x, float y)>& layer);
    // Changes the colour of what is painted already (toning, vignettes).
    void Tone(const std::function<Rgb(Rgb colour, float x, float y)>& tone);

    PngImage ToImage() const;

private:
    struct Cell {
        Rgb Premultiplied;
        float Alpha = 0;
    };
    template <class Apply> void forEachCell(Apply&& apply);
    // The mean of the fine cells that make up one pixel.
    Cell averageAt(int x, int y) const;

    int width_, height_, fineness_;
    std::vector<Cell> cells_;
};

} // namespace krel::sample
