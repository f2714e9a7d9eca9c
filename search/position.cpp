#include "search/position.h"
#include "search/tables.h"

#include "rules/record_entry.h"
#include "rules/state.h"

#include <algorithm>
#include <cstdlib>

namespace tori::search {

namespace {

    // Swallows may not be dropped on their side's last row.
    constexpr Bitboard lastRow[2] = { Bitboard(0x7F) << 42, Bitboard(0x7F) };
    // The promotion zone: the opponent's two last rows.
    constexpr Bitboard zone[2] = { Bitboard(0x3FFF) << 35, Bitboard(0x3FFF) };

    constexpr Bitboard columnMask(int col)
    {
        Bitboard b = 0;
        for (int r = 1; r <= 7; ++r)
            b |= bit(squareOf(col, r));
        return b;
    }

    inline int popLowest(Bitboard& b)
    {
        const int s = __builtin_ctzll(b);
        b &= b - 1;
        return s;
    }

    // The game's code of each kind for the upper side.
    constexpr int codes[KindCount] = { 空, 燕, 鴈, 雉, 鷹, 鷹成, 鶴, 左鶉, 右鶉, 鵬 };

} // namespace

int pieceFromCode(int code)
{
    for (int kind = Swallow; kind < KindCount; ++kind)
        if (codes[kind] == std::abs(code))
            return makePiece(code > 0 ? Upper : Lower, kind);
    return 0;
}

int codeFromPiece(int piece)
{
    if (piece == 0)
        return 0;
    const int code = codes[kindOf(piece)];
    return sideOf(piece) == Upper ? code : -code;
}

Position::Position()
    : board_ {}
    , occ_ {}
    , byKind_ {}
    , hand_ {}
    , handTotal_ {}
    , phoenix_ { NoSquare, NoSquare }
    , swallows_ {}
    , side_(Upper)
    , key_(0)
{
    key_ = computeKey(*this);
}

void Position::put(int piece, int s)
{
    const int side = sideOf(piece), kind = kindOf(piece);
    board_[s] = static_cast<signed char>(piece);
    occ_[side] |= bit(s);
    byKind_[side][kind] |= bit(s);
    key_ ^= tables.pieceKey[piece][s];
    if (kind == Swallow)
        ++swallows_[side][colOf(s)];
    else if (kind == Phoenix)
        phoenix_[side] = s;
}

void Position::remove(int s)
{
    const int piece = board_[s];
    const int side = sideOf(piece), kind = kindOf(piece);
    board_[s] = 0;
    occ_[side] &= ~bit(s);
    byKind_[side][kind] &= ~bit(s);
    key_ ^= tables.pieceKey[piece][s];
    if (kind == Swallow)
        --swallows_[side][colOf(s)];
    else if (kind == Phoenix)
        phoenix_[side] = NoSquare;
}

void Position::addToHand(int side, int slot)
{
    const int n = hand_[side][slot]++;
    key_ ^= tables.handKey[side][slot][n] ^ tables.handKey[side][slot][n + 1];
    ++handTotal_[side];
}

void Position::takeFromHand(int side, int slot)
{
    const int n = hand_[side][slot]--;
    key_ ^= tables.handKey[side][slot][n] ^ tables.handKey[side][slot][n - 1];
    --handTotal_[side];
}

std::uint64_t computeKey(const Position& p)
{
    std::uint64_t k = p.sideToMove() == Lower ? tables.sideKey : 0;
    for (int s = 0; s < SquareCount; ++s)
        if (p.piece(s))
            k ^= tables.pieceKey[p.piece(s)][s];
    for (int side = 0; side < 2; ++side)
        for (int slot = 1; slot < HandSlots; ++slot)
            k ^= tables.handKey[side][slot][p.hand(side, slot)];
    return k;
}

Position Position::fromGame(const GameState& g, int sideToMove)
{
    Position p;
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            if (const int piece = pieceFromCode(g.盤[c][r]))
                p.put(piece, squareOf(c, r));
    for (int slot = 1; slot < HandSlots; ++slot) {
        p.hand_[Upper][slot] = std::min(std::max(g.持駒_COM[slot], 0), MaxHandCount);
        p.hand_[Lower][slot] = std::min(std::max(g.持駒_MAN[slot], 0), MaxHandCount);
        p.handTotal_[Upper] += p.hand_[Upper][slot];
        p.handTotal_[Lower] += p.hand_[Lower][slot];
    }
    p.side_ = sideToMove;
    p.key_ = computeKey(p);
    return p;
}

void Position::toGame(GameState& g) const
{
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            g.盤[c][r] = codeFromPiece(board_[squareOf(c, r)]);
    g.持駒数_COM = handTotal_[Upper];
    g.持駒数_MAN = handTotal_[Lower];
    for (int slot = 1; slot < HandSlots; ++slot) {
        g.持駒_COM[slot] = hand_[Upper][slot];
        g.持駒_MAN[slot] = hand_[Lower][slot];
    }
    鵬位置更新(g);
}

Position Position::start(int sideToMove)
{
    GameState g;
    初期配置(g);
    return fromGame(g, sideToMove);
}

Position Position::reversed() const
{
    Position p;
    for (int s = 0; s < SquareCount; ++s)
        if (const int piece = board_[s])
            p.put(makePiece(sideOf(piece) ^ 1, kindOf(piece)), turned(s));
    for (int side = 0; side < 2; ++side) {
        for (int slot = 1; slot < HandSlots; ++slot)
            p.hand_[side ^ 1][slot] = hand_[side][slot];
        p.handTotal_[side ^ 1] = handTotal_[side];
    }
    p.side_ = side_ ^ 1;
    p.key_ = computeKey(p);
    return p;
}

bool Position::operator==(const Position& o) const
{
    for (int s = 0; s < SquareCount; ++s)
        if (board_[s] != o.board_[s])
            return false;
    for (int side = 0; side < 2; ++side)
        for (int slot = 1; slot < HandSlots; ++slot)
            if (hand_[side][slot] != o.hand_[side][slot])
                return false;
    return side_ == o.side_ && key_ == o.key_;
}

template <Position::Gen Mode> void Position::generateBoard(MoveList& list) const
{
    const int us = side_;
    const Bitboard own = occ_[us], theirs = occ_[us ^ 1], occ = own | theirs;
    // The destinations of moves that neither take nor promote, and of those
    // that take without promoting.
    const Bitboard plainTo = Mode == Gen::Quiets ? ~theirs
        : Mode == Gen::All                       ? ~Bitboard(0)
                                                 : theirs;
    const bool promotions = Mode != Gen::Quiets;
    // Captures that could promote but do not (a tactical list leaves them out).
    const Bitboard unpromotedTo = Mode == Gen::Tactical ? 0 : plainTo;
    Bitboard mine = own;
    while (mine) {
        const int from = popLowest(mine);
        const int piece = board_[from];
        const int kind = kindOf(piece);
        const Bitboard targets = attacks(piece, from, occ) & ~own;
        if (kind == Swallow) {
            // Entering the zone may promote; the last row must.
            Bitboard out = targets & ~zone[us] & plainTo;
            while (out)
                list.add(makeMove(from, popLowest(out)));
            if (promotions)
                for (Bitboard in = targets & zone[us]; in;)
                    list.add(makeMove(from, popLowest(in), true));
            for (Bitboard in = targets & zone[us] & ~lastRow[us] & unpromotedTo; in;)
                list.add(makeMove(from, popLowest(in)));
        } else if (kind == Falcon) {
            // Entering, leaving or moving inside the zone may promote.
            const Bitboard may = (bit(from) & zone[us]) ? targets : targets & zone[us];
            Bitboard plain = targets & ~may & plainTo;
            while (plain)
                list.add(makeMove(from, popLowest(plain)));
            if (promotions)
                for (Bitboard b = may; b;)
                    list.add(makeMove(from, popLowest(b), true));
            for (Bitboard b = may & unpromotedTo; b;)
                list.add(makeMove(from, popLowest(b)));
        } else {
            Bitboard b = targets & plainTo;
            while (b)
                list.add(makeMove(from, popLowest(b)));
        }
    }
}

void Position::generateDrops(MoveList& list) const
{
    const int us = side_;
    const Bitboard empty = ~occupied() & BoardMask;
    for (int slot = 1; slot < HandSlots; ++slot) {
        if (hand_[us][slot] == 0)
            continue;
        Bitboard targets = empty;
        if (slot == 1) {
            targets &= ~lastRow[us];
            for (int c = 1; c <= 7; ++c)
                if (swallows_[us][c] >= 2)
                    targets &= ~columnMask(c);
        }
        while (targets)
            list.add(makeDrop(slot, popLowest(targets)));
    }
}

void Position::generate(MoveList& list) const
{
    generateBoard<Gen::All>(list);
    generateDrops(list);
}

void Position::generateTactical(MoveList& list) const { generateBoard<Gen::Tactical>(list); }

void Position::generateCaptures(MoveList& list) const { generateBoard<Gen::Captures>(list); }

void Position::generateQuiets(MoveList& list) const
{
    generateBoard<Gen::Quiets>(list);
    generateDrops(list);
}

bool Position::isPseudoLegal(Move m) const
{
    if (m == NoMove)
        return false;
    const int us = side_, to = toOf(m), from = fromOf(m);
    if (to >= SquareCount)
        return false;
    if (isDrop(m)) {
        const int slot = slotOf(m);
        if (isPromotion(m) || slot < 1 || slot >= HandSlots || hand_[us][slot] == 0 || board_[to])
            return false;
        if (slotKind[slot] == Swallow)
            return !(bit(to) & lastRow[us]) && swallows_[us][colOf(to)] < 2;
        return true;
    }
    if (from >= SquareCount)
        return false;
    const int piece = board_[from];
    if (piece == 0 || sideOf(piece) != us || (bit(to) & occ_[us]))
        return false;
    if (!(attacks(piece, from, occupied()) & bit(to)))
        return false;
    const int kind = kindOf(piece);
    if (kind == Swallow) {
        const bool inZone = bit(to) & zone[us];
        if (isPromotion(m))
            return inZone;
        return !(bit(to) & lastRow[us]);
    }
    if (kind == Falcon && isPromotion(m))
        return ((bit(to) | bit(from)) & zone[us]) != 0;
    return !isPromotion(m);
}

void Position::make(Move m, Undo& u)
{
    u.key = key_;
    const int us = side_, to = toOf(m);
    if (isDrop(m)) {
        const int slot = slotOf(m);
        u.captured = 0;
        takeFromHand(us, slot);
        put(makePiece(us, slotKind[slot]), to);
    } else {
        const int from = fromOf(m);
        const int piece = board_[from];
        u.captured = board_[to];
        if (u.captured) {
            remove(to);
            if (const int slot = kindSlot[kindOf(u.captured)])
                addToHand(us, slot);
        }
        remove(from);
        put(isPromotion(m) ? makePiece(us, promoted[kindOf(piece)]) : piece, to);
    }
    side_ ^= 1;
    key_ ^= tables.sideKey;
}

void Position::unmake(Move m, const Undo& u)
{
    side_ ^= 1;
    const int us = side_, to = toOf(m);
    if (isDrop(m)) {
        remove(to);
        addToHand(us, slotOf(m));
    } else {
        const int from = fromOf(m);
        const int piece = board_[to];
        remove(to);
        put(isPromotion(m) ? makePiece(us, demoted[kindOf(piece)]) : piece, from);
        if (u.captured) {
            put(u.captured, to);
            if (const int slot = kindSlot[kindOf(u.captured)])
                takeFromHand(us, slot);
        }
    }
    key_ = u.key;
}

void Position::makeNull(Undo& u)
{
    u.key = key_;
    u.captured = 0;
    side_ ^= 1;
    key_ ^= tables.sideKey;
}

void Position::unmakeNull(const Undo& u)
{
    side_ ^= 1;
    key_ = u.key;
}

Bitboard Position::evasionTargets() const
{
    const int k = phoenix_[side_];
    if (k == NoSquare)
        return 0;
    const Bitboard checkers = attackersTo(k, side_ ^ 1);
    Bitboard targets = checkers;
    for (int d = 0; d < DirectionCount; ++d) {
        const Bitboard onRay = tables.ray[d][k] & checkers;
        if (!onRay)
            continue;
        // The nearest attacker on the ray; the squares before it are between.
        const int c = dirGrows[d] ? __builtin_ctzll(onRay) : 63 - __builtin_clzll(onRay);
        targets |= tables.ray[d][k] & ~tables.ray[d][c] & ~bit(c) & ~occupied();
    }
    return targets;
}

int Position::see(Move m, const int* values) const
{
    const int to = toOf(m);
    int gain[40];
    int depth = 0;
    const int victim = capturedBy(m);
    gain[0] = victim ? values[kindOf(victim)] : 0;
    int onSquare = kindOf(movedPiece(m)); // what the next capture takes
    if (isPromotion(m))
        gain[0] += values[onSquare] - values[kindOf(board_[fromOf(m)])];
    Bitboard occ = occupied() | bit(to);
    if (!isDrop(m))
        occ &= ~bit(fromOf(m));
    int side = side_ ^ 1;
    while (depth < 38) {
        const Bitboard attackers = attackersTo(to, side, occ) & occ_[side];
        if (!attackers)
            break;
        // The cheapest attacker.
        int from = NoSquare, cheapest = 1 << 30;
        for (Bitboard b = attackers; b; b &= b - 1) {
            const int s = __builtin_ctzll(b);
            if (values[kindOf(board_[s])] < cheapest) {
                cheapest = values[kindOf(board_[s])];
                from = s;
            }
        }
        ++depth;
        gain[depth] = values[onSquare] - gain[depth - 1];
        // Neither side goes on when it loses even if the exchange stops there.
        if (std::max(-gain[depth - 1], gain[depth]) < 0)
            break;
        onSquare = kindOf(board_[from]);
        occ &= ~bit(from);
        side ^= 1;
    }
    // Each side may stop taking when going on would lose.
    for (; depth > 0; --depth)
        gain[depth - 1] = -std::max(-gain[depth - 1], gain[depth]);
    return gain[0];
}

} // namespace tori::search
