// The pieces drawn as pictures of their birds: at 1x and 2x alike to the
// committed pictures (E_<name>.png), the upper ones turned round, the promoted
// ones in vermilion, the quails pointing to their sides, every bird its own
// picture, and drawn sharp at the size the window shows them at.
#include "display/art/art.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tori;
using namespace tori::art;

namespace {

const char* const piece_names[]
    = { "HU_0", "HU_1", "KEI", "GIN_0", "GIN_1", "KIN", "KAKU", "SYA", "OU" };

// Two pictures alike to the eye: of one size, with at most `share` of their
// pixels having a channel more than `levels` apart (font and rasteriser
// versions move an edge pixel here and there).
testing::AssertionResult alike(
    const QImage& a, const QImage& b, int levels = 8, double share = 0.01)
{
    if (a.size() != b.size())
        return testing::AssertionFailure() << "sizes differ: " << a.width() << "x" << a.height()
                                           << " and " << b.width() << "x" << b.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            differing += std::abs(qRed(p) - qRed(q)) > levels
                || std::abs(qGreen(p) - qGreen(q)) > levels
                || std::abs(qBlue(p) - qBlue(q)) > levels;
        }
    const int allowed = static_cast<int>(share * x.width() * x.height());
    if (differing > allowed)
        return testing::AssertionFailure()
            << differing << " pixels differ, at most " << allowed << " may";
    return testing::AssertionSuccess();
}

QImage committed(const QString& name, int scale)
{
    return QImage(QString(ZR_IMAGES_DIR "/") + name + (scale == 2 ? "@2x.png" : ".png"))
        .convertToFormat(QImage::Format_RGB32);
}

QImage bird(const std::string& piece, int scale, bool upper = false)
{
    return picture(
        QString::fromStdString((upper ? "UE_" : "SITA_") + piece), scale, PieceSet::pictures)
        .convertToFormat(QImage::Format_RGB32);
}

bool is_red(QRgb p) { return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90; }
bool is_ink(QRgb p) { return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90; }

int count(const QImage& image, bool (*kind)(QRgb))
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += kind(image.pixel(x, y));
    return n;
}

class EachScale : public testing::TestWithParam<int> { };

TEST_P(EachScale, TheBirdsAreTheCommittedPictures)
{
    const int scale = GetParam();
    const std::vector<Asset> assets = bird_assets(scale);
    ASSERT_EQ(assets.size(), 18u);
    for (const Asset& asset : assets) {
        const QImage file = committed(asset.name, scale);
        ASSERT_FALSE(file.isNull()) << asset.name.toStdString() << ": remake the pictures";
        EXPECT_TRUE(alike(asset.image, file)) << asset.name.toStdString();
        // The window asks for the piece by its kanji name.
        EXPECT_TRUE(alike(picture(asset.name.mid(2), scale, PieceSet::pictures), asset.image))
            << asset.name.toStdString();
    }
}

TEST_P(EachScale, UpperBirdsAreTheLowerOnesTurnedRound)
{
    const int scale = GetParam();
    for (const char* piece : piece_names) {
        const QImage lower = bird(piece, scale);
        const QImage upper = bird(piece, scale, true);
        EXPECT_TRUE(alike(upper, lower.mirrored(true, true))) << piece;
        EXPECT_FALSE(alike(upper, lower)) << piece;
    }
}

// As the promoted kanji, the eagle and the goose are vermilion; the others are
// dark ink with at most a small mark of red (a crown, a face, a quail's side).
TEST_P(EachScale, ThePromotedBirdsAreVermilion)
{
    const int scale = GetParam();
    for (const std::string piece : piece_names) {
        const QImage image = bird(piece, scale);
        const int red = count(image, is_red);
        const int ink = count(image, is_ink);
        if (piece == "HU_1" || piece == "GIN_1") {
            EXPECT_GT(red, 100 * scale * scale) << piece;
            EXPECT_LT(ink, red / 10) << piece;
        } else {
            EXPECT_GT(ink, 100 * scale * scale) << piece;
            EXPECT_LT(red, ink / 8) << piece;
        }
    }
}

// The left quail's red arrowhead points left from the left of the plate's
// axis, the right quail's from the right; and the birds look those ways: the
// right quail is the left one mirrored.
TEST_P(EachScale, TheQuailsPointToTheirSides)
{
    const int scale = GetParam();
    auto red_middle = [](const QImage& image) {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (is_red(image.pixel(x, y))) {
                    sum += x + 0.5;
                    ++n;
                }
        return n ? sum / n : -1.0;
    };
    const QImage left = bird("KAKU", scale);
    const QImage right = bird("SYA", scale);
    const double axis = left.width() / 2.0;
    EXPECT_LT(red_middle(left), axis - 1.5 * scale);
    EXPECT_GT(red_middle(right), axis + 1.5 * scale);
    EXPECT_FALSE(alike(left, right, 8, 0.05));
    // Mirrored on a plate that is not quite symmetric, nearly the same ink.
    const QRect plate(5 * scale, 2 * scale, 23 * scale, 37 * scale);
    EXPECT_TRUE(alike(right.copy(plate), left.mirrored(true, false).copy(plate), 100, 0.04));
}

// Each bird differs from every other one by a good part of its ink: no piece
// can be taken for another.
TEST_P(EachScale, EveryBirdIsAPictureOfItsOwn)
{
    const int scale = GetParam();
    std::vector<QImage> birds;
    for (const char* piece : piece_names)
        birds.push_back(bird(piece, scale));
    for (std::size_t i = 0; i < birds.size(); ++i)
        for (std::size_t j = i + 1; j < birds.size(); ++j) {
            int differing = 0, ink = 0;
            for (int y = 0; y < birds[i].height(); ++y)
                for (int x = 0; x < birds[i].width(); ++x) {
                    const QRgb p = birds[i].pixel(x, y), q = birds[j].pixel(x, y);
                    const bool a = is_ink(p) || is_red(p), b = is_ink(q) || is_red(q);
                    differing += a != b;
                    ink += a || b;
                }
            EXPECT_GT(differing, ink / 4) << piece_names[i] << " and " << piece_names[j];
        }
}

// At three times the birds are drawn at that size, not enlarged: on the plate
// their edges step sharply from paper to ink far more often than the edges of
// the 1x picture enlarged smoothly.
TEST(Birds, AtAnySizeTheyAreDrawnSharp)
{
    auto steps = [](const QImage& image) {
        const QRect plate(6 * 3, 8 * 3, 21 * 3, 29 * 3);
        int n = 0;
        for (int y = plate.top(); y < plate.bottom(); ++y)
            for (int x = plate.left(); x < plate.right(); ++x) {
                const int here = qGray(image.pixel(x, y));
                n += std::abs(here - qGray(image.pixel(x + 1, y))) > 60
                    || std::abs(here - qGray(image.pixel(x, y + 1))) > 60;
            }
        return n;
    };
    for (const char* piece : piece_names) {
        const QImage drawn = picture(QString("SITA_") + piece, 3, PieceSet::pictures)
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage enlarged
            = bird(piece, 1).scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GT(steps(drawn) * 2, steps(enlarged) * 3) << piece;
        // At a fractional size the picture still fills exactly the pixels asked.
        EXPECT_EQ(picture(QString("UE_") + piece, Scale::fitting({ 33, 41 }, { 49, 62 }),
                      PieceSet::pictures)
                      .size(),
            QSize(49, 62));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Birds, EachScale, testing::Values(1, 2), [](const testing::TestParamInfo<int>& info) {
        return "At" + std::to_string(info.param) + "x";
    });

} // namespace
