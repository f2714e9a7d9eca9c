// Pixels of the Qt surface at 1x and 2x: outlines, picture placement and text.
// The game's own picture art is never looked at: the tests draw with a set of
// plain test pictures, so they hold whatever the art becomes.
#include "display/art/art.h"
#include "display/display.h"
#include "display/pictures.h"
#include "display/qt/qt_surface.h"
#include "support/fakes.h"
#include "support/images.h"

#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace tori;
using namespace tori::testing;

namespace {

const QColor green(0, 128, 0);
const QColor lightRed(255, 0, 0);
const QColor wood(200, 160, 100);
const QColor bamboo(40, 90, 40);
const QColor cream(250, 240, 200);
const QColor marker(255, 0, 255);

QImage solid(QSize size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The title plate with a marked top-left and bottom-right pixel.
QImage markedTitle(int scale)
{
    QImage image = solid(QSize(143, 39) * scale, cream);
    image.setPixelColor(0, 0, marker);
    image.setPixelColor(image.width() - 1, image.height() - 1, marker);
    return image;
}

PictureSet testPictures()
{
    PictureSet set;
    set.add(空, solid({ 33, 41 }, wood), solid({ 66, 82 }, wood));
    set.add(背景_竹, solid({ 34, 41 }, bamboo), solid({ 68, 82 }, bamboo));
    set.add(題字, markedTitle(1), markedTitle(2));
    return set;
}

QColor at(const QtSurface& s, int x, int y) { return s.image().pixelColor(x, y); }

// Pixels of exactly the colour inside a device rectangle.
int count(const QtSurface& s, const QRect& r, const QColor& colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (s.image().pixelColor(x, y) == colour)
                ++n;
    return n;
}

// Pixels close to the colour inside a device rectangle: glyph edges are
// smoothed, so text is counted by the pixels that are mostly its colour.
int countInk(const QtSurface& s, const QRect& r, const QColor& colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = s.image().pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue())
                < 120)
                ++n;
        }
    return n;
}

// The rows from the first to the last one holding a pixel of the colour.
int inkHeight(const QtSurface& s, const QColor& colour)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < s.image().height(); ++y)
        for (int x = 0; x < s.image().width(); ++x)
            if (countInk(s, QRect(x, y, 1, 1), colour)) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

} // namespace

TEST(QtSurface, ImageIsTheClientAreaTimesTheRatioInGreen)
{
    QtSurface one({ 600, 487 }, 1, testPictures());
    EXPECT_EQ(one.image().size(), QSize(600, 487));
    EXPECT_EQ(at(one, 0, 0), green);
    EXPECT_EQ(at(one, 599, 486), green);
    QtSurface two({ 600, 487 }, 2, testPictures());
    EXPECT_EQ(two.image().size(), QSize(1200, 974));
    EXPECT_EQ(two.image().devicePixelRatio(), 2);
    QtSurface fractional({ 600, 487 }, 1.5, testPictures());
    EXPECT_EQ(fractional.image().size(), QSize(900, 731));
}

TEST(QtSurface, SelectionOutlineLandsOnItsSquare)
{
    // Square (3, 4): x 2535..3030 twips, y 2560..3175 twips, worked out by hand
    // in device pixels: 169..202 × 171..212 at 1x, 338..404 × 341..423 at 2x,
    // with lines one design pixel (two device pixels at 2x) wide.
    struct Case {
        qreal dpr;
        int left, top, right, bottom, width;
    };
    for (const Case& k : { Case { 1, 169, 171, 202, 212, 1 }, Case { 2, 338, 341, 404, 423, 2 } }) {
        QtSurface s({ 600, 487 }, k.dpr, testPictures());
        GameState g;
        FakeMenu menu;
        tori::Display d(g, s, menu);
        d.描画_桝輪郭(選択色, 3, 4);
        const int w = k.width;
        const QRect outer(QPoint(k.left, k.top), QPoint(k.right + w - 1, k.bottom + w - 1));
        const QRect inner = outer.adjusted(w, w, -w, -w);
        const QRect everything(QPoint(0, 0), s.image().size());
        // Exactly the ring between the two rectangles is light red.
        EXPECT_EQ(count(s, outer, lightRed),
            outer.width() * outer.height() - inner.width() * inner.height())
            << k.dpr;
        EXPECT_EQ(count(s, inner, green), inner.width() * inner.height()) << k.dpr;
        EXPECT_EQ(count(s, everything, lightRed), count(s, outer, lightRed)) << k.dpr;
        EXPECT_EQ(at(s, k.left, k.top), lightRed) << k.dpr;
        EXPECT_EQ(at(s, k.right + w - 1, k.bottom + w - 1), lightRed) << k.dpr;
    }
}

