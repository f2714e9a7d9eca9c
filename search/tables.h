// Precomputed tables of the board: each piece's single steps and jumps, the
// directions it slides in, the eight rays from every square, and the Zobrist
// keys. Built once, before main, from the movement rules of the pieces.
#pragma once

#include "search/types.h"

#include <cstdint>

namespace tori::search {

// Directions as (column step, row step); N is toward row 1. Opposite
// directions are neighbours, so d ^ 1 is the way back.
enum Direction : int { N, S, W, E, NW, SE, NE, SW, DirectionCount };
inline constexpr int dirCol[DirectionCount] = { 0, 0, -1, 1, -1, 1, 1, -1 };
inline constexpr int dirRow[DirectionCount] = { -1, 1, 0, 0, -1, 1, -1, 1 };
// Rays whose square numbers grow: their first blocker is the lowest set bit.
inline constexpr bool dirGrows[DirectionCount]
    = { false, true, false, true, false, true, false, true };
constexpr int opposite(int d) { return d ^ 1; }

inline constexpr int MaxHandCount = 32;

struct SlideSet {
    int count = 0;
    int dir[3] = {};
};

struct Tables {
    Bitboard step[PieceCount][SquareCount]; // steps and jumps, not slides
    Bitboard reverseStep[PieceCount][SquareCount]; // squares whose step reaches s
    SlideSet slides[PieceCount];
    Bitboard ray[DirectionCount][SquareCount]; // squares beyond s, to the edge
    Bitboard neighbours[SquareCount]; // the eight squares around s
    Bitboard lines[SquareCount]; // the eight rays from s together
    std::uint64_t pieceKey[PieceCount][SquareCount];
    std::uint64_t handKey[2][HandSlots][MaxHandCount + 2];
    std::uint64_t sideKey;
    Tables();
};

extern const Tables tables;

// The squares a slide from s in direction d reaches: every empty square and
// the first occupied one.
inline Bitboard slide(int d, int s, Bitboard occ)
{
    const Bitboard r = tables.ray[d][s];
    const Bitboard blockers = r & occ;
    if (!blockers)
        return r;
    const int b = dirGrows[d] ? __builtin_ctzll(blockers) : 63 - __builtin_clzll(blockers);
    return r & ~tables.ray[d][b];
}

} // namespace tori::search
