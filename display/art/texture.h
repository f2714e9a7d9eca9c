#pragma once

// Building blocks for the procedural textures: a reproducible random source and
// noise that repeats with a given period, so that tiles laid side by side meet
// without a seam.

#include <QColor>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace tori::art {

// std::mt19937 is fully specified by the standard, but the distributions are
// not; turning its words into numbers ourselves keeps the pictures identical
// with every standard library.
class Random {
public:
    explicit Random(std::uint32_t seed)
        : engine_(seed)
    {
    }
    double uniform() { return engine_() / 4294967296.0; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    std::mt19937 engine_;
};

// Smooth value noise on a ring of `points` lattice values spread over `period`.
class PeriodicNoise1D {
public:
    PeriodicNoise1D(Random& random, int points, double period);
    double operator()(double x) const; // in [-1, 1]

private:
    std::vector<double> values_;
    double period_;
};

// Smooth value noise on a torus: repeats every period_x across and period_y down.
class PeriodicNoise2D {
public:
    PeriodicNoise2D(Random& random, int points_x, int points_y, double period_x, double period_y);
    double operator()(double x, double y) const; // in [-1, 1]

private:
    std::vector<double> values_;
    int nx_, ny_;
    double period_x_, period_y_;
};

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb scaled(Rgb c, double f);
Rgb rgb(int r, int g, int b);

// Device pixels per design pixel, across and down: whole numbers for the picture
// files, and whatever the window shows a picture at, where a picture of a
// fractional size is laid a pixel wider or narrower than its neighbour.
struct Scale {
    double x = 1, y = 1;
    Scale(double s = 1)
        : x(s)
        , y(s)
    {
    }
    Scale(double x, double y)
        : x(x)
        , y(y)
    {
    }
    // The scale at which a picture of `design` pixels comes out `device` pixels.
    static Scale fitting(QSize design, QSize device)
    {
        return { double(device.width()) / design.width(),
            double(device.height()) / design.height() };
    }
};

// The device size of a picture of design size width x height.
QSize device_size(int width, int height, Scale scale);

// Paints a picture of design size width x height at `scale`, taking the colour
// of each device pixel as the mean of a grid of samples of `shade` (4 x 4 up to
// scale 2, fewer above), which is given design coordinates. With a period_x that spans whole device
// pixels, the columns from it on repeat the first ones pixel for pixel.
QImage rasterise(int width, int height, Scale scale,
    const std::function<Rgb(double, double)>& shade, int period_x = 0);

// Distance from a to b on a ring of the given length.
double wrapped_distance(double a, double b, double period);

} // namespace tori::art
