// The searching opponent's own compact position: bitboards of the 7 × 7 board,
// a square-indexed array of pieces, both hands, the phoenix squares and the
// number of unpromoted swallows in every column, kept up to date move by move
// together with a Zobrist key. Squares, sides and pieces: search/types.h.
#pragma once

#include "search/tables.h"
#include "search/types.h"

#include <cstdint>

namespace tori {
struct GameState;
}

namespace tori::search {

// Game codes (燕 10 … 鵬 950, negative for the lower side) to pieces and back.
int pieceFromCode(int code);
int codeFromPiece(int piece);

// A move in 16 bits:
//   bits 0-5   destination square 0..48
//   bits 6-11  origin square 0..48, or the hand slot 1..6 for a drop
//   bit 12     the piece promotes on arrival
//   bit 13     the piece comes from the hand
// 0 is no move.
using Move = std::uint16_t;
inline constexpr Move NoMove = 0;
inline constexpr Move PromoteFlag = 1 << 12;
inline constexpr Move DropFlag = 1 << 13;

constexpr Move makeMove(int from, int to, bool promote = false)
{
    return Move(to | from << 6 | (promote ? PromoteFlag : 0));
}
constexpr Move makeDrop(int slot, int to) { return Move(to | slot << 6 | DropFlag); }
constexpr int toOf(Move m) { return m & 63; }
// The origin square of a board move.
constexpr int fromOf(Move m) { return (m >> 6) & 63; }
// The hand slot 1..6 a drop takes its piece from.
constexpr int slotOf(Move m) { return (m >> 6) & 63; }
constexpr bool isDrop(Move m) { return (m & DropFlag) != 0; }
constexpr bool isPromotion(Move m) { return (m & PromoteFlag) != 0; }

// A fixed-capacity move list on the stack; no position has more moves than this.
struct MoveList {
    static constexpr int Capacity = 600;
    Move moves[Capacity];
    int size = 0;
    void add(Move m) { moves[size++] = m; }
    const Move* begin() const { return moves; }
    const Move* end() const { return moves + size; }
};

// What make() needs to take a move back.
struct Undo {
    int captured = 0; // piece that stood on the destination
    std::uint64_t key = 0;
};

class Position {
public:
    // An empty board, nothing in hand, the upper side to move.
    Position();

    // The position of a game state with the given side to move. The game
    // state's hands, board and phoenix squares are read; the record is not.
    static Position fromGame(const GameState& g, int sideToMove);
    // Writes board, hands, hand totals and phoenix squares into a game state.
    void toGame(GameState& g) const;
    // The starting position of the game.
    static Position start(int sideToMove);
    // The same position with the board turned by 180 degrees, the colours of
    // every piece and the hands exchanged, and the other side to move.
    Position reversed() const;

    int piece(int s) const { return board_[s]; }
    int sideToMove() const { return side_; }
    int hand(int side, int slot) const { return hand_[side][slot]; }
    int handTotal(int side) const { return handTotal_[side]; }
    int phoenix(int side) const { return phoenix_[side]; }
    int swallowsInColumn(int side, int col) const { return swallows_[side][col]; }
    Bitboard occupied() const { return occ_[0] | occ_[1]; }
    Bitboard occupied(int side) const { return occ_[side]; }
    Bitboard pieces(int side, int kind) const { return byKind_[side][kind]; }
    std::uint64_t key() const { return key_; }

    // Every move the rules allow the side to move: board moves with their
    // optional and forced promotions, and drops. Leaving the phoenix attacked
    // is allowed; a move that takes the enemy phoenix ends the game.
    void generate(MoveList& list) const;
    // Captures and promotions only, for the quiescence search (a capture
    // that could promote only with its promotion).
    void generateTactical(MoveList& list) const;
    // The moves of generate() in two parts, for a search that tries the
    // captures first and may never need the rest: every move that takes or
    // promotes, and every other move (the drops among them).
    void generateCaptures(MoveList& list) const;
    void generateQuiets(MoveList& list) const;
    // True when the move is one generate() would produce here; used to check a
    // move read back from the transposition table or a killer slot.
    bool isPseudoLegal(Move m) const;

    void make(Move m, Undo& u);
    void unmake(Move m, const Undo& u);
    // Passes the move to the other side (for the null-move search).
    void makeNull(Undo& u);
    void unmakeNull(const Undo& u);

