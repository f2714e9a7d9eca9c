#include "search/move_picker.h"
#include "search/evaluation.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tori::search {

namespace {

    // The highest of scores[i..count), four at a time.
    inline int highest(const int* scores, int i, int count)
    {
        using Four = int __attribute__((vector_size(16)));
        int top = scores[i];
        if (count - i >= 8) {
            Four a, b;
            std::memcpy(&a, scores + i, sizeof a);
            int j = i + 4;
            for (; j + 4 <= count; j += 4) {
                std::memcpy(&b, scores + j, sizeof b);
                a = a > b ? a : b;
            }
            for (int k = 0; k < 4; ++k)
                top = std::max(top, int(a[k]));
            i = j;
        }
        for (; i < count; ++i)
            top = std::max(top, scores[i]);
        return top;
    }

    // Brings the first of the highest-scored moves from i on to i.
    inline Move pick(Move* moves, int* scores, int count, int i)
    {
        const int top = highest(scores, i, count);
        int best = i;
        while (scores[best] != top)
            ++best;
        std::swap(moves[i], moves[best]);
        std::swap(scores[i], scores[best]);
        return moves[i];
    }

    // Captures by the dearest victim, then the cheapest attacker; a promotion
    // counts as taking a good piece.
    constexpr int PromotionOrder = 800;
    // In the answers to an attack on the phoenix, which are scored together:
    // captures that do not lose above every quiet move, those that lose below.
    constexpr int GoodCaptureBonus = 1 << 28;
    constexpr int BadCapturePenalty = 1 << 26;

} // namespace

const int* exchangeValues()
{
    static const auto values = [] {
        std::array<int, KindCount> v {};
        for (int kind = Swallow; kind < KindCount; ++kind)
            v[kind] = captureValue(kind);
        return v;
    }();
    return values.data();
}

Move ScoredPicker::next(int i)
{
    if (!blocks_) {
        // Many lists end after their first pick: the blocks are made only
        // for a long list still going on.
        if (i < 1 || count_ - i < LongList)
            return pick(moves_, scores_, count_, i);
        for (int j = 0; j < i; ++j)
            scores_[j] = Taken;
        blocks_ = (count_ + BlockSize - 1) / BlockSize;
        for (int b = i / BlockSize; b < blocks_; ++b)
            mend(b);
    }
    int block = i / BlockSize;
    for (int b = block + 1; b < blocks_; ++b)
        if (top_[b] > top_[block])
            block = b;
    int best = std::max(i, block * BlockSize);
    while (scores_[best] != top_[block])
        ++best;
    const Move m = moves_[best];
    moves_[best] = moves_[i];
    scores_[best] = scores_[i];
    moves_[i] = m;
    scores_[i] = Taken;
    mend(best / BlockSize);
    mend(i / BlockSize);
    return m;
}

void ScoredPicker::mend(int b)
{
    const int first = b * BlockSize;
    if (first + BlockSize <= count_) {
        using Four = int __attribute__((vector_size(16)));
        Four q[4];
        std::memcpy(q, scores_ + first, sizeof q);
        Four t = q[0] > q[1] ? q[0] : q[1];
        const Four u = q[2] > q[3] ? q[2] : q[3];
        t = t > u ? t : u;
        top_[b] = std::max(std::max(t[0], t[1]), std::max(t[2], t[3]));
        return;
    }
    int t = Taken;
    for (int j = first; j < count_; ++j)
        t = std::max(t, scores_[j]);
    top_[b] = t;
}

MovePicker::MovePicker(
    const Position& p, Move tableMove, const Move killers[2], const QuietHistory& history)
    : pos_(p)
    , history_(history)
    , stage_(Stage::TableMove)
    , tableMove_(tableMove && p.isPseudoLegal(tableMove) ? tableMove : NoMove)
    , killers_ { killers[0], killers[1] }
{
}

MovePicker::MovePicker(const Position& p, const QuietHistory& history, bool evading)
    : pos_(p)
    , history_(history)
    , stage_(evading ? Stage::GenerateEvasions : Stage::GenerateCaptures)
    , quiescence_(true)
{
}

bool MovePicker::usableKiller(Move m) const
{
    return m != NoMove && m != tableMove_ && pos_.isPseudoLegal(m) && !isPromotion(m)
        && pos_.capturedBy(m) == 0;
}

void MovePicker::scoreCaptures(int first, int last)
{
    for (int i = first; i < last; ++i) {
        const Move m = list_.moves[i];
        const int victim = pos_.capturedBy(m);
        scores_[i] = (victim ? kindValue(kindOf(victim)) * 8 : 0)
            - kindValue(kindOf(pos_.piece(fromOf(m)))) / 16 + (isPromotion(m) ? PromotionOrder : 0);
    }
}

