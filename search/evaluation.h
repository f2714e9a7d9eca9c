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
    inline constexpr int Count = Tempo + 1;
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