TEST(QtSurface, TitleTopLeftAtItsTwips)
{
    for (const qreal dpr : { 1.0, 2.0 }) {
        QtSurface s({ 600, 487 }, dpr, testPictures());
        GameState g;
        FakeMenu menu;
        tori::Display d(g, s, menu);
        d.描画_絵(題字, 10.8, 0);
        // (6396, 100) twips = (426.4, 6.67) px at 1x, (852.8, 13.3) at 2x.
        const QPoint topLeft = dpr == 1 ? QPoint(426, 7) : QPoint(853, 13);
        const QPoint bottomRight = topLeft + QPoint(143 * dpr - 1, 39 * dpr - 1);
        EXPECT_EQ(at(s, topLeft.x(), topLeft.y()), marker) << dpr;
        EXPECT_EQ(at(s, bottomRight.x(), bottomRight.y()), marker) << dpr;
        EXPECT_EQ(at(s, topLeft.x() + 1, topLeft.y() + 1), cream) << dpr;
        EXPECT_EQ(at(s, topLeft.x() - 1, topLeft.y()), green) << dpr;
        EXPECT_EQ(at(s, topLeft.x(), topLeft.y() - 1), green) << dpr;
        EXPECT_EQ(at(s, bottomRight.x() + 1, bottomRight.y()), green) << dpr;
        EXPECT_EQ(at(s, bottomRight.x(), bottomRight.y() + 1), green) << dpr;
    }
}

TEST(QtSurface, TwoXPictureIsUsedAboveOne)
{
    PictureSet set;
    set.add(空, solid({ 33, 41 }, wood), solid({ 66, 82 }, cream));
    QtSurface one({ 100, 100 }, 1, set);
    QtSurface two({ 100, 100 }, 2, set);
    QtSurface between({ 100, 100 }, 1.5, set);
    one.絵(空, 150, 150);
    two.絵(空, 150, 150);
    between.絵(空, 150, 150);
    EXPECT_EQ(at(one, 10, 10), wood);
    EXPECT_EQ(count(one, QRect(0, 0, 100, 100), wood), 33 * 41);
    EXPECT_EQ(at(two, 20, 20), cream);
    EXPECT_EQ(count(two, QRect(0, 0, 200, 200), cream), 66 * 82);
    // At 1.5 the 2x picture is scaled to the square's 49.5 × 61.5 pixels.
    EXPECT_EQ(at(between, 30, 30), cream);
    EXPECT_EQ(at(between, 14, 14), green);
    EXPECT_EQ(at(between, 15 + 50, 15 + 62), green);
}

TEST(QtSurface, PicturesOfNeighbouringSquaresMeetAtFractionalRatios)
{
    QtSurface s({ 200, 100 }, 1.25, testPictures());
    for (int c = 0; c < 5; ++c)
        s.絵(空, 495.0 * c, 0);
    // No green column between the squares.
    // Five squares of 41.25 pixels end at pixel 206.
    for (int x = 0; x < 206; ++x)
        EXPECT_EQ(at(s, x, 10), wood) << x;
}

TEST(QtSurface, UnknownCodesDrawNothing)
{
    QtSurface s({ 600, 487 }, 1, testPictures());
    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_絵(空, 1, 1);
    const QImage before = s.image().copy();
    d.描画_背景(7);
    d.描画_絵(-鵬, 2, 2); // no picture for it in the test set
    d.描画_桝輪郭(16, 3, 3);
    d.描画_桝輪郭(-1, 3, 3);
    s.文字(100, 100, "鳥", 12, false, 99);
    EXPECT_EQ(imageDifference(s.image(), before, "the surface", { .share = 0 }), "");
}

