// How long a move of levels 4 and 5 may think when the game has a time limit:
// a share of the time left, never so much that the clock runs out.
#pragma once

#include "search/search.h"

namespace tori::search {

// The mover's clock in milliseconds: main time left, the increment it gets
// after the move, and the byo-yomi it may spend once the main time is gone.
struct ClockTimes {
    int remainingMs = 0;
    int incrementMs = 0;
    int byoyomiMs = 0;
};

// Moves a side is expected still to make, over which its main time is spread.
inline constexpr int ExpectedMovesToGo = 30;

// The limits of one move under the clock: the remaining main time over the
// moves still expected plus most of the increment and the byo-yomi, never more
// than the time before the clock runs out less a safety margin, and never more
// than `usual` (the level's own limits) allows.
Limits clockLimits(const Limits& usual, const ClockTimes& clock);

} // namespace tori::search
