#include "search/search.h"
#include "search/evaluation.h"
#include "search/move_picker.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace tori::search {

namespace {

    using Clock = std::chrono::steady_clock;

    constexpr int TickMs = 50;
    constexpr int NodesBetweenChecks = 1024;

    // Margins of the pruning, in hundredths of a swallow.
    constexpr int ReverseFutilityMargin = 110; // a ply of depth, above beta
    constexpr int QuietReachMargin = 80; // a ply of depth, what a quiet move may still gain
    constexpr int DeltaMargin = 150; // what a capture may gain in quiescence beyond its material
    constexpr int LosingCaptureMargin = 50; // a capture by a dearer piece losing at least this
    constexpr int NullMoveEvalStep = 200; // each such step above beta reduces the pass by a ply
    constexpr int AspirationWindow = 30;
    constexpr int LosingCaptureSeeMargin = 200; // a ply of depth, what a capture may lose

    // Mate scores are stored relative to the node, so that a table hit at
    // another distance from the root reads the right distance.
    int toTable(int score, int ply)
    {
        if (score >= MateBound)
            return score + ply;
        if (score <= -MateBound)
            return score - ply;
        return score;
    }
    int fromTable(int score, int ply)
    {
        if (score >= MateBound)
            return score - ply;
        if (score <= -MateBound)
            return score + ply;
        return score;
    }

    int historyFrom(Move m) { return isDrop(m) ? SquareCount + slotOf(m) : fromOf(m); }

    // The helpers of a pool search apart: each leaves out some depths of the
    // iterative deepening, by its own period and phase.
    bool skipsDepth(int helper, int depth)
    {
        static constexpr int period[20]
            = { 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4 };
        static constexpr int phase[20]
            = { 0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 6, 7 };
        if (helper == 0)
            return false;
        const int i = (helper - 1) % 20;
        return ((depth + phase[i]) / period[i]) % 2 != 0;
    }

    // Quiet moves tried at shallow depth before the rest are left out: 3, 5,
    // 9, 14, 20, 28, 37 and 47 at depths 1 to 8.
    constexpr int ShallowDepth = 8; // the depth up to which quiet moves are pruned
    constexpr int lateMoveLimit(int depth) { return 3 + depth * depth * 7 / 10; }
    // Late quiet moves are searched ln(depth) × ln(move number) / this plies shallower.
    constexpr double ReductionDivisor = 1.5;

} // namespace

void moveText(Move m, char out[8])
{
    static constexpr char letters[HandSlots] = { '?', 'S', 'P', 'C', 'F', 'L', 'R' };
    const int to = toOf(m);
    int n = 0;
    if (isDrop(m)) {
        out[n++] = letters[slotOf(m) < HandSlots ? slotOf(m) : 0];
        out[n++] = '*';
    } else {
        out[n++] = char('0' + colOf(fromOf(m)));
        out[n++] = char('0' + rowOf(fromOf(m)));
    }
    out[n++] = char('0' + colOf(to));
    out[n++] = char('0' + rowOf(to));
    if (isPromotion(m))
        out[n++] = '+';
    out[n] = 0;
}

Searcher::Searcher(int tableMegabytes)
    : Searcher(*new TranspositionTable(tableMegabytes), 0)
{
    ownTable_.reset(table_);
    clear();
}

Searcher::Searcher(TranspositionTable& shared, int helper)
    : table_(&shared)
    , helper_(helper)
{
    for (int d = 0; d < 64; ++d)
        for (int m = 0; m < 64; ++m)
            reduction_[d][m] = d && m
                ? int(0.5 + std::log(double(d)) * std::log(double(m)) / ReductionDivisor)
                : 0;
    std::fill(std::begin(stack_), std::end(stack_), Frame {});
    std::memset(history_, 0, sizeof history_);
    continuationHistory_ = std::make_unique<ContinuationHistory>();
    evaluationCache_ = std::make_unique<std::uint64_t[]>(EvaluationCacheSize);
}

