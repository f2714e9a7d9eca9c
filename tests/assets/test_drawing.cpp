// The drawing code of display/art, which the window runs at whatever size it
// shows a picture at: at 1x and 2x it draws the committed pictures and icons
// (within what anti-aliasing varies by between machines), at any other size it
// fills exactly the pixels asked for, and the falcon and the eagle keep their
// strokes apart at 1x.
#include "display/art/art.h"
#include "support/images.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace tori::art;
using tori::testing::imageDifference;

namespace {

QImage committed(const QString& file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }

} // namespace

TEST(Drawing, AtOneAndTwoTimesItDrawsTheCommittedPictures)
{
    for (int scale : { 1, 2 })
        for (const Asset& asset : all_assets(scale)) {
            const QString file
                = QString(ZR_IMAGES_DIR "/") + asset.name + (scale == 2 ? "@2x.png" : ".png");
            EXPECT_EQ(imageDifference(asset.image, committed(file), file.toStdString()), "")
                << "remake the pictures (docs/assets.md)";
            EXPECT_EQ(
                imageDifference(picture(asset.name, scale), asset.image, asset.name.toStdString()),
                "");
        }
    EXPECT_TRUE(picture("NO_SUCH_PICTURE", 1).isNull());
}

TEST(Drawing, TheCommittedIconsAreTheDrawnOnes)
{
    for (int size : icon_sizes) {
        const QString file = QString(ZR_ICONS_DIR "/icon-%1.png").arg(size);
        const QImage image(file);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(imageDifference(icon(size), image, file.toStdString()), "")
            << "remake the icons (docs/assets.md)";
    }
    QFile svg(ZR_ICONS_DIR "/icon.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll(), icon_svg());
}

TEST(Drawing, TheComparisonForgivesTheRasteriserButNotAMovedStrokeOrAChangedColour)
{
    const QImage drawn = icon(64).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(imageDifference(drawn, drawn, "icon-64"), "");

    // One level off in one pixel in fifty, as another processor draws the edges.
    QImage elsewhere = drawn.copy();
    for (int i = 0; i < elsewhere.width() * elsewhere.height(); i += 50) {
        const int x = i % elsewhere.width(), y = i / elsewhere.width();
        const QRgb p = elsewhere.pixel(x, y);
        elsewhere.setPixel(x, y, qRgba(qRed(p) ^ 1, qGreen(p), qBlue(p), qAlpha(p)));
    }
    EXPECT_EQ(imageDifference(elsewhere, drawn, "icon-64"), "");

    // The ink of the picture one pixel to the right.
    const QImage piece = picture("SITA_OU", 1).convertToFormat(QImage::Format_ARGB32);
    QImage moved = piece.copy();
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 1; x < piece.width(); ++x)
            moved.setPixel(x, y, piece.pixel(x - 1, y));
    const std::string movedSays = imageDifference(moved, piece, "SITA_OU.png");
    EXPECT_NE(movedSays.find("SITA_OU.png: "), std::string::npos) << movedSays;
    EXPECT_NE(
        movedSays.find(" pixels differ by more than 2 levels, the largest by "), std::string::npos)
        << movedSays;

    // The black ink a little browner: five levels of red in every ink pixel.
    QImage recoloured = piece.copy();
    int ink = 0;
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x) {
            const QRgb p = piece.pixel(x, y);
            if (qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90) {
                recoloured.setPixel(x, y, qRgba(qRed(p) + 5, qGreen(p), qBlue(p), qAlpha(p)));
                ++ink;
            }
        }
    ASSERT_GT(ink, 30);
    EXPECT_NE(imageDifference(recoloured, piece, "SITA_OU.png"), "");

    EXPECT_EQ(imageDifference(picture("SITA_OU", 2), piece, "SITA_OU@2x.png"),
        "SITA_OU@2x.png: 66x82 pixels instead of 33x41");
}

TEST(Drawing, AtAFractionalSizeAPictureFillsExactlyTheRectangleAsked)
{
    // At 150 % squares are laid 49 or 50 pixels wide and 61 or 62 high.
    const struct {
        const char* name;
        QSize design, device;
    } cases[] = {
        { "SITA_OU", { 33, 41 }, { 49, 62 } },
        { "UE_KAKU", { 33, 41 }, { 50, 61 } },
        { "KARA_MASU", { 33, 41 }, { 83, 103 } },
        { "HAIKEI_TATAMI", { 34, 41 }, { 51, 62 } },
        { "ZRSHOGI", { 143, 39 }, { 215, 58 } },
    };
    for (const auto& c : cases) {
        const QImage image = picture(c.name, Scale::fitting(c.design, c.device));
        EXPECT_EQ(image.size(), c.device) << c.name;
    }
}

TEST(Drawing, TheFalconAndTheEagleKeepPaperBetweenTheirStrokesAtOneTimes)
{
    // A pixel of the plate with ink just above and just below: one pixel row of
    // paper that keeps two horizontal strokes apart. Drawn like the others, the
    // crowded strokes of 鷹 and 鷲 ran together into dark patches with few such rows.
    auto ink = [](QRgb p) {
        return (qRed(p) < 110 && qGreen(p) < 110) || (qRed(p) > 150 && qGreen(p) < 100);
    };
    auto paper = [&](QRgb p) { return (qRed(p) + qGreen(p) + qBlue(p)) / 3 > 190 && !ink(p); };
    for (const char* name : { "SITA_GIN_0", "SITA_GIN_1" }) {
        const QImage image = picture(name, 1);
        int gaps = 0;
        for (int y = 9; y < 38; ++y)
            for (int x = 6; x < 27; ++x)
                gaps += paper(image.pixel(x, y)) && ink(image.pixel(x, y - 1))
                    && ink(image.pixel(x, y + 1));
        EXPECT_GE(gaps, 20) << name;
    }
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!load_fonts()) {
        std::fprintf(stderr, "the IPA Mincho fonts (fonts-ipafont-mincho) are missing\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
