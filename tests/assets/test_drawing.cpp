// The drawing code of display/art, which the window runs at whatever size it
// shows a picture at: at 1x and 2x it draws exactly the committed pictures and
// icons, at any other size it fills exactly the pixels asked for, and the
// falcon and the eagle keep their strokes apart at 1x.
#include "display/art/art.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace tori::art;

namespace {

QImage committed(const QString& file) { return QImage(file).convertToFormat(QImage::Format_RGB32); }

} // namespace

TEST(Drawing, AtOneAndTwoTimesItDrawsTheCommittedPictures)
{
    for (int scale : { 1, 2 })
        for (const Asset& asset : all_assets(scale)) {
            const QString file
                = QString(ZR_IMAGES_DIR "/") + asset.name + (scale == 2 ? "@2x.png" : ".png");
            EXPECT_EQ(asset.image.convertToFormat(QImage::Format_RGB32), committed(file))
                << file.toStdString() << ": remake the pictures (docs/assets.md)";
            EXPECT_EQ(picture(asset.name, scale), asset.image) << asset.name.toStdString();
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
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
            icon(size).convertToFormat(QImage::Format_ARGB32))
            << file.toStdString();
    }
    QFile svg(ZR_ICONS_DIR "/icon.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll(), icon_svg());
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
