#pragma once

// The board pictures of the game, each drawn natively at a given scale: 1 and 2
// for the picture files, and the size the window shows them at.

#include "display/art/birds.h"
#include "display/art/texture.h"
#include "platform/surface.h"

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <vector>

namespace tori::art {

constexpr int cell_width = 33;
constexpr int cell_height = 41;
constexpr int tile_width = 34; // one column more than a cell: neighbours overlap by a pixel
constexpr int title_width = 143;
constexpr int title_height = 39;

// The inscription of one piece picture. A quail's inscription has two
// characters, the first of them red.
struct PieceFace {
    QString name; // without the SITA_ / UE_ prefix
    QString kanji; // one or two characters
    bool promoted; // red kanji
    Bird bird; // the picture of the piece set of pictures
    bool dense = false; // a character of many strokes, drawn finer at small sizes
};

const std::vector<PieceFace>& piece_faces();

enum class Background { midori, tatami, take, uchu, renga };

struct BackgroundInfo {
    Background kind;
    QString name;
};

const std::vector<BackgroundInfo>& backgrounds();

// Loads the Mincho face from the installed IPA font files; false when missing.
bool load_fonts();

// The five-sided plate of a shogi piece, in the design pixels of a board square.
QPainterPath plate_outline();

QImage empty_square(Scale scale);
QImage piece(const PieceFace& face, bool upper, Scale scale, PieceSet set = PieceSet::kanji);
QImage background(Background kind, Scale scale);
QImage title_plate(Scale scale);

struct Asset {
    QString name;
    QImage image;
};

// Every picture of the store at one scale, named as its file is (without @2x).
std::vector<Asset> all_assets(int scale);
// The pieces of the set of pictures at one scale, named as their files are:
// "E_" and the name of the kanji piece ("E_SITA_OU").
std::vector<Asset> bird_assets(int scale);
// One picture of the store by that name at any scale, its pieces drawn in
// `pieces` ("SITA_OU" is a picture of the phoenix in the set of pictures); a
// null image for a name the store does not have.
QImage picture(const QString& name, Scale scale, PieceSet pieces = PieceSet::kanji);

// The program's icon, a piece carrying 鳥 on a transparent ground: painted as a
// square of `size` pixels, and the same shapes as an SVG document.
QImage icon(int size);
QByteArray icon_svg();

// The pixel sizes the icon is installed at.
inline constexpr int icon_sizes[] = { 16, 24, 32, 48, 64, 128, 256 };

} // namespace tori::art
