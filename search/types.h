// The board's squares, sides, pieces and hand slots as the searching
// opponent numbers them.
//
// Squares: s = (段 - 1) * 7 + (列 - 1), so s = 0 is (1, 1) in the upper left
// corner as drawn, s = 6 is (7, 1) and s = 48 is (7, 7). A bitboard is a
// uint64_t with bit s set for square s; bits 49..63 are always 0.
//
// Sides: 0 is the upper side (the computer, positive codes, moving toward
// row 7), 1 the lower side (negative codes, moving toward row 1).
//
// Pieces: Piece = side * 16 + Kind, 0 for an empty square.
#pragma once

#include <cstdint>

namespace tori::search {

using Bitboard = std::uint64_t;

enum Kind : int {
    NoKind = 0,
    Swallow = 1, // 燕
    Goose = 2, // 鴈
    Pheasant = 3, // 雉
    Falcon = 4, // 鷹
    Eagle = 5, // 鷹成
    Crane = 6, // 鶴
    LeftQuail = 7, // 左鶉
    RightQuail = 8, // 右鶉
    Phoenix = 9, // 鵬
    KindCount = 10
};

inline constexpr int Upper = 0;
inline constexpr int Lower = 1;
inline constexpr int SquareCount = 49;
inline constexpr int PieceCount = 32;
inline constexpr int NoSquare = -1;
inline constexpr Bitboard BoardMask = (Bitboard(1) << SquareCount) - 1;

constexpr int makePiece(int side, int kind) { return side * 16 + kind; }
constexpr int kindOf(int piece) { return piece & 15; }
constexpr int sideOf(int piece) { return piece >> 4; }
constexpr int squareOf(int col, int row) { return (row - 1) * 7 + (col - 1); }
constexpr int colOf(int s) { return s % 7 + 1; }
constexpr int rowOf(int s) { return s / 7 + 1; }
constexpr Bitboard bit(int s) { return Bitboard(1) << s; }
// The square as the other side sees it: the board turned by 180 degrees.
constexpr int turned(int s) { return SquareCount - 1 - s; }

// The kinds that slide along lines; every other kind steps or jumps.
inline constexpr int sliderKinds[] = { Eagle, LeftQuail, RightQuail };

// Hand slots 1..6 as the game numbers them, and the kind each holds.
inline constexpr int HandSlots = 7; // index 0 unused
inline constexpr int slotKind[HandSlots]
    = { NoKind, Swallow, Pheasant, Crane, Falcon, LeftQuail, RightQuail };
// The hand slot a captured kind goes to (promoted kinds revert), 0 for the phoenix.
inline constexpr int kindSlot[KindCount] = { 0, 1, 1, 2, 4, 4, 3, 5, 6, 0 };
inline constexpr int promoted[KindCount] = { 0, Goose, 0, 0, Eagle, 0, 0, 0, 0, 0 };
// The kind a promoted piece was before it promoted, 0 for the others.
inline constexpr int demoted[KindCount] = { 0, 0, Swallow, 0, 0, Falcon, 0, 0, 0, 0 };
static_assert(demoted[promoted[Swallow]] == Swallow && demoted[promoted[Falcon]] == Falcon);

} // namespace tori::search