TEST(QtSurface, BackgroundCoversTheWindowButNotTheBoard)
{
    QtSurface s({ 600, 487 }, 1, testPictures());
    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_背景(背景_竹);
    EXPECT_EQ(at(s, 0, 0), bamboo);
    EXPECT_EQ(at(s, 599, 486), bamboo);
    EXPECT_EQ(at(s, 101, 46), bamboo); // just outside square (1, 1)
    // The board area keeps the window's green.
    EXPECT_EQ(count(s, QRect(104, 48, 33 * 7 - 2, 41 * 7 - 1), green), (33 * 7 - 2) * (41 * 7 - 1));
}

TEST(QtSurface, EmptiedHandSlotShowsTheEmptySquareAndTheBackground)
{
    QtSurface s({ 600, 487 }, 1, testPictures());
    GameState g;
    g.背景画 = 背景_竹;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    g.持駒_MAN[2] = 3;
    d.描画_自持盤();
    // Cell (10, 3), where the pheasants' count goes: x 6000..6495 twips, y 1945..2560.
    const QRect countCell(401, 130, 33, 41);
    EXPECT_GT(countInk(s, countCell, lightRed), 10);

    g.持駒_MAN[2] = 0;
    d.描画_自持盤();
    EXPECT_EQ(count(s, countCell, bamboo), countCell.width() * countCell.height());
    // Cell (9, 3) inside its outline is the empty square again.
    const QRect slot(368, 131, 32, 40);
    EXPECT_EQ(count(s, slot, wood), slot.width() * slot.height());
}

TEST(QtSurface, TextIsDrawnInItsColourBelowAndRightOfItsPoint)
{
    QtSurface s({ 200, 100 }, 1, testPictures());
    s.文字(600, 300, "鳥将棋", 24, false, 白); // (40, 20) px
    const QColor white(255, 255, 255);
    EXPECT_GT(countInk(s, QRect(40, 20, 120, 40), white), 30);
    EXPECT_EQ(countInk(s, QRect(0, 0, 200, 20), white), 0);
    EXPECT_EQ(countInk(s, QRect(0, 0, 40, 100), white), 0);
}

TEST(QtSurface, FontSizeFollowsPointsAndRatio)
{
    // 9 points is 12 pixels at 1x: a full-height kanji takes most of that.
    const QColor white(255, 255, 255);
    QtSurface one({ 100, 100 }, 1, testPictures());
    one.文字(150, 150, "鵬", 9, true, 白);
    const int h1 = inkHeight(one, white);
    EXPECT_GE(h1, 8);
    EXPECT_LE(h1, 13);
    QtSurface two({ 100, 100 }, 2, testPictures());
    two.文字(150, 150, "鵬", 9, true, 白);
    const int h2 = inkHeight(two, white);
    EXPECT_GE(h2, 2 * h1 - 3);
    EXPECT_LE(h2, 2 * h1 + 3);
}

TEST(QtSurface, TheBoldSwitchReachesThePixels)
{
    // The same count printed before and after the board labels switch to bold.
    const QColor lightRedText = lightRed;
    GameState g;
    FakeMenu menu;
    QtSurface before({ 600, 487 }, 1, testPictures());
    tori::Display d1(g, before, menu);
    d1.描画_数値(10, 3, 88, 明赤, 0, 14);

    QtSurface after({ 600, 487 }, 1, testPictures());
    tori::Display d2(g, after, menu);
    d2.描画_桝_数値();
    d2.描画_数値(10, 3, 88, 明赤, 0, 14);
    const QRect cell(400, 130, 60, 41);
    EXPECT_GT(countInk(after, cell, lightRedText), countInk(before, cell, lightRedText) * 6 / 5);
}

TEST(QtSurface, RefreshAndChangeCallbacks)
{
    QtSurface s({ 100, 100 }, 1, testPictures());
    int refreshed = 0, changed = 0;
    s.setRefresh([&] { ++refreshed; });
    s.setChanged([&] { ++changed; });
    s.枠(明赤, 0, 0, 300, 300);
    s.絵(空, 0, 0);
    s.絵(-鵬, 0, 0); // no picture: no change
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(refreshed, 0);
    s.更新();
    EXPECT_EQ(refreshed, 1);
}