void Searcher::clear()
{
    if (ownTable_)
        table_->clear();
    std::fill(std::begin(stack_), std::end(stack_), Frame {});
    std::memset(history_, 0, sizeof history_);
    std::memset(continuationHistory_.get(), 0, sizeof(ContinuationHistory));
}

void Searcher::store(std::uint64_t key, int score, Move m, int depth, int bound, int ply)
{
    table_->store(key, toTable(score, ply), m, depth, bound);
}

void Searcher::push(Move m, Undo& u, int ply)
{
    frame(ply).move = m;
    frame(ply).continuation = pieceIndex(pos_.movedPiece(m)) * SquareCount + toOf(m);
    pos_.make(m, u);
    // The child looks at its table entry first; start loading it now.
    table_->prefetch(pos_.key());
    keys_.push(pos_.key());
}

void Searcher::pop(Move m, const Undo& u)
{
    keys_.pop();
    pos_.unmake(m, u);
}

int Searcher::pushNull(Undo& u, int ply)
{
    frame(ply).move = NoMove;
    frame(ply).continuation = -1;
    pos_.makeNull(u);
    return keys_.pushNull(pos_.key());
}

void Searcher::popNull(const Undo& u, int before)
{
    keys_.popNull(before);
    pos_.unmakeNull(u);
}

void Searcher::checkClock()
{
    nextCheck_ = nodes_ + NodesBetweenChecks;
    if (limits_.nodes && nodes_ >= limits_.nodes)
        stop_ = true;
    if (limits_.timeMs || listener_) {
        const auto now = Clock::now();
        if (limits_.timeMs
            && std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count()
                >= limits_.timeMs)
            stop_ = true;
        if (listener_ && now - lastTick_ >= std::chrono::milliseconds(TickMs)) {
            lastTick_ = now;
            listener_->tick();
        }
    }
    // Asked to stop, by another thread or by the tick just heard.
    if (stopRequested_.load(std::memory_order_relaxed))
        stop_ = true;
}

int Searcher::staticEvaluation()
{
    constexpr std::uint64_t KeyBits = ~std::uint64_t(0xffff);
    const std::uint64_t key = pos_.key();
    std::uint64_t& slot = evaluationCache_[key & (EvaluationCacheSize - 1)];
    if ((slot & KeyBits) == (key & KeyBits) && slot != 0)
        return std::int16_t(std::uint16_t(slot));
    const int score = evaluate(pos_);
    if (score >= std::numeric_limits<std::int16_t>::min()
        && score <= std::numeric_limits<std::int16_t>::max())
        slot = (key & KeyBits) | std::uint16_t(std::int16_t(score));
    return score;
}

bool Searcher::isQuiet(Move m) const { return !isPromotion(m) && pos_.capturedBy(m) == 0; }

QuietHistory Searcher::quietHistory(int ply) const
{
    // No history after a pass or before the root: a table of zeros.
    static constexpr std::int16_t none[ContinuationSize] = {};
    const std::int16_t* follow1 = continuation(ply - 1);
    const std::int16_t* follow2 = continuation(ply - 2);
    return QuietHistory { history_[pos_.sideToMove()], follow1 ? follow1 : none,
        follow2 ? follow2 : none };
}

void Searcher::rewardQuiet(Move m, int ply, int depth, const Move* tried, int triedCount)
{
    Move* killers = frame(ply).killers;
    if (killers[0] != m) {
        killers[1] = killers[0];
        killers[0] = m;
    }
    const int side = pos_.sideToMove();
    const int bonus = std::min(depth * depth, 400);
    std::int16_t* follow1 = continuation(ply - 1);
    std::int16_t* follow2 = continuation(ply - 2);
    auto update = [&](Move q, int delta) {
        int& h = history_[side][historyFrom(q)][toOf(q)];
        h += delta - h * std::abs(delta) / 16384;
        const int piece = pieceIndex(pos_.movedPiece(q)) * SquareCount + toOf(q);
        for (std::int16_t* follow : { follow1, follow2 })
            if (follow)
                follow[piece]
                    = std::int16_t(follow[piece] + delta - follow[piece] * std::abs(delta) / 16384);
    };
    update(m, bonus);
    for (int i = 0; i < triedCount; ++i)
        if (tried[i] != m)
            update(tried[i], -bonus);
}

