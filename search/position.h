// The searching opponent's own compact position: bitboards of the 7 × 7 board,
// a square-indexed array of pieces, both hands, the phoenix squares and the
// number of unpromoted swallows in every column, kept up to date move by move
// together with a Zobrist key.
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

namespace tori {
struct GameState;
}

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

// Hand slots 1..6 as the game numbers them, and the kind each holds.
inline constexpr int HandSlots = 7; // index 0 unused
inline constexpr int slotKind[HandSlots]
    = { NoKind, Swallow, Pheasant, Crane, Falcon, LeftQuail, RightQuail };
// The hand slot a captured kind goes to (promoted kinds revert), 0 for the phoenix.
inline constexpr int kindSlot[KindCount] = { 0, 1, 1, 2, 4, 4, 3, 5, 6, 0 };
inline constexpr int promoted[KindCount] = { 0, Goose, 0, 0, Eagle, 0, 0, 0, 0, 0 };

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
constexpr int fromOf(Move m) { return (m >> 6) & 63; }
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
    // Captures and promotions only, for the quiescence search.
    void generateTactical(MoveList& list) const;
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
    Bitboard attackersTo(int s, int side) const;
    // True when the side to move may take the other side's phoenix now.
    bool canTakePhoenix() const
    {
        const int k = phoenix_[side_ ^ 1];
        return k != NoSquare && attackersTo(k, side_) != 0;
    }
    // True when the side to move has its phoenix attacked.
    bool inCheck() const
    {
        const int k = phoenix_[side_];
        return k != NoSquare && attackersTo(k, side_ ^ 1) != 0;
    }
    // True when the piece the move puts on its destination attacks the other
    // side's phoenix from there. Attacks uncovered by the move are not seen.
    bool threatensPhoenix(Move m) const
    {
        const int k = phoenix_[side_ ^ 1];
        if (k == NoSquare)
            return false;
        const Bitboard occ = (occupied() | bit(toOf(m))) & ~(isDrop(m) ? 0 : bit(fromOf(m)));
        return (attacks(movedPiece(m), toOf(m), occ) & bit(k)) != 0;
    }
    // The piece a move puts on its destination.
    int movedPiece(Move m) const;
    int capturedBy(Move m) const { return isDrop(m) ? 0 : board_[toOf(m)]; }

    static Bitboard attacks(int piece, int s, Bitboard occ);

    bool operator==(const Position& o) const;

private:
    void put(int piece, int s);
    void remove(int s);
    void addToHand(int side, int slot);
    void takeFromHand(int side, int slot);
    void generateDrops(MoveList& list) const;
    template <bool TacticalOnly> void generateBoard(MoveList& list) const;

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
