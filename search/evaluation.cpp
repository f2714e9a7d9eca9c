#include "search/evaluation.h"
#include "search/tables.h"

#include <algorithm>
#include <cstdint>

namespace tori::search {

namespace {

    inline int popcount(Bitboard b) { return __builtin_popcountll(b); }

    // Squares within two king steps of s, worked out from the coordinates
    // alone: this table is made before main, when the other tables may not be.
    struct Near {
        Bitboard of[SquareCount];
        Near()
            : of {}
        {
            for (int s = 0; s < SquareCount; ++s)
                for (int t = 0; t < SquareCount; ++t) {
                    const int dc = colOf(t) - colOf(s), dr = rowOf(t) - rowOf(s);
                    if (t != s && dc >= -2 && dc <= 2 && dr >= -2 && dr <= 2)
                        of[s] |= bit(t);
                }
        }
    };
    const Near near;

    // The parameter of a piece's offset to a phoenix, both squares as the
    // piece's side sees the board.
    inline int offsetParam(int kind, int seenPiece, int seenPhoenix)
    {
        const int dr = rowOf(seenPiece) - rowOf(seenPhoenix) + 6;
        const int dc = colOf(seenPiece) - colOf(seenPhoenix);
        if (kind == LeftQuail)
            return 6 * param::SymmetricOffsets + dr * 13 + 6 + dc;
        if (kind == RightQuail)
            return 6 * param::SymmetricOffsets + dr * 13 + 6 - dc;
        return (kind - 1) * param::SymmetricOffsets + dr * 7 + (dc < 0 ? -dc : dc);
    }

    // What a piece other than the phoenix is worth where it stands, by kind,
    // by the square of a phoenix (NoSquare when it is off the board) and by
    // its own square, all seen from the piece's side: the weights of its
    // material, its square and its offset to its own phoenix in one table, and
    // those of its offset to the enemy phoenix in another. The evaluation
    // looks these up instead of adding five weights a piece.
    struct PieceTables {
        static constexpr int Kinds = RightQuail; // Swallow .. RightQuail
        static constexpr int NoPhoenix = SquareCount; // the last row: off the board
        static constexpr int PhoenixSquares = SquareCount + 1;
        static int row(int phoenix) { return phoenix == NoSquare ? NoPhoenix : phoenix; }
        std::int16_t own[Kinds][PhoenixSquares][SquareCount];
        std::int16_t enemy[Kinds][PhoenixSquares][SquareCount];
        PieceTables()
            : own {}
            , enemy {}
        {
            for (int kind = Swallow; kind <= RightQuail; ++kind)
                for (int k = 0; k < PhoenixSquares; ++k)
                    for (int s = 0; s < SquareCount; ++s) {
                        int mine = weights[param::Board + kind - 1]
                            + weights[param::Square + (kind - 1) * SquareCount + s];
                        int theirs = 0;
                        if (k != NoPhoenix) {
                            mine += weights[param::OwnPhoenixOffset + offsetParam(kind, s, k)];
                            theirs = weights[param::EnemyPhoenixOffset + offsetParam(kind, s, k)];
                        }
                        own[kind - 1][k][s] = std::int16_t(mine);
                        enemy[kind - 1][k][s] = std::int16_t(theirs);
                    }
        }
    };
    const PieceTables pieceTables;

    // Adds weight × count to a score.
    struct Scorer {
        int score = 0;
        void add(int index, int count) { score += weights[index] * count; }
        void piece(int kind, int at, int ownPhoenix, int enemyPhoenix, int sign)
        {
            score += sign
                * (pieceTables.own[kind - 1][PieceTables::row(ownPhoenix)][at]
                    + pieceTables.enemy[kind - 1][PieceTables::row(enemyPhoenix)][at]);
        }
    };

    // Adds the counts themselves, for the tuner.
    struct Counter {
        int* counts;
        void add(int index, int count) { counts[index] += count; }
        void piece(int kind, int at, int ownPhoenix, int enemyPhoenix, int sign)
        {
            add(param::Board + kind - 1, sign);
            add(param::Square + (kind - 1) * SquareCount + at, sign);
            if (ownPhoenix != NoSquare)
                add(param::OwnPhoenixOffset + offsetParam(kind, at, ownPhoenix), sign);
            if (enemyPhoenix != NoSquare)
                add(param::EnemyPhoenixOffset + offsetParam(kind, at, enemyPhoenix), sign);
        }
    };

