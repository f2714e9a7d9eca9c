// The committed board pictures: present at both scales with the sizes the
// board is laid out by, background tiles that meet without a seam, upper
// pieces that are the lower ones turned round, and red ink where it belongs.

#include "support/images.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const piece_names[]
    = { "HU_0", "HU_1", "KEI", "GIN_0", "GIN_1", "KIN", "KAKU", "SYA", "OU" };
const char* const background_names[]
    = { "HAIKEI_MIDORI", "HAIKEI_TATAMI", "HAIKEI_TAKE", "HAIKEI_UCHU", "HAIKEI_RENGA" };

QImage load(const std::string& name, int scale)
{
    const QString file = QString(ZR_IMAGES_DIR) + "/" + QString::fromStdString(name)
        + (scale == 2 ? "@2x.png" : ".png");
    QImage image(file);
    return image.convertToFormat(QImage::Format_RGB32);
}

struct Expected {
    std::string name;
    int width, height;
};

std::vector<Expected> every_picture()
{
    std::vector<Expected> list;
    for (const char* side : { "SITA_", "UE_" })
        for (const char* piece : piece_names)
            list.push_back({ std::string(side) + piece, 33, 41 });
    list.push_back({ "KARA_MASU", 33, 41 });
    for (const char* b : background_names)
        list.push_back({ b, 34, 41 });
    list.push_back({ "ZRSHOGI", 143, 39 });
    return list;
}

bool is_red(QRgb p) { return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90; }
bool is_ink(QRgb p) { return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90; }

// Red pixels in the upper and the lower half of a picture.
std::pair<int, int> red_by_half(const QImage& image)
{
    int top = 0, bottom = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (is_red(image.pixel(x, y)))
                ++(y < image.height() / 2 ? top : bottom);
    return { top, bottom };
}

class EachScale : public testing::TestWithParam<int> { };

TEST_P(EachScale, EveryPictureIsThereAtItsSize)
{
    const int scale = GetParam();
    for (const Expected& e : every_picture()) {
        const QImage image = load(e.name, scale);
        ASSERT_FALSE(image.isNull()) << e.name << " at " << scale << "x is missing";
        EXPECT_EQ(image.width(), e.width * scale) << e.name;
        EXPECT_EQ(image.height(), e.height * scale) << e.name;
    }
}

// The window lays background tiles every 33 pixels, one column narrower than a
// tile, so a tile's last column lies over its neighbour's first.
TEST_P(EachScale, BackgroundTilesOverlapSeamlessly)
{
    const int scale = GetParam();
    for (const char* name : background_names) {
        const QImage tile = load(name, scale);
        ASSERT_FALSE(tile.isNull()) << name;
        for (int x = 33 * scale; x < tile.width(); ++x)
            for (int y = 0; y < tile.height(); ++y)
                ASSERT_EQ(tile.pixel(x, y), tile.pixel(x - 33 * scale, y))
                    << name << " column " << x << " row " << y;
    }
}

// Tiles also meet top to bottom: the step from the last row to the first row
// of the next tile is no larger than the steps between rows inside a tile.
TEST_P(EachScale, BackgroundTilesMeetTopToBottom)
{
    const int scale = GetParam();
    auto row_step = [](const QImage& a, int ya, int yb) {
        long sum = 0;
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, ya), q = a.pixel(x, yb);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
        return sum;
    };
    for (const char* name : background_names) {
        const QImage tile = load(name, scale);
        ASSERT_FALSE(tile.isNull()) << name;
        long largest_inside = 0;
        for (int y = 1; y < tile.height(); ++y)
            largest_inside = std::max(largest_inside, row_step(tile, y - 1, y));
        EXPECT_LE(row_step(tile, tile.height() - 1, 0), largest_inside) << name;
    }
}