TEST(QtSurface, BlinkRefreshesWithEachImage)
{
    QtSurface s({ 600, 487 }, 1, testPictures());
    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    std::vector<QColor> seen;
    // Square (4, 2): x 3030..3525 twips, y 1330..1945 = px 202..235, 89..130.
    s.setRefresh([&] { seen.push_back(at(s, 218, 110)); });
    d.描画_駒点滅(空, 4, 2, 2);
    ASSERT_EQ(seen.size(), 4u);
    for (const QColor& c : seen)
        EXPECT_EQ(c, wood);
}

// ---- drawn at the size they are shown at ----

namespace {

// The device rectangle of board square (col, row) at a device scale.
QRect squarePixels(const QtSurface& s, int col, int row)
{
    const int l = s.devicePixel(gridX(col)), t = s.devicePixel(gridY(row));
    return QRect(l, t, s.devicePixel(gridX(col + 1)) - l, s.devicePixel(gridY(row + 1)) - t);
}

// Pixels whose lightness differs sharply from the right or lower neighbour's:
// the crisp edges of strokes and plate, which blurring smears into steps.
int edgePixels(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    auto light = [&](int x, int y) { return qGray(image.pixel(x, y)); };
    int edges = 0;
    for (int y = 0; y + 1 < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x)
            edges += std::abs(light(x, y) - light(x + 1, y)) > 64
                || std::abs(light(x, y) - light(x, y + 1)) > 64;
    return edges;
}

// The starting position drawn whole on bamboo.
struct BambooGame {
    explicit BambooGame(Surface& s)
        : d(g, s, menu)
    {
        初期設定(g, nullptr);
        g.背景画 = 背景_竹;
        d.画面_再描画();
    }
    GameState g;
    FakeMenu menu;
    tori::Display d;
};

// A little of everything the game draws: background, pieces, outlines, texts.
void drawAGameScene(Surface& s)
{
    BambooGame game(s);
    game.d.描画_桝輪郭(選択色, 3, 7);
    game.d.描画_数値(10, 3, 12, 12, 0, 14);
    s.文字(800, 6350, "対局名", 12, false, 15);
}

} // namespace

TEST(QtSurface, AtOneHundredPercentAPieceIsItsPicturePixelForPixel)
{
    QtSurface s({ 600, 456 }, 1);
    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_絵(-鵬, 3, 4);
    const QImage shown = s.image().copy(squarePixels(s, 3, 4));
    EXPECT_EQ(imageDifference(shown, art::picture("SITA_OU", 1), "SITA_OU"), "");
}

TEST(QtSurface, AtTwoHundredPercentAPieceIsAsSharpAsATwoTimesPicture)
{
    const QImage twice = art::picture("SITA_OU", 2);
    const QImage blurred = art::picture("SITA_OU", 1)
                               .scaled(66, 82, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Twice the size on a plain screen, and the design size on a screen of ratio 2.
    for (const auto& [scale, dpr] : { std::pair { 2.0, 1.0 }, std::pair { 1.0, 2.0 } }) {
        QtSurface s({ 600, 456 }, dpr, PictureSet::drawn(), scale);
        GameState g;
        FakeMenu menu;
        tori::Display d(g, s, menu);
        d.描画_絵(-鵬, 3, 4);
        const QRect square = squarePixels(s, 3, 4);
        ASSERT_EQ(square.size(), QSize(66, 82));
        const QImage shown = s.image().copy(square);
        EXPECT_GE(edgePixels(shown), edgePixels(twice)) << scale << " " << dpr;
        EXPECT_GT(edgePixels(shown), edgePixels(blurred) * 3 / 2) << scale << " " << dpr;
    }
}

// Drawn pictures are compared with a tolerance: a channel a few levels off
// here and there is the same picture to the eye.
bool alike(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            differing += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8
                || std::abs(qBlue(p) - qBlue(q)) > 8;
        }
    return differing <= x.width() * x.height() / 100;
}

