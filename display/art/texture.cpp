#include "display/art/texture.h"

#include <algorithm>
#include <cmath>

namespace tori::art {

namespace {

    double smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

    int wrap(int i, int n) { return ((i % n) + n) % n; }

} // namespace

PeriodicNoise1D::PeriodicNoise1D(Random& random, int points, double period)
    : values_(points)
    , period_(period)
{
    for (double& v : values_)
        v = random.uniform(-1, 1);
}

double PeriodicNoise1D::operator()(double x) const
{
    const int n = static_cast<int>(values_.size());
    const double u = x / period_ * n;
    const double cell = std::floor(u);
    const double t = smooth(u - cell);
    const int i = static_cast<int>(cell);
    return values_[wrap(i, n)] * (1 - t) + values_[wrap(i + 1, n)] * t;
}

PeriodicNoise2D::PeriodicNoise2D(
    Random& random, int points_x, int points_y, double period_x, double period_y)
    : values_(static_cast<std::size_t>(points_x) * points_y)
    , nx_(points_x)
    , ny_(points_y)
    , period_x_(period_x)
    , period_y_(period_y)
{
    for (double& v : values_)
        v = random.uniform(-1, 1);
}

double PeriodicNoise2D::operator()(double x, double y) const
{
    const double u = x / period_x_ * nx_;
    const double v = y / period_y_ * ny_;
    const double cu = std::floor(u);
    const double cv = std::floor(v);
    const double tu = smooth(u - cu);
    const double tv = smooth(v - cv);
    const int i0 = wrap(static_cast<int>(cu), nx_);
    const int i1 = wrap(static_cast<int>(cu) + 1, nx_);
    const int j0 = wrap(static_cast<int>(cv), ny_);
    const int j1 = wrap(static_cast<int>(cv) + 1, ny_);
    auto at = [&](int i, int j) { return values_[static_cast<std::size_t>(j) * nx_ + i]; };
    const double top = at(i0, j0) * (1 - tu) + at(i1, j0) * tu;
    const double bottom = at(i0, j1) * (1 - tu) + at(i1, j1) * tu;
    return top * (1 - tv) + bottom * tv;
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return { a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t };
}

Rgb scaled(Rgb c, double f) { return { c.r * f, c.g * f, c.b * f }; }

Rgb rgb(int r, int g, int b) { return { r / 255.0, g / 255.0, b / 255.0 }; }

QSize device_size(int width, int height, Scale scale)
{
    return { static_cast<int>(std::lround(width * scale.x)),
        static_cast<int>(std::lround(height * scale.y)) };
}

QImage rasterise(int width, int height, Scale scale,
    const std::function<Rgb(double, double)>& shade, int period_x)
{
    // 4 x 4 samples for the picture files; at the larger sizes of a big window
    // fewer samples smooth a device pixel as well, and keep a resize quick.
    const int samples
        = std::clamp(static_cast<int>(std::ceil(8 / std::max(scale.x, scale.y) - 1e-9)), 2, 4);
    QImage image(device_size(width, height, scale), QImage::Format_RGB32);
    const double period = period_x * scale.x;
    const int repeat
        = std::abs(period - std::round(period)) < 1e-9 ? static_cast<int>(std::lround(period)) : 0;
    for (int py = 0; py < image.height(); ++py) {
        for (int px = 0; px < image.width(); ++px) {
            if (repeat > 0 && px >= repeat) {
                image.setPixel(px, py, image.pixel(px - repeat, py));
                continue;
            }
            Rgb sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (px + (sx + 0.5) / samples) / scale.x;
                    const double y = (py + (sy + 0.5) / samples) / scale.y;
                    const Rgb c = shade(x, y);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                }
            }
            const double n = samples * samples;
            auto channel = [n](double v) {
                return std::clamp(static_cast<int>(std::lround(v / n * 255.0)), 0, 255);
            };
            image.setPixel(px, py, qRgb(channel(sum.r), channel(sum.g), channel(sum.b)));
        }
    }
    return image;
}

double wrapped_distance(double a, double b, double period)
{
    double d = std::fmod(std::abs(a - b), period);
    return std::min(d, period - d);
}

} // namespace tori::art
