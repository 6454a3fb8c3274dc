#include "Noise.h"

#include <cmath>

namespace krel::sample {
namespace {

uint32_t mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

int cell(float v) {
    return static_cast<int>(std::floor(v));
}

float corner2(int x, int y, uint32_t seed) {
    return Unit(Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed));
}

float corner3(int x, int y, int z, uint32_t seed) {
    return Unit(
        Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), static_cast<uint32_t>(z), seed));
}

} // namespace

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return mix(a ^ mix((b + 0x9E3779B9u) ^ mix((c + 0x85EBCA6Bu) ^ mix(d + 0xC2B2AE35u))));
}

uint32_t HashText(const char* text) {
    uint32_t h = 2166136261u;
    for (; *text; ++text)
        h = (h ^ static_cast<unsigned char>(*text)) * 16777619u;
    return mix(h);
}

float Unit(uint32_t hash) {
    return static_cast<float>(hash >> 8) / 16777216.0f;
}

float Random::Next() {
    state_ = mix(state_ + 0x9E3779B9u);
    return Unit(state_);
}

float Noise2(float x, float y, uint32_t seed) {
    int ix = cell(x), iy = cell(y);
    float fx = smooth(x - static_cast<float>(ix)), fy = smooth(y - static_cast<float>(iy));
    float top = lerp(corner2(ix, iy, seed), corner2(ix + 1, iy, seed), fx);
    float bottom = lerp(corner2(ix, iy + 1, seed), corner2(ix + 1, iy + 1, seed), fx);
    return lerp(top, bottom, fy);
}

float Noise3(float x, float y, float z, uint32_t seed) {
    int ix = cell(x), iy = cell(y), iz = cell(z);
    float fx = smooth(x - static_cast<float>(ix)), fy = smooth(y - static_cast<float>(iy)),
          fz = smooth(z - static_cast<float>(iz));
    auto plane = [&](int zz) {
        float top = lerp(corner3(ix, iy, zz, seed), corner3(ix + 1, iy, zz, seed), fx);
        float bottom = lerp(corner3(ix, iy + 1, zz, seed), corner3(ix + 1, iy + 1, zz, seed), fx);
        return lerp(top, bottom, fy);
    };
    return lerp(plane(iz), plane(iz + 1), fz);
}

float Fractal2(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Noise2(x, y, seed + static_cast<uint32_t>(i));
        total += amplitude;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f - 9.7f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

float Fractal3(float x, float y, float z, uint32_t seed, int octaves) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Noise3(x, y, z, seed + static_cast<uint32_t>(i));
        total += amplitude;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f - 9.7f;
        z = z * 2.03f + 3.3f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

} // namespace krel::sample