// The pieces on the board and in the hands change set at once; the rest of the
// screen stays, and what is drawn later and at another scale keeps the set.
TEST(QtSurface, ANewPieceSetDrawsThePiecesOnTheScreenAgainInIt)
{
    QtSurface s({ 600, 456 }, 1, PictureSet::drawn(), 2);
    int changes = 0;
    s.setChanged([&] { ++changes; });
    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_絵(鵬, 3, 1);
    d.描画_絵(-燕, 9, 2); // a piece in the lower hand
    d.描画_絵(空, 4, 4);
    d.描画_桝輪郭(選択色, 3, 1);
    auto square = [&](int col, int row) { return s.image().copy(squarePixels(s, col, row)); };
    const QImage emptyBefore = square(4, 4);
    const QImage kanjiScreen = s.image().copy();

    s.setPieceSet(PieceSet::pictures);
    EXPECT_EQ(s.pieceSet(), PieceSet::pictures);
    EXPECT_GT(changes, 4);
    const QRect phoenix = squarePixels(s, 3, 1).adjusted(2, 2, -2, -2); // inside the outline
    EXPECT_TRUE(alike(s.image().copy(phoenix),
        art::picture("UE_OU", 2, PieceSet::pictures)
            .copy(phoenix.translated(-squarePixels(s, 3, 1).topLeft()))));
    EXPECT_TRUE(alike(square(9, 2), art::picture("SITA_HU_0", 2, PieceSet::pictures)));
    EXPECT_FALSE(alike(square(9, 2), art::picture("SITA_HU_0", 2)));
    EXPECT_EQ(square(4, 4), emptyBefore);
    EXPECT_EQ(
        s.image().pixelColor(squarePixels(s, 3, 1).topLeft()), QtSurface::paletteColour(選択色));

    const int before = changes;
    s.setPieceSet(PieceSet::pictures);
    EXPECT_EQ(changes, before) << "the same set again draws nothing";

    d.描画_絵(-鶴, 5, 5);
    EXPECT_TRUE(alike(square(5, 5), art::picture("SITA_KIN", 2, PieceSet::pictures)));
    s.setScale(1, 1);
    EXPECT_TRUE(alike(square(5, 5), art::picture("SITA_KIN", 1, PieceSet::pictures)));
    EXPECT_TRUE(alike(square(9, 2), art::picture("SITA_HU_0", 1, PieceSet::pictures)));

    s.setScale(2, 1);
    s.setPieceSet(PieceSet::kanji);
    EXPECT_TRUE(alike(square(5, 5), art::picture("SITA_KIN", 2)));
    d.描画_絵(空, 5, 5);
    EXPECT_TRUE(alike(s.image(), kanjiScreen));
}

TEST(QtSurface, ANewScaleRedrawsWhatASurfaceOfThatScaleWouldHaveDrawn)
{
    for (const auto& [scale, dpr] : { std::pair { 1.5, 1.0 }, std::pair { 2.0, 1.0 },
             std::pair { 1.0, 2.0 }, std::pair { 1.25, 2.0 } }) {
        QtSurface fresh({ 600, 456 }, dpr, testPictures(), scale);
        drawAGameScene(fresh);
        QtSurface rescaled({ 600, 456 }, 1, testPictures());
        drawAGameScene(rescaled);
        const QImage atFirst = rescaled.image().copy();
        rescaled.setScale(scale, dpr);
        EXPECT_EQ(rescaled.image().size(), fresh.image().size());
        EXPECT_EQ(imageDifference(rescaled.image(), fresh.image(), "rescaled"), "")
            << scale << " " << dpr;
        EXPECT_EQ(rescaled.image().devicePixelRatio(), dpr);
        rescaled.setScale(1, 1);
        EXPECT_EQ(imageDifference(rescaled.image(), atFirst, "back at 1x"), "")
            << scale << " " << dpr;
    }
}

TEST(QtSurface, TextAndOutlinesScaleWithTheDrawing)
{
    const QColor white(255, 255, 255);
    QtSurface one({ 100, 100 }, 1, testPictures());
    one.文字(150, 150, "鵬", 9, true, 15);
    QtSurface twice({ 100, 100 }, 1, testPictures(), 2);
    twice.文字(150, 150, "鵬", 9, true, 15);
    EXPECT_GE(inkHeight(twice, white), 2 * inkHeight(one, white) - 3);
    EXPECT_LE(inkHeight(twice, white), 2 * inkHeight(one, white) + 3);
    // An outline is one pixel of the design wide: three at 300 %.
    QtSurface thrice({ 100, 100 }, 1, testPictures(), 3);
    thrice.枠(12, 150, 150, 600, 600);
    EXPECT_EQ(count(thrice, QRect(30, 30, 3, 93), lightRed), 3 * 93);
    EXPECT_EQ(at(thrice, 33, 60), green);
}

