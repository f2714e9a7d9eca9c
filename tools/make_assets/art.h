#pragma once

// The board pictures of the game, each drawn natively at a given scale (1 for
// the normal pictures, 2 for the sharp HiDPI versions).

#include <QImage>
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

QImage empty_square(int scale);
QImage piece(const PieceFace& face, bool upper, int scale);
QImage background(Background kind, int scale);
QImage title_plate(int scale);

struct Asset {
    QString name;
    QImage image;
};

// Every picture of the store at one scale, named as its file is (without @2x).
std::vector<Asset> all_assets(int scale);

} // namespace tori::art