int Searcher::quiesce(const Position& p, int alpha, int beta, int qply)
{
    pos_ = p;
    keys_.clear();
    keys_.push(p.key());
    limits_ = Limits {};
    listener_ = nullptr;
    nodes_ = 0;
    nextCheck_ = NodesBetweenChecks;
    stop_ = false;
    std::fill(std::begin(stack_), std::end(stack_), Frame {});
    return quiescence(alpha, beta, 0, qply);
}

int Searcher::quiescence(int alpha, int beta, int ply, int qply)
{
    if (pos_.canTakePhoenix())
        return MateScore - ply;
    ++nodes_;
    if (nodes_ >= nextCheck_)
        checkClock();
    if (stop_)
        return 0;
    pvLength_[ply] = ply;
    if (ply >= MaxPly)
        return evaluate(pos_);

    // With its phoenix attacked the side to move may not stand pat: it
    // answers the attack, by moving the phoenix, taking the attacker, or
    // putting a piece between.
    const bool evading = pos_.inCheck();
    int best = -Infinite;
    int standPat = 0;
    if (!evading) {
        standPat = staticEvaluation();
        if (standPat >= beta)
            return standPat;
        alpha = std::max(alpha, standPat);
        best = standPat;
    }

    MovePicker picker(pos_, quietHistory(ply), evading);
    const Move previous = frame(ply - 1).move;
    const int recaptureSquare = previous ? toOf(previous) : NoSquare;
    while (const Move m = picker.next()) {
        if (!evading && toOf(m) != recaptureSquare) {
            const int victim = pos_.capturedBy(m);
            // A capture gains the piece on the board and the piece in hand.
            const int gain = (victim ? captureValue(kindOf(victim)) : 0)
                + (isPromotion(m) ? promotionValue(kindOf(pos_.piece(fromOf(m)))) : 0);
            // Delta pruning: even winning the piece would not reach alpha.
            if (standPat + gain + DeltaMargin <= alpha)
                continue;
            // A capture that loses material in the exchange on its square.
            if (!picker.lastWasGoodCapture()
                && !pos_.seeAtLeast(m, -LosingCaptureMargin, exchangeValues()))
                continue;
        }
        Undo u;
        frame(ply).move = m;
        frame(ply).continuation = -1;
        pos_.make(m, u);
        const int score = -quiescence(-beta, -alpha, ply + 1, qply + 1);
        pos_.unmake(m, u);
        if (stop_)
            return 0;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                if (score >= beta)
                    break;
            }
        }
    }
    if (best == -Infinite)
        return -MateScore + ply; // no answer to the attack: the side to move loses
    return best;
}