    // Every term, from the upper side's view: the upper side's counts enter
    // with sign +1, the lower side's with -1.
    template <typename Sink> void terms(const Position& p, Sink& sink)
    {
        const Bitboard occ = p.occupied();
        Bitboard attacked[2] = { 0, 0 }; // by any piece
        Bitboard twice[2] = { 0, 0 }; // by two pieces or more
        Bitboard guarded[2] = { 0, 0 }; // by a piece other than the phoenix
        for (int side = 0; side < 2; ++side) {
            const int sign = side == Upper ? 1 : -1;
            const Bitboard own = p.occupied(side);
            const int ownPhoenix = p.phoenix(side), enemyPhoenix = p.phoenix(side ^ 1);
            const auto seen = [side](int s) { return side == Upper ? s : turned(s); };
            const int ownSeen = ownPhoenix == NoSquare ? NoSquare : seen(ownPhoenix);
            const int enemySeen = enemyPhoenix == NoSquare ? NoSquare : seen(enemyPhoenix);
            for (int kind = Swallow; kind <= Phoenix; ++kind) {
                if (kind == Phoenix)
                    guarded[side] = attacked[side];
                Bitboard b = p.pieces(side, kind);
                const int piece = makePiece(side, kind);
                int mobility = 0;
                while (b) {
                    const int s = __builtin_ctzll(b);
                    b &= b - 1;
                    const Bitboard a = Position::attacks(piece, s, occ);
                    twice[side] |= attacked[side] & a;
                    attacked[side] |= a;
                    mobility += popcount(a & ~own);
                    const int at = seen(s);
                    if (kind == Phoenix)
                        sink.add(param::Square + (kind - 1) * SquareCount + at, sign);
                    else
                        sink.piece(kind, at, ownSeen, enemySeen, sign);
                }
                if (mobility)
                    sink.add(param::Mobility + kind - 1, sign * mobility);
            }
            for (int slot = 1; slot < HandSlots; ++slot)
                if (const int n = p.hand(side, slot))
                    sink.add(param::Hand + slot - 1, sign * n);
        }

        for (int side = 0; side < 2; ++side) {
            const int sign = side == Upper ? 1 : -1, them = side ^ 1;
            const Bitboard own = p.occupied(side);
            if (const int k = p.phoenix(side); k != NoSquare) {
                const Bitboard around = tables.neighbours[k];
                sink.add(
                    param::PhoenixAttackedNeighbours, sign * popcount(around & attacked[them]));
                sink.add(param::PhoenixShelter, sign * popcount(around & own));
                // Empty squares next to the phoenix that no other piece of
                // its side guards: where the enemy's pieces in hand land.
                const int holes = popcount(around & ~occ & ~guarded[side]);
                if (holes && p.handTotal(them)) {
                    sink.add(param::PhoenixHolesAgainstAnyHand, sign * holes);
                    sink.add(param::PhoenixHolesAgainstHand,
                        sign * holes * std::min(p.handTotal(them), 4));
                    for (int slot = 1; slot < HandSlots; ++slot)
                        if (const int n = p.hand(them, slot))
                            sink.add(param::HandAgainstHoles + slot - 1, -sign * n * holes);
                }
                const Bitboard enemies = p.occupied(them) & ~p.pieces(them, Swallow);
                sink.add(param::PhoenixEnemiesNear, sign * popcount(near.of[k] & enemies));
                const Bitboard hit = around & attacked[them];
                const int danger = popcount(hit) + popcount(around & twice[them])
                    + popcount(hit & ~guarded[side]);
                sink.add(param::PhoenixDanger + std::min(danger, param::DangerLevels - 1), sign);
            }
            int pairs = 0;
            for (int c = 1; c <= 7; ++c)
                pairs += p.swallowsInColumn(side, c) >= 2;
            if (pairs)
                sink.add(param::SwallowPair, sign * pairs);
            sink.add(
                param::SwallowDefended, sign * popcount(p.pieces(side, Swallow) & attacked[side]));
            const Bitboard hanging
                = own & ~p.pieces(side, Phoenix) & attacked[them] & ~attacked[side];
            if (hanging)
                sink.add(side == p.sideToMove() ? param::HangingToMove : param::HangingWaiting,
                    sign * popcount(hanging));
        }
        sink.add(param::Tempo, p.sideToMove() == Upper ? 1 : -1);
    }

} // namespace

int kindValue(int kind)
{
    static constexpr int values[KindCount] = { 0, 100, 220, 300, 450, 900, 450, 600, 600, 5000 };
    return values[kind];
}

int captureValue(int kind)
{
    if (kind == Phoenix)
        return kindValue(Phoenix);
    return weights[param::Board + kind - 1] + weights[param::Hand + kindSlot[kind] - 1];
}

int promotionValue(int kind)
{
    return promoted[kind]
        ? weights[param::Board + promoted[kind] - 1] - weights[param::Board + kind - 1]
        : 0;
}

int evaluate(const Position& p)
{
    Scorer s;
    terms(p, s);
    return p.sideToMove() == Upper ? s.score : -s.score;
}

void evaluationCounts(const Position& p, int counts[param::Count])
{
    std::fill(counts, counts + param::Count, 0);
    Counter c { counts };
    terms(p, c);
}

} // namespace tori::search
