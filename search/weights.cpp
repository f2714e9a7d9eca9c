// The evaluation's weights, in hundredths of a swallow, laid out as
// search/evaluation.h describes. Written by tori-tune; see docs/engine.md.
#include "search/evaluation.h"

namespace tori::search {

// clang-format off
const int weights[param::Count] = {
    // board: swallow goose pheasant falcon eagle crane left-quail right-quail
    148, 222, 270, 482, 953, 470, 593, 595,
    // hand: swallow pheasant crane falcon left-quail right-quail
    80, 322, 492, 543, 620, 624,
    // square: swallow, row by row as its own side sees the board
    -16, -16, -16, -16, -16, -16, -16,
    -8, -8, -8, -8, -8, -8, -8,
    0, 0, 0, 0, 0, 0, 0,
    8, 8, 8, 8, 8, 8, 8,
    16, 16, 16, 16, 16, 16, 16,
    24, 24, 24, 24, 24, 24, 24,
    32, 32, 32, 32, 32, 32, 32,
    // square: goose, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: pheasant, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: falcon, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: eagle, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: crane, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: left quail, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: right quail, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: phoenix, row by row as its own side sees the board
    0, 0, 0, 0, 0, 0, 0,
    -20, -20, -20, -20, -20, -20, -20,
    -40, -40, -40, -40, -40, -40, -40,
    -60, -60, -60, -60, -60, -60, -60,
    -80, -80, -80, -80, -80, -80, -80,
    -100, -100, -100, -100, -100, -100, -100,
    -120, -120, -120, -120, -120, -120, -120,
    // mobility: swallow goose pheasant falcon eagle crane left-quail right-quail phoenix
    24, -2, 11, 57, 32, 57, 32, 8, -20,
    // phoenix: attacked neighbours, shelter, holes x enemy hand, holes, enemies near
    -90, 38, -6, -10, 0,
    // swallows: pairs in a column, defended
    11, 33,
    // hanging: side to move, other side; tempo
    -4, -51, 28,
};
// clang-format on

} // namespace tori::search