    // Squares the piece on s reaches on the current board (its own side's
    // pieces included, as defended squares).
    Bitboard attacksFrom(int piece, int s) const { return attacks(piece, s, occupied()); }
    // Pieces of side that reach square s.
    Bitboard attackersTo(int s, int side) const { return attackersTo(s, side, occupied()); }
    // The same over another occupancy (pieces not in occ neither attack nor block).
    Bitboard attackersTo(int s, int side, Bitboard occ) const
    {
        Bitboard a = 0;
        for (int kind = Swallow; kind <= Phoenix; ++kind)
            if (const Bitboard b = byKind_[side][kind]) {
                const int piece = makePiece(side, kind);
                a |= tables.reverseStep[piece][s] & b;
                const SlideSet& slides = tables.slides[piece];
                for (int i = 0; i < slides.count; ++i)
                    a |= slide(opposite(slides.dir[i]), s, occ) & b;
            }
        return a & occ;
    }
    // The static exchange of a move: what the side to move wins (material as
    // `values` counts it, by kind) when both sides take on its destination
    // in turn with their cheapest board piece as long as it pays. Drops cannot
    // take, so only board pieces join in.
    int see(Move m, const int* values) const;
    // see(m, values) >= threshold, without the exchange when the first
    // capture alone decides it.
    bool seeAtLeast(Move m, int threshold, const int* values) const
    {
        const int victim = capturedBy(m);
        int gain = victim ? values[kindOf(victim)] : 0;
        const int mover = kindOf(movedPiece(m));
        if (isPromotion(m))
            gain += values[mover] - values[kindOf(board_[fromOf(m)])];
        if (gain < threshold)
            return false;
        if (gain - values[mover] >= threshold)
            return true;
        return see(m, values) >= threshold;
    }
    // True when some piece of side reaches square s.
    bool attacked(int s, int side) const
    {
        Bitboard steppers = 0;
        for (int kind = Swallow; kind <= Phoenix; ++kind)
            steppers |= tables.reverseStep[makePiece(side, kind)][s] & byKind_[side][kind];
        if (steppers)
            return true;
        const Bitboard occ = occupied();
        for (const int kind : sliderKinds)
            if (const Bitboard b = byKind_[side][kind]) {
                const SlideSet& slides = tables.slides[makePiece(side, kind)];
                for (int i = 0; i < slides.count; ++i)
                    if (slide(opposite(slides.dir[i]), s, occ) & b)
                        return true;
            }
        return false;
    }
    // True when the side to move may take the other side's phoenix now.
    bool canTakePhoenix() const
    {
        const int k = phoenix_[side_ ^ 1];
        return k != NoSquare && attacked(k, side_);
    }
    // True when the side to move has its phoenix attacked.
    bool inCheck() const
    {
        const int k = phoenix_[side_];
        return k != NoSquare && attacked(k, side_ ^ 1);
    }
    // True when the side to move attacks the other side's phoenix after the
    // move: with the piece the move puts on its destination, or with a
    // slider whose line the move opens.
    bool threatensPhoenix(Move m) const
    {
        const int k = phoenix_[side_ ^ 1];
        if (k == NoSquare)
            return false;
        const Bitboard from = isDrop(m) ? 0 : bit(fromOf(m));
        const Bitboard occ = (occupied() | bit(toOf(m))) & ~from;
        const int piece = movedPiece(m), to = toOf(m);
        if (tables.step[piece][to] & bit(k))
            return true;
        // A slide reaches the phoenix only along a ray that holds it.
        const SlideSet& slides = tables.slides[piece];
        for (int i = 0; i < slides.count; ++i)
            if ((tables.ray[slides.dir[i]][to] & bit(k))
                && (slide(slides.dir[i], to, occ) & bit(k)))
                return true;
        // Only a piece leaving a line through the phoenix can open it.
        if (!(tables.lines[k] & from))
            return false;
        for (const int kind : sliderKinds)
            if (const Bitboard b = byKind_[side_][kind] & ~from) {
                const SlideSet& slides = tables.slides[makePiece(side_, kind)];
                for (int i = 0; i < slides.count; ++i)
                    if (slide(opposite(slides.dir[i]), k, occ) & b)
                        return true;
            }
        return false;
    }
    // The squares on which a move may answer an attack on the side to move's
    // phoenix other than by moving it: the attackers' squares and, for an
    // attack along a line, the squares between.
    Bitboard evasionTargets() const;
    // The piece a move puts on its destination.
    int movedPiece(Move m) const
    {
        if (isDrop(m))
            return makePiece(side_, slotKind[slotOf(m)]);
        const int piece = board_[fromOf(m)];
        return isPromotion(m) ? makePiece(side_, promoted[kindOf(piece)]) : piece;
    }
    int capturedBy(Move m) const { return isDrop(m) ? 0 : board_[toOf(m)]; }

    static Bitboard attacks(int piece, int s, Bitboard occ)
    {
        Bitboard a = tables.step[piece][s];
        const SlideSet& slides = tables.slides[piece];
        for (int i = 0; i < slides.count; ++i)
            a |= slide(slides.dir[i], s, occ);
        return a;
    }

    bool operator==(const Position& o) const;

private:
    void put(int piece, int s);
    void remove(int s);
    void addToHand(int side, int slot);
    void takeFromHand(int side, int slot);
    void generateDrops(MoveList& list) const;
    enum class Gen { All, Tactical, Captures, Quiets };
    template <Gen Mode> void generateBoard(MoveList& list) const;

    signed char board_[SquareCount];
    Bitboard occ_[2];
    Bitboard byKind_[2][KindCount];
    int hand_[2][HandSlots];
    int handTotal_[2];
    int phoenix_[2];
    int swallows_[2][8]; // columns 1..7
    int side_;
    std::uint64_t key_;
};

// The Zobrist key parts, exposed for the tests' key recomputation.
std::uint64_t computeKey(const Position& p);

} // namespace tori::search