TEST_P(EachScale, UpperPiecesAreTheLowerOnesTurnedRound)
{
    const int scale = GetParam();
    for (const char* piece : piece_names) {
        const QImage lower = load(std::string("SITA_") + piece, scale);
        const QImage upper = load(std::string("UE_") + piece, scale);
        ASSERT_FALSE(lower.isNull() || upper.isNull()) << piece;
        EXPECT_EQ(tori::testing::imageDifference(upper, lower.mirrored(true, true),
                      std::string("UE_") + piece + " turned round"),
            "");
        EXPECT_NE(upper, lower) << piece;
    }
}

// 鴈 and 鷲 (the promoted pieces) are inked red; the quails carry a red 左 or
// 右 above the bird; the others have no red at all.
TEST_P(EachScale, RedInkMarksPromotionAndTheQuailsSide)
{
    const int scale = GetParam();
    const int some = 8 * scale * scale;
    for (const char* piece : piece_names) {
        const std::string name(piece);
        const auto [top, bottom] = red_by_half(load("SITA_" + name, scale));
        if (name == "HU_1" || name == "GIN_1") {
            EXPECT_GT(top + bottom, 8 * some) << name;
        } else if (name == "KAKU" || name == "SYA") {
            EXPECT_GT(top, some) << name;
            EXPECT_LT(bottom, top / 10) << name << ": the red mark belongs above the bird";
        } else {
            EXPECT_EQ(top + bottom, 0) << name;
        }
    }
}

// Each piece plate carries a dark inscription, and the plate sits on the same
// wood as an empty square, so the board reads as one.
TEST_P(EachScale, PiecesStandOnTheWoodOfTheEmptySquare)
{
    const int scale = GetParam();
    const QImage empty = load("KARA_MASU", scale);
    ASSERT_FALSE(empty.isNull());
    for (const char* piece : piece_names) {
        const QImage lower = load(std::string("SITA_") + piece, scale);
        ASSERT_FALSE(lower.isNull()) << piece;
        for (int y = 0; y < 2 * scale; ++y)
            for (int x = 0; x < 2 * scale; ++x) {
                EXPECT_EQ(lower.pixel(x, y), empty.pixel(x, y)) << piece;
                EXPECT_EQ(
                    lower.pixel(lower.width() - 1 - x, y), empty.pixel(empty.width() - 1 - x, y))
                    << piece;
            }
        int ink = 0;
        for (int y = 0; y < lower.height(); ++y)
            for (int x = 0; x < lower.width(); ++x)
                ink += is_ink(lower.pixel(x, y)) || is_red(lower.pixel(x, y));
        EXPECT_GT(ink, 40 * scale * scale) << piece;
    }
}

TEST_P(EachScale, PlainGreenIsTheWindowsGreen)
{
    const QImage tile = load("HAIKEI_MIDORI", GetParam());
    ASSERT_FALSE(tile.isNull());
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            r += qRed(tile.pixel(x, y));
            g += qGreen(tile.pixel(x, y));
            b += qBlue(tile.pixel(x, y));
        }
    const double n = double(tile.width()) * tile.height();
    EXPECT_NEAR(r / n, 0, 6);
    EXPECT_NEAR(g / n, 128, 6);
    EXPECT_NEAR(b / n, 0, 6);
}

TEST_P(EachScale, TitleIsBlackOnCream)
{
    const QImage title = load("ZRSHOGI", GetParam());
    ASSERT_FALSE(title.isNull());
    int cream = 0, black = 0;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x) {
            const QRgb p = title.pixel(x, y);
            black += is_ink(p);
            cream += qRed(p) > 225 && qGreen(p) > 205 && qBlue(p) > 160 && qRed(p) > qBlue(p) + 20;
        }
    const int all = title.width() * title.height();
    EXPECT_GT(cream, all / 2);
    EXPECT_GT(black, all / 20);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, EachScale, testing::Values(1, 2), [](const testing::TestParamInfo<int>& info) {
        return "At" + std::to_string(info.param) + "x";
    });

} // namespace
