#include "raster.h"

#include <algorithm>
#include <cmath>

namespace artwork {

std::uint64_t Random::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform() {
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Random::gaussian() {
    // Box–Muller; 1 − u keeps the logarithm finite.
    const double u = 1.0 - uniform();
    const double v = uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
}

namespace {

float latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return float(h & 0xFFFFFF) / float(0xFFFFFF) * 2.0f - 1.0f;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = latticeValue(ix, iy, seed), b = latticeValue(ix + 1, iy, seed);
    const double c = latticeValue(ix, iy + 1, seed), d = latticeValue(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + std::uint32_t(i) * 101u);
        norm += amplitude;
        amplitude *= 0.5;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.7;
    }
    return sum / norm;
}

float Field::clamped(int x, int y) const {
    return at(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
}

Field paintMask(int width, int height, const QTransform &transform,
                const std::function<void(QPainter &)> &draw) {
    QImage image(width, height, QImage::Format_Alpha8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(transform);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        draw(painter);
    }
    Field field(width, height);
    for (int y = 0; y < height; ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < width; ++x)
            field.at(x, y) = line[x] / 255.0f;
    }
    return field;
}

void composite(Canvas &canvas, const Field &mask, Rgb colour, float opacity) {
    for (std::size_t i = 0; i < canvas.px.size(); ++i) {
        const float a = mask.v[i] * opacity;
        if (a > 0)
            canvas.px[i] = mix(canvas.px[i], colour, a);
    }
}

void composite(Canvas &canvas, const Field &mask, const std::function<Rgb(int x, int y)> &colour,
               float opacity) {
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const float a = mask.at(x, y) * opacity;
            if (a > 0)
                canvas.at(x, y) = mix(canvas.at(x, y), colour(x, y), a);
        }
    }
}

void addScaled(Field &field, const Field &mask, float amount) {
    for (std::size_t i = 0; i < field.v.size(); ++i)
        field.v[i] += mask.v[i] * amount;
}

void blendTo(Field &field, const Field &mask, float value) {
    for (std::size_t i = 0; i < field.v.size(); ++i)
        field.v[i] += (value - field.v[i]) * mask.v[i];
}

namespace {

std::vector<float> gaussianKernel(float sigma) {
    const int radius = std::max(1, int(std::ceil(sigma * 3)));
    std::vector<float> kernel(std::size_t(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        const float w = std::exp(-0.5f * float(i * i) / (sigma * sigma));
        kernel[std::size_t(i + radius)] = w;
        sum += w;
    }
    for (float &w : kernel)
        w /= sum;
    return kernel;
}

// One separable pass over interleaved channels; edges repeat the border pixel.
void blurPass(std::vector<float> &data, int width, int height, int channels, const std::vector<float> &kernel,
              bool horizontal) {
    const int radius = int(kernel.size() / 2);
    std::vector<float> out(data.size());
    const int length = horizontal ? width : height;
    const int lines = horizontal ? height : width;
    std::vector<float> line(std::size_t(length * channels));
    for (int l = 0; l < lines; ++l) {
        for (int i = 0; i < length; ++i) {
            const int x = horizontal ? i : l, y = horizontal ? l : i;
            for (int c = 0; c < channels; ++c)
                line[std::size_t(i * channels + c)] =
                    data[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels) +
                         std::size_t(c)];
        }
        for (int i = 0; i < length; ++i) {
            const int x = horizontal ? i : l, y = horizontal ? l : i;
            for (int c = 0; c < channels; ++c) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int j = std::clamp(i + k, 0, length - 1);
                    sum += kernel[std::size_t(k + radius)] * line[std::size_t(j * channels + c)];
                }
                out[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels) +
                    std::size_t(c)] = sum;
            }
        }
    }
    data.swap(out);
}

} // namespace

Field gaussianBlur(const Field &field, float sigma) {
    Field result = field;
    const std::vector<float> kernel = gaussianKernel(sigma);
    blurPass(result.v, field.width, field.height, 1, kernel, true);
    blurPass(result.v, field.width, field.height, 1, kernel, false);
    return result;
}

Canvas gaussianBlur(const Canvas &canvas, float sigma) {
    std::vector<float> data(canvas.px.size() * 3);
    for (std::size_t i = 0; i < canvas.px.size(); ++i) {
        data[i * 3] = canvas.px[i].r;
        data[i * 3 + 1] = canvas.px[i].g;
        data[i * 3 + 2] = canvas.px[i].b;
    }
    const std::vector<float> kernel = gaussianKernel(sigma);
    blurPass(data, canvas.width, canvas.height, 3, kernel, true);
    blurPass(data, canvas.width, canvas.height, 3, kernel, false);
    Canvas result(canvas.width, canvas.height);
    for (std::size_t i = 0; i < result.px.size(); ++i)
        result.px[i] = {data[i * 3], data[i * 3 + 1], data[i * 3 + 2]};
    return result;
}

QImage toImage(const Canvas &canvas, Random &random, float noise) {
    QImage image(canvas.width, canvas.height, QImage::Format_RGB888);
    for (int y = 0; y < canvas.height; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb &p = canvas.at(x, y);
            // Sensor noise is mostly luminance with a little chroma.
            const float luma = float(random.gaussian()) * noise;
            const float channels[3] = {p.r, p.g, p.b};
            for (int c = 0; c < 3; ++c) {
                const float chroma = float(random.gaussian()) * noise * 0.35f;
                const float v = (channels[c] + luma + chroma) * 255.0f + 0.5f;
                line[x * 3 + c] = uchar(std::clamp(int(std::floor(v)), 0, 255));
            }
        }
    }
    return image;
}

} // namespace artwork