void MovePicker::scoreQuiets(int first, int last)
{
    const int side = pos_.sideToMove();
    const int(*history)[SquareCount] = history_.byFromTo;
    const std::int16_t* follow1 = history_.follow1;
    const std::int16_t* follow2 = history_.follow2;
    for (int i = first; i < last; ++i) {
        const Move m = list_.moves[i];
        const int to = toOf(m);
        if (isDrop(m)) {
            const int slot = slotOf(m);
            const int piece = pieceIndex(makePiece(side, slotKind[slot])) * SquareCount + to;
            scores_[i] = history[SquareCount + slot][to] + follow1[piece] + follow2[piece];
        } else {
            const int piece = pieceIndex(pos_.piece(fromOf(m))) * SquareCount + to;
            scores_[i] = history[fromOf(m)][to] + follow1[piece] + follow2[piece];
        }
    }
}

Move MovePicker::next()
{
    switch (stage_) {
    case Stage::TableMove:
        stage_ = Stage::GenerateCaptures;
        if (tableMove_)
            return tableMove_;
        [[fallthrough]];
    case Stage::GenerateCaptures:
        if (quiescence_)
            pos_.generateTactical(list_);
        else
            pos_.generateCaptures(list_);
        capturesEnd_ = list_.size;
        scoreCaptures(0, capturesEnd_);
        stage_ = Stage::GoodCaptures;
        [[fallthrough]];
    case Stage::GoodCaptures:
        while (current_ < capturesEnd_) {
            const Move m = pick(list_.moves, scores_, capturesEnd_, current_++);
            if (m == tableMove_)
                continue;
            if (pos_.seeAtLeast(m, 0, exchangeValues()))
                return m;
            // Its place and those before it are handed out already.
            list_.moves[badEnd_++] = m;
        }
        current_ = 0;
        stage_ = quiescence_ ? Stage::BadCaptures : Stage::FirstKiller;
        if (quiescence_)
            return next();
        [[fallthrough]];
    case Stage::FirstKiller:
        stage_ = Stage::SecondKiller;
        if (usableKiller(killers_[0]))
            return killers_[0];
        [[fallthrough]];
    case Stage::SecondKiller:
        stage_ = Stage::GenerateQuiets;
        if (killers_[1] != killers_[0] && usableKiller(killers_[1]))
            return killers_[1];
        [[fallthrough]];
    case Stage::GenerateQuiets:
        pos_.generateQuiets(list_);
        if (!quietsUnsorted_)
            scoreQuiets(capturesEnd_, list_.size);
        quiets_.reset(
            list_.moves + capturesEnd_, scores_ + capturesEnd_, list_.size - capturesEnd_);
        stage_ = Stage::Quiets;
        [[fallthrough]];
    case Stage::Quiets:
        while (quietPlace_ < quiets_.size()) {
            // The places before quietPlace_ hold the moves handed out.
            const Move m = quietsUnsorted_ ? list_.moves[capturesEnd_ + quietPlace_++]
                                           : quiets_.next(quietPlace_++);
            if (m != tableMove_ && m != killers_[0] && m != killers_[1])
                return m;
        }
        stage_ = Stage::BadCaptures;
        [[fallthrough]];
    case Stage::BadCaptures:
        if (current_ < badEnd_)
            return list_.moves[current_++];
        stage_ = Stage::Done;
        return NoMove;
    case Stage::GenerateEvasions: {
        // Only moves of the phoenix and moves onto an attacker or between.
        pos_.generate(list_);
        const Bitboard targets = pos_.evasionTargets();
        const int phoenix = pos_.phoenix(pos_.sideToMove());
        int n = 0;
        for (int i = 0; i < list_.size; ++i) {
            const Move m = list_.moves[i];
            if ((bit(toOf(m)) & targets) || (!isDrop(m) && fromOf(m) == phoenix))
                list_.moves[n++] = m;
        }
        list_.size = n;
        // Captures and promotions as in the other stages, around the quiet
        // answers by their history.
        scoreQuiets(0, n);
        const int* values = exchangeValues();
        for (int i = 0; i < n; ++i) {
            const Move m = list_.moves[i];
            if (isPromotion(m) || pos_.capturedBy(m)) {
                scoreCaptures(i, i + 1);
                scores_[i] += pos_.seeAtLeast(m, 0, values) ? GoodCaptureBonus : -BadCapturePenalty;
            }
        }
        quiets_.reset(list_.moves, scores_, n);
        stage_ = Stage::Evasions;
        [[fallthrough]];
    }
    case Stage::Evasions:
        if (quietPlace_ < quiets_.size())
            return quiets_.next(quietPlace_++);
        stage_ = Stage::Done;
        return NoMove;
    case Stage::Done:
        return NoMove;
    }
    return NoMove;
}

} // namespace tori::search
