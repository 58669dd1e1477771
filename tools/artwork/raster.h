#pragma once

#include <QImage>
#include <QPainter>
#include <QTransform>

#include <cstdint>
#include <functional>
#include <vector>

// Building blocks of the artwork generator: a seeded random stream, value noise, and float raster layers.
//
// Everything the generator draws is a function of the seed: shapes are rasterised by QPainter into coverage
// masks only, and all colour mixing, lighting and blurring happens here in plain float arithmetic, so the
// output does not depend on the platform's blend routines.
namespace artwork {

// SplitMix64: small, fast, and the same sequence everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed) {}
    std::uint64_t next();
    double uniform(); // [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool chance(double p) { return uniform() < p; }
    double gaussian(); // mean 0, deviation 1

private:
    std::uint64_t m_state;
};

// Smooth value noise in [-1, 1] from an integer lattice hashed with the seed.
double valueNoise(double x, double y, std::uint32_t seed);
// Sum of octaves of value noise, normalised to about [-1, 1].
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb rgb(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scale(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}

// A float field (coverage, height, gloss) of the picture's size.
struct Field {
    int width = 0, height = 0;
    std::vector<float> v;
    Field() = default;
    Field(int w, int h, float fill = 0)
        : width(w)
        , height(h)
        , v(std::size_t(w) * std::size_t(h), fill) {}
    float &at(int x, int y) { return v[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    float at(int x, int y) const { return v[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    float clamped(int x, int y) const;
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<Rgb> px;
    Canvas(int w, int h, Rgb fill = {})
        : width(w)
        , height(h)
        , px(std::size_t(w) * std::size_t(h), fill) {}
    Rgb &at(int x, int y) { return px[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    const Rgb &at(int x, int y) const { return px[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Rasterises whatever draw() paints (in any colour, antialiased) into a coverage field in [0, 1].
Field paintMask(int width, int height, const QTransform &transform,
                const std::function<void(QPainter &)> &draw);

// Blends colour over the canvas where the mask covers it.
void composite(Canvas &canvas, const Field &mask, Rgb colour, float opacity = 1);
// Blends a per-pixel colour over the canvas where the mask covers it.
void composite(Canvas &canvas, const Field &mask, const std::function<Rgb(int x, int y)> &colour,
               float opacity = 1);
// field += mask · amount (heights), or field = mix(field, value, mask) (material maps).
void addScaled(Field &field, const Field &mask, float amount);
void blendTo(Field &field, const Field &mask, float value);

Field gaussianBlur(const Field &field, float sigma);
Canvas gaussianBlur(const Canvas &canvas, float sigma);

// Rounds to 8 bits per channel with a little dither from the stream, as a camera sensor would add.
QImage toImage(const Canvas &canvas, Random &random, float noise);

} // namespace artwork
