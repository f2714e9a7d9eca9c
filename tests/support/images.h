// Drawn pictures compared as a person would see them. Anti-aliased drawing is
// not bit-identical across machines (another processor or Qt build moves an
// edge pixel by a level or two), so two pictures count as alike when no
// channel of any pixel differs by more than two levels, but for at most 0.5 %
// of the pixels. A moved stroke or a changed colour breaks that at once.
#pragma once

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace tori::testing {

struct ImageTolerance {
    int levels = 2; // the largest difference of a channel that is not counted
    double share = 0.005; // the share of pixels that may differ by more
};

// Empty when the two pictures are alike; otherwise what differs, naming `what`
// (the file or picture), the number of pixels and the largest difference.
inline std::string imageDifference(
    const QImage& actual, const QImage& expected, const std::string& what, ImageTolerance t = {})
{
    if (actual.size() != expected.size())
        return what + ": " + std::to_string(actual.width()) + "x" + std::to_string(actual.height())
            + " pixels instead of " + std::to_string(expected.width()) + "x"
            + std::to_string(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    long over = 0;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = std::max(
                { std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                    std::abs(qBlue(p[x]) - qBlue(q[x])), std::abs(qAlpha(p[x]) - qAlpha(q[x])) });
            largest = std::max(largest, d);
            over += d > t.levels;
        }
    }
    const long pixels = long(a.width()) * a.height();
    if (over <= long(pixels * t.share))
        return {};
    return what + ": " + std::to_string(over) + " of " + std::to_string(pixels)
        + " pixels differ by more than " + std::to_string(t.levels) + " levels, the largest by "
        + std::to_string(largest);
}

} // namespace tori::testing
