// The searching opponent's evaluation: a sum of weighted terms, each a count
// taken from the position, so that the same code scores positions in the
// search and lists the counts for the tuner.
//
// Weights are in hundredths of a swallow on the board. The parameter vector is
// laid out as
//   board[kind]        material of each kind on the board (swallow .. right quail)
//   hand[slot]         material of each hand slot 1..6
//   square[kind][s]    piece-square terms, s seen from the piece's own side
//                      (the lower side's square is turned by 180 degrees)
//   mobility[kind]     squares each kind may move to
//   phoenix terms      attacked neighbours, own neighbours, open holes around
//                      the phoenix against the enemy hand, enemy pieces near it
//   swallow terms      columns with two swallows, defended swallows
//   hanging            pieces attacked and not defended, for the side to move
//                      and for the other side
//   tempo              the side to move
//   phoenix offsets    each piece by kind and by its offset to its own phoenix
//                      and to the enemy phoenix, seen from the piece's side;
//                      the board is mirror-symmetric, so the symmetric kinds
//                      use the column distance and a right quail counts as a
//                      left quail mirrored
//   hand against holes pieces in hand, by slot, times the open squares around
//                      the enemy phoenix that it does not guard
//   phoenix danger     one weight for each level of attack on the squares
//                      around the phoenix (attacked, attacked twice, and
//                      attacked where only the phoenix guards), up to 15
#pragma once

#include "search/position.h"

namespace tori::search {

namespace param {
    inline constexpr int Board = 0; // + kind - 1, kinds Swallow..RightQuail
    inline constexpr int Hand = Board + 8; // + slot - 1
    inline constexpr int Square = Hand + 6; // + (kind - 1) * 49 + s, kinds Swallow..Phoenix
    inline constexpr int Mobility = Square + 9 * SquareCount; // + kind - 1
    inline constexpr int PhoenixAttackedNeighbours = Mobility + 9;
    inline constexpr int PhoenixShelter = PhoenixAttackedNeighbours + 1;
    inline constexpr int PhoenixHolesAgainstHand = PhoenixShelter + 1;
    inline constexpr int PhoenixHolesAgainstAnyHand = PhoenixHolesAgainstHand + 1;
    inline constexpr int PhoenixEnemiesNear = PhoenixHolesAgainstAnyHand + 1;
    inline constexpr int SwallowPair = PhoenixEnemiesNear + 1;
    inline constexpr int SwallowDefended = SwallowPair + 1;
    inline constexpr int HangingToMove = SwallowDefended + 1;
    inline constexpr int HangingWaiting = HangingToMove + 1;
    inline constexpr int Tempo = HangingWaiting + 1;
    // Offsets: rows -6..6, and for the symmetric kinds (swallow .. crane, in
    // kind order) columns 0..6 apart, for the quails columns -6..6.
    inline constexpr int SymmetricOffsets = 13 * 7;
    inline constexpr int QuailOffsets = 13 * 13;
    inline constexpr int OffsetsPerPhoenix = 6 * SymmetricOffsets + QuailOffsets;
    inline constexpr int OwnPhoenixOffset = Tempo + 1;
    inline constexpr int EnemyPhoenixOffset = OwnPhoenixOffset + OffsetsPerPhoenix;
    inline constexpr int HandAgainstHoles = EnemyPhoenixOffset + OffsetsPerPhoenix; // + slot - 1
    inline constexpr int PhoenixDanger = HandAgainstHoles + 6; // + level 0..15
    inline constexpr int DangerLevels = 16;
    inline constexpr int Count = PhoenixDanger + DangerLevels;
} // namespace param

// The tuned weights (search/weights.cpp, written by tori-tune).
extern const int weights[param::Count];

// Material of a kind for move ordering and pruning margins.
int kindValue(int kind);
// What taking a piece of the kind is worth in the evaluation's material: its
// weight on the board and the weight of the piece it becomes in the hand.
int captureValue(int kind);
// What promoting a piece of the kind adds to the evaluation's material.
int promotionValue(int kind);

// The score of the position for the side to move, in hundredths of a swallow.
int evaluate(const Position& p);

// The terms as counts: for every parameter, how many times the upper side has
// it minus how many times the lower side has it. evaluate() is the sum of the
// counts times the weights, turned to the side to move.
void evaluationCounts(const Position& p, int counts[param::Count]);

} // namespace tori::search
