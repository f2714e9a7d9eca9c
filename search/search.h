// The searching opponent: negamax alpha-beta over the compact position with
// principal-variation search, iterative deepening, aspiration windows, the
// root's moves kept sorted, a transposition table (shared by the threads of a
// SearchPool), quiescence over captures and promotions and the answers to an
// attack on the phoenix, static exchange, killers, history and continuation
// history, null-move pruning and late-move reductions.
//
// Scores are in hundredths of a swallow for the side to move. A phoenix that
// can be taken is a won game: MateScore - ply, ply counting from the root, so
// a quicker win scores higher. A position that stands earlier in the game or
// in the search line scores 0.
#pragma once

#include "search/move_picker.h"
#include "search/position.h"
#include "search/repetition.h"
#include "search/table.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

namespace tori::search {

inline constexpr int MateScore = 30000;
inline constexpr int MateBound = MateScore - 1000; // beyond it a score is a won or lost game
inline constexpr int Infinite = 32000;
inline constexpr int MaxPly = 128;
inline constexpr int MaxGameKeys = 1024; // earlier positions of the game kept for repetitions

struct Limits {
    int depth = MaxPly - 1; // iterations to complete
    std::uint64_t nodes = 0; // 0: no limit
    int timeMs = 0; // hard limit, 0: none
    int softTimeMs = 0; // no new iteration after this much time, 0: none
};

struct Iteration {
    int depth = 0;
    int score = 0;
    std::uint64_t nodes = 0;
    double ms = 0;
    int pvLength = 0;
    const Move* pv = nullptr;
};

// What the caller hears while the search runs. tick() comes about every 50 ms
// of thinking, iteration() after every completed depth. Neither may allocate
// if the caller wants an allocation-free search.
class Listener {
public:
    virtual ~Listener() = default;
    virtual void tick() { }
    virtual void iteration(const Iteration&) { }
};

struct Result {
    Move best = NoMove;
    int score = 0;
    int depth = 0; // last completed iteration
    std::uint64_t nodes = 0;
    double ms = 0;
};

class Searcher {
public:
    // Allocates a transposition table of its own; nothing else is allocated later.
    explicit Searcher(int tableMegabytes = 16);
    // A searcher over a table it shares with others (a pool's helper, see
    // search/threads.h); helper 0 is the main one, the others skip some
    // depths of the iterative deepening so that they search apart.
    Searcher(TranspositionTable& shared, int helper);
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    // Forgets everything learned: table, killers and history.
    void clear();

    // Searches the position for the side to move. earlier holds the keys of
    // the positions of the game before this one, oldest first.
    Result search(const Position& root, const std::uint64_t* earlier, int earlierCount,
        const Limits& limits, Listener* listener = nullptr);

    // Asks the running search to return soon (within a few thousand nodes)
    // with the best move found so far. Safe to call from any thread. A stop
    // asked while no search runs makes the next search return after its
    // first iteration; search() forgets it when it returns.
    void stop() { stopRequested_.store(true, std::memory_order_relaxed); }

    // The quiescence search of a position alone, as if qply plies of it had
    // been searched already: the tests' view of how the search ends a line.
    int quiesce(const Position& p, int alpha, int beta, int qply = 0);

private:
    // What the search keeps for each ply of the line: the move played from
    // it, its killers and its static evaluation.
    struct Frame {
        Move move = NoMove;
        int continuation = -1; // the piece moved and its destination, -1 for none or a pass
        Move killers[2] = { NoMove, NoMove };
        int staticEval = 0;
    };

    // A move of the root with its score in this iteration (-Infinite until
    // it raises alpha) and in the one before: the root's moves stay sorted
    // by them, so an interrupted iteration keeps a better move once found.
    struct RootMove {
        Move move = NoMove;
        int score = -Infinite;
        int previousScore = -Infinite;
    };

    // The full-width search of a node with `depth` plies left.
    int negamax(int alpha, int beta, int depth, int ply, bool cutNode, bool nullAllowed);
    // Captures and promotions until the position is quiet; with its phoenix
    // attacked the side to move answers the attack instead.
    int quiescence(int alpha, int beta, int ply, int qply);
    // Make and take back a move (or a pass) with the key history kept for repetitions.
    void push(Move m, Undo& u, int ply);
    void pop(Move m, const Undo& u);
    int pushNull(Undo& u, int ply);
    void popNull(const Undo& u, int before);
    // The node and time limits, a stop asked from another thread, and the listener's tick.
    void checkClock();
    void store(std::uint64_t key, int score, Move m, int depth, int bound, int ply);
    // What the side to move learned about its quiet moves, at ply.
    QuietHistory quietHistory(int ply) const;
    // A quiet move refuted the node: a killer, and history for it and against
    // the quiet moves tried before it.
    void rewardQuiet(Move m, int ply, int depth, const Move* tried, int triedCount);
    bool isQuiet(Move m) const;
    // evaluate() of the current position, remembered by its key: iterative
    // deepening meets the same positions again and again.
    int staticEvaluation();
    void sortRootMoves();
    // The history of quiet moves after the move played at ply (by piece and
    // destination), or null when there was none.
    std::int16_t* continuation(int ply) const
    {
        const int c = frame(ply).continuation;
        return c < 0 ? nullptr : continuationHistory_->after[c];
    }
    Frame& frame(int ply) { return stack_[ply + 2]; }
    const Frame& frame(int ply) const { return stack_[ply + 2]; }

    std::unique_ptr<TranspositionTable> ownTable_;
    TranspositionTable* table_ = nullptr;
    int helper_ = 0;

    Position pos_;
    KeyHistory<MaxGameKeys + MaxPly + 8> keys_;

    Frame stack_[MaxPly + 10]; // two frames before the root for the lookback
    RootMove rootMoves_[MoveList::Capacity];
    int rootCount_ = 0;
    int history_[2][64][SquareCount];
    struct ContinuationHistory {
        std::int16_t after[ContinuationSize][ContinuationSize];
    };

    std::unique_ptr<ContinuationHistory> continuationHistory_;
    // The key's upper 48 bits and the evaluation in the lower 16.
    static constexpr std::size_t EvaluationCacheSize = std::size_t(1) << 16;
    std::unique_ptr<std::uint64_t[]> evaluationCache_;
    Move pv_[MaxPly + 8][MaxPly + 8];
    int pvLength_[MaxPly + 8];
    int reduction_[64][64];

    Limits limits_;
    Listener* listener_ = nullptr;
    std::chrono::steady_clock::time_point start_, lastTick_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nextCheck_ = 0;
    bool stop_ = false;
    std::atomic<bool> stopRequested_ { false };
    int rootDepth_ = 0;
};

// Text of a move for the info lines: "4243" for a move from (4,2) to (4,3),
// "4263+" when it promotes, "S*43" for a drop (S P C F L R for hand slots 1..6).
void moveText(Move m, char out[8]);

} // namespace tori::search