int Searcher::negamax(int alpha, int beta, int depth, int ply, bool cutNode, bool nullAllowed)
{
    const bool pvNode = beta - alpha > 1;
    const bool root = ply == 0;
    pvLength_[ply] = ply;
    if (pos_.canTakePhoenix())
        return MateScore - ply;
    if (!root && keys_.repeated())
        return 0;
    const bool inCheck = pos_.inCheck();
    if (inCheck && ply < 2 * rootDepth_)
        ++depth;
    if (depth <= 0)
        return quiescence(alpha, beta, ply, 0);
    ++nodes_;
    if (nodes_ >= nextCheck_)
        checkClock();
    if (stop_)
        return 0;
    if (ply >= MaxPly - 2)
        return evaluate(pos_);

    // Neither side can do better than winning at once or worse than losing now.
    if (!root) {
        alpha = std::max(alpha, -MateScore + ply);
        beta = std::min(beta, MateScore - ply - 1);
        if (alpha >= beta)
            return alpha;
    }

    TableEntry e;
    const std::uint64_t key = pos_.key();
    const bool hit = table_->probe(key, e);
    Move ttMove = hit ? e.move : NoMove;
    if (ttMove && !pos_.isPseudoLegal(ttMove))
        ttMove = NoMove;
    if (hit && !pvNode && e.depth >= depth) {
        const int s = fromTable(e.score, ply);
        if ((e.bound == BoundExact) || (e.bound == BoundLower && s >= beta)
            || (e.bound == BoundUpper && s <= alpha))
            return s;
    }

    const int staticEval = inCheck ? -Infinite : staticEvaluation();
    frame(ply).staticEval = staticEval;
    frame(ply + 1).killers[0] = frame(ply + 1).killers[1] = NoMove;

    if (!pvNode && !inCheck) {
        // Reverse futility: far above beta at shallow depth.
        if (depth <= 5 && staticEval - ReverseFutilityMargin * depth >= beta
            && std::abs(beta) < MateBound)
            return staticEval;
        // Null move. With drops there is nearly always a useful move, so
        // passing is a fair lower bound; it is not tried twice in a row.
        if (nullAllowed && depth >= 3 && staticEval >= beta && std::abs(beta) < MateBound) {
            const int r = 3 + depth / 4 + std::min((staticEval - beta) / NullMoveEvalStep, 2);
            Undo u;
            const int before = pushNull(u, ply);
            const int s = -negamax(-beta, -beta + 1, depth - 1 - r, ply + 1, !cutNode, false);
            popNull(u, before);
            if (stop_)
                return 0;
            if (s >= beta)
                return s >= MateBound ? beta : s;
        }
    }

    Move quietsTried[64];
    int quietCount = 0;
    int best = -Infinite, moveCount = 0;
    Move bestMove = NoMove;
    const int oldAlpha = alpha;
    // Far below alpha only a killer among the quiet moves is worth a look.
    const bool withinReach = staticEval + QuietReachMargin * depth > alpha;
    const Move* killers = frame(ply).killers;

    // The root tries its moves in the order of their scores so far; every
    // other node stage by stage.
    MovePicker picker(pos_, root ? NoMove : ttMove, killers, quietHistory(ply));
    for (int rootIndex = 0;; ++rootIndex) {
        const Move m
            = root ? (rootIndex < rootCount_ ? rootMoves_[rootIndex].move : NoMove) : picker.next();
        if (!m)
            break;
        const bool quiet = isQuiet(m);
        const bool killer = m == killers[0] || m == killers[1];
        ++moveCount;
        // Whether a quiet move attacks the enemy phoenix is asked only where
        // the answer matters: before pruning or reducing it.
        int threat = -1;
        auto givesCheck = [&] {
            if (threat < 0)
                threat = pos_.threatensPhoenix(m) ? 1 : 0;
            return threat == 1;
        };

        // Shallow pruning of quiet moves that neither threaten the phoenix nor
        // have a chance to reach alpha. Once it covers every quiet move still
        // to come but a killer (handed out before them), their order no
        // longer matters.
        const bool pruningQuiets = !pvNode && !inCheck && best > -MateBound && depth <= ShallowDepth
            && moveCount > 1 && (moveCount > lateMoveLimit(depth) || !withinReach);
        if (pruningQuiets && quiet && (moveCount > lateMoveLimit(depth) || !killer)
            && !givesCheck()) {
            picker.leaveQuietsUnsorted();
            continue;
        }

        // Shallow pruning of captures that lose much in the exchange.
        if (!pvNode && !inCheck && !quiet && best > -MateBound && depth <= 3 && moveCount > 1
            && !picker.lastWasGoodCapture()
            && !pos_.seeAtLeast(m, -LosingCaptureSeeMargin * depth, exchangeValues()))
            continue;

        // A late quiet move is searched reduced unless it attacks the phoenix
        // (asked before the move is made).
        const bool reducible
            = depth >= 3 && quiet && !inCheck && moveCount > (pvNode ? 4 : 2) && !givesCheck();
        const int newDepth = depth - 1;
        Undo u;
        push(m, u, ply);
        int score;
        if (moveCount == 1 && pvNode)
            score = -negamax(-beta, -alpha, newDepth, ply + 1, false, true);
        else {
            int r = 0;
            if (reducible) {
                r = reduction_[std::min(depth, 63)][std::min(moveCount, 63)];
                if (cutNode)
                    ++r;
                if (killer)
                    --r;
                if (pvNode)
                    --r;
                r = std::clamp(r, 0, depth - 2);
            }
            // A child of an expected cut node is expected to be an all node,
            // and the other way round; a reduced child is expected to fail high.
            if (r) {
                score = -negamax(-alpha - 1, -alpha, newDepth - r, ply + 1, true, true);
                if (score > alpha)
                    score = -negamax(-alpha - 1, -alpha, newDepth, ply + 1, !cutNode, true);
            } else
                score = -negamax(-alpha - 1, -alpha, newDepth, ply + 1, !cutNode, true);
            if (pvNode && score > alpha && score < beta)
                score = -negamax(-beta, -alpha, newDepth, ply + 1, false, true);
        }
        pop(m, u);
        if (stop_)
            return 0;

        if (root) {
            // A root move keeps its score only when it is exact or a lower
            // bound: the first move, or one that raised alpha.
            RootMove& rm = rootMoves_[rootIndex];
            rm.score = moveCount == 1 || score > alpha ? score : -Infinite;
        }
        if (score > best) {
            best = score;
            if (score > alpha) {
                bestMove = m;
                alpha = score;
                pv_[ply][ply] = m;
                for (int j = ply + 1; j < pvLength_[ply + 1]; ++j)
                    pv_[ply][j] = pv_[ply + 1][j];
                pvLength_[ply] = std::max(pvLength_[ply + 1], ply + 1);
                if (score >= beta) {
                    if (quiet)
                        rewardQuiet(m, ply, depth, quietsTried, quietCount);
                    break;
                }
            }
        }
        if (quiet && quietCount < 64)
            quietsTried[quietCount++] = m;
    }

    if (moveCount == 0)
        return -MateScore + ply;

    const int bound = best >= beta ? BoundLower : best > oldAlpha ? BoundExact : BoundUpper;
    store(key, best, bestMove ? bestMove : ttMove, depth, bound, ply);
    return best;
}

