#pragma once
// Smooth value noise for the sample pictures: the same seed always paints the same picture.

#include <cstdint>

namespace krel::sample {

// A well-mixed 32-bit hash of a few integers.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
// A hash of a text, used to seed every picture from its name.
uint32_t HashText(const char* text);

// A number in [0, 1) drawn from a hash.
float Unit(uint32_t hash);

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    float Next(); // [0, 1)
    float Between(float low, float high) { return low + (high - low) * Next(); }
    int Below(int count) { return static_cast<int>(Next() * static_cast<float>(count)); }

private:
    uint32_t state_;
};

// Value noise in [0, 1], and its sum over octaves (fractal noise), in two and three dimensions.
float Noise2(float x, float y, uint32_t seed);
float Noise3(float x, float y, float z, uint32_t seed);
float Fractal2(float x, float y, uint32_t seed, int octaves);
float Fractal3(float x, float y, float z, uint32_t seed, int octaves);

} // namespace krel::sample
