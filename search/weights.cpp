// The evaluation's weights, in hundredths of a swallow, laid out as
// search/evaluation.h describes. Written by tori-tune; see docs/engine.md.
#include "search/evaluation.h"

namespace tori::search {

// clang-format off
const int weights[param::Count] = {
    // board: swallow goose pheasant falcon eagle crane left-quail right-quail
    100, 230, 300, 470, 950, 450, 600, 600,
    // hand: swallow pheasant crane falcon left-quail right-quail
    120, 330, 480, 520, 640, 640,
    // square: swallow, rows 1..7 as its own side sees them
    -16, -16, -16, -16, -16, -16, -16, -8, -8, -8, -8, -8, -8, -8,
    0, 0, 0, 0, 0, 0, 0, 8, 8, 8, 8, 8, 8, 8,
    16, 16, 16, 16, 16, 16, 16, 24, 24, 24, 24, 24, 24, 24,
    32, 32, 32, 32, 32, 32, 32,
    // square: goose, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: pheasant, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: falcon, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: eagle, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: crane, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: left quail, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: right quail, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    // square: phoenix, rows 1..7 as its own side sees them
    0, 0, 0, 0, 0, 0, 0, -20, -20, -20, -20, -20, -20, -20,
    -40, -40, -40, -40, -40, -40, -40, -60, -60, -60, -60, -60, -60, -60,
    -80, -80, -80, -80, -80, -80, -80, -100, -100, -100, -100, -100, -100, -100,
    -120, -120, -120, -120, -120, -120, -120,
    // mobility: swallow goose pheasant falcon eagle crane left-quail right-quail phoenix
    2, 2, 2, 3, 4, 2, 4, 4, 0,
    // phoenix: attacked neighbours, shelter, holes x enemy hand, holes, enemies near
    -15, 8, -6, -10, -12,
    // swallows: pairs in a column, defended
    -10, 6,
    // hanging: side to move, other side; tempo
    -10, -40, 15,
};
// clang-format on

} // namespace tori::search