TEST(QtSurface, ALongGameKeepsOnlyWhatCanStillBeSeen)
{
    QtSurface s({ 600, 456 }, 1, testPictures());
    BambooGame game(s);
    // Hours of clock ticks, counts and selections, each drawn over the last.
    for (int i = 0; i < 3000; ++i) {
        game.d.描画_絵(背景_竹, 10, 3);
        game.d.描画_数値(10, 3, i % 100, 12, 0, 14);
        game.d.描画_将棋盤桝();
        game.d.描画_桝輪郭(選択色, 1 + i % 7, 1 + i % 5);
    }
    EXPECT_LT(s.keptOperations(), 2500u);
    const QImage before = s.image().copy();
    s.setScale(2, 1);
    s.setScale(1, 1);
    EXPECT_EQ(imageDifference(s.image(), before, "back at 1x"), "");
}

TEST(QtSurface, TheGroundAroundTheDrawingCarriesOnItsBackground)
{
    QtSurface s({ 600, 456 }, 1, testPictures(), 2);
    QImage widget(1400, 912, QImage::Format_RGB32);
    widget.fill(marker);
    const QPointF origin(100, 0);
    {
        QPainter p(&widget);
        s.paintAround(p, origin, QRectF(widget.rect()));
    }
    // Before a background is drawn the ground is left as it is.
    EXPECT_EQ(widget.pixelColor(50, 400), marker);

    GameState g;
    FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_背景(背景_竹);
    {
        QPainter p(&widget);
        s.paintAround(p, origin, QRectF(widget.rect()));
    }
    for (const QPoint& ground :
        { QPoint(0, 0), QPoint(99, 911), QPoint(1300, 0), QPoint(1399, 911) })
        EXPECT_EQ(widget.pixelColor(ground), bamboo) << ground.x() << "," << ground.y();
    // The drawing's own place is left to the drawing.
    EXPECT_EQ(widget.pixelColor(100, 0), marker);
    EXPECT_EQ(widget.pixelColor(1299, 911), marker);
}

// The limited clocks below the hands: the time left in white, the last ten
// seconds in red, as sharp at 2x as text drawn for 2x.
TEST(QtSurface, LimitedClocksInTheirPlacesAndColoursAtOneAndTwoTimes)
{
    const QColor white(255, 255, 255);
    int redAtOne = 0;
    QImage clockAtOne;
    for (const qreal dpr : { 1.0, 2.0 }) {
        QtSurface s({ 600, 487 }, dpr, testPictures());
        GameState g;
        g.持ち時間.持ち時間秒 = 60;
        g.持ち時間.秒読み秒 = 10;
        FakeMenu menu; // the elapsed clocks off: a limited clock shows all the same
        tori::Display d(g, s, menu);
        d.描画_所有時間(g.COM手番, 55); // 5 s of main time and 10 of byo-yomi left
        d.描画_所有時間(g.MAN手番, 65); // 5 s of byo-yomi left
        auto place = [&](double gx) {
            const int l = s.devicePixel(gridX(gx)), t = s.devicePixel(gridY(9.2));
            return QRect(l, t, s.devicePixel(gridX(gx + 3)) - l, s.devicePixel(gridY(10)) - t);
        };
        const QRect upper = place(-2), lower = place(13);
        const int red = countInk(s, lower, lightRed);
        EXPECT_GT(red, 30 * dpr * dpr) << dpr;
        EXPECT_EQ(countInk(s, upper, lightRed), 0) << dpr;
        EXPECT_GT(countInk(s, upper, white), 30 * dpr * dpr) << dpr;
        EXPECT_EQ(countInk(s, lower, white), 0) << dpr;
        if (dpr == 1) {
            redAtOne = red;
            clockAtOne = s.image().copy(lower);
            continue;
        }
        // Four times the ink, within what smoothing changes at the edges.
        EXPECT_GT(red, redAtOne * 3);
        EXPECT_LT(red, redAtOne * 6);
        const QImage shown = s.image().copy(lower);
        const QImage blurred
            = clockAtOne.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GT(edgePixels(shown), edgePixels(blurred) * 6 / 5);
    }
}

int main(int argc, char** argv)
{
    // CTest sets the offscreen platform; the build's test listing runs without it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