void Searcher::sortRootMoves()
{
    // Insertion: stable, nearly sorted already, and nothing allocated.
    for (int i = 1; i < rootCount_; ++i) {
        const RootMove m = rootMoves_[i];
        int j = i;
        for (; j > 0; --j) {
            const RootMove& before = rootMoves_[j - 1];
            const bool ahead = m.score != before.score ? m.score > before.score
                                                       : m.previousScore > before.previousScore;
            if (!ahead)
                break;
            rootMoves_[j] = before;
        }
        rootMoves_[j] = m;
    }
}

Result Searcher::search(const Position& root, const std::uint64_t* earlier, int earlierCount,
    const Limits& limits, Listener* listener)
{
    // A stop asked for this search ends with it.
    struct ForgetStop {
        std::atomic<bool>& requested;
        ~ForgetStop() { requested.store(false, std::memory_order_relaxed); }
    } forgetStop { stopRequested_ };
    start_ = lastTick_ = Clock::now();
    limits_ = limits;
    listener_ = listener;
    nodes_ = 0;
    nextCheck_ = NodesBetweenChecks;
    stop_ = false;
    if (ownTable_)
        table_->newSearch();
    pos_ = root;

    keys_.clear();
    const int first = std::max(0, earlierCount - MaxGameKeys);
    for (int i = first; i < earlierCount; ++i)
        keys_.push(earlier[i]);
    keys_.push(root.key());
    std::fill(std::begin(stack_), std::end(stack_), Frame {});
    for (auto& bySide : history_)
        for (auto& byFrom : bySide)
            for (int& h : byFrom)
                h /= 8;

    Result result;
    MoveList moves;
    pos_.generate(moves);
    if (moves.size == 0)
        return result;
    result.best = moves.moves[0];
    // Taking the phoenix wins on the spot.
    if (pos_.canTakePhoenix()) {
        for (const Move m : moves)
            if (kindOf(pos_.capturedBy(m)) == Phoenix) {
                result.best = m;
                break;
            }
        result.score = MateScore;
        result.depth = 1;
        return result;
    }
    // The root's moves start in the usual order: captures, then the rest by history.
    {
        const Move none[2] = { NoMove, NoMove };
        MovePicker picker(pos_, NoMove, none, quietHistory(0));
        rootCount_ = 0;
        while (const Move m = picker.next())
            rootMoves_[rootCount_++] = RootMove { m, -Infinite, -Infinite };
    }

    int score = 0;
    Move pvLine[MaxPly + 8];
    for (int depth = 1; depth <= std::min(limits.depth, MaxPly - 2); ++depth) {
        if (depth > 1 && stopRequested_.load(std::memory_order_relaxed))
            break;
        if (depth > 1 && skipsDepth(helper_, depth))
            continue;
        rootDepth_ = depth;
        for (int i = 0; i < rootCount_; ++i) {
            rootMoves_[i].previousScore = rootMoves_[i].score;
            rootMoves_[i].score = -Infinite;
        }
        int delta = AspirationWindow;
        int alpha = -Infinite, beta = Infinite;
        if (depth >= 4 && std::abs(score) < MateBound) {
            alpha = std::max(score - delta, -Infinite);
            beta = std::min(score + delta, Infinite);
        }
        int s;
        while (true) {
            s = negamax(alpha, beta, depth, 0, false, false);
            sortRootMoves();
            if (stop_)
                break;
            if (s <= alpha) {
                beta = (alpha + beta) / 2;
                alpha = std::max(s - delta, -Infinite);
            } else if (s >= beta) {
                beta = std::min(s + delta, Infinite);
            } else
                break;
            delta += delta;
            if (delta > 1000) {
                alpha = -Infinite;
                beta = Infinite;
            }
        }
        // An interrupted iteration still counts for the move it found: one
        // that has been searched and raised alpha stands first among the
        // root's moves.
        if (stop_ && depth > 1) {
            if (rootMoves_[0].score > -Infinite) {
                result.best = rootMoves_[0].move;
                result.score = rootMoves_[0].score;
            }
            break;
        }
        score = s;
        result.best = rootMoves_[0].move;
        if (pvLength_[0] > 0 && pv_[0][0] == result.best) {
            const int n = pvLength_[0];
            for (int j = 0; j < n; ++j)
                pvLine[j] = pv_[0][j];
        } else {
            pvLine[0] = result.best;
            pvLength_[0] = 1;
        }
        result.score = score;
        result.depth = depth;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
        if (listener) {
            Iteration it;
            it.depth = depth;
            it.score = score;
            it.nodes = nodes_;
            it.ms = ms;
            it.pvLength = pvLength_[0];
            it.pv = pvLine;
            listener->iteration(it);
        }
        if (stop_)
            break;
        if (limits.softTimeMs && ms >= limits.softTimeMs)
            break;
        if (limits.nodes && nodes_ >= limits.nodes)
            break;
        if (std::abs(score) >= MateBound && depth > MateScore - std::abs(score) + 2)
            break;
    }
    result.nodes = nodes_;
    result.ms = std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
    return result;
}

} // namespace tori::search
