// Searches beside the window: one worker thread that takes search jobs one
// after another, each over its own copy of the position, and reports every
// completed iteration and the final result through callbacks on that thread.
// The hint, the evaluation while playing and the analysis of a whole record
// all run here, so the window never waits for a search.
#pragma once

#include "search/search.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tori::search {

// One search to run: the position with its side to move, the keys of the
// positions before it (oldest first, for repetitions), the limits, and the
// caller's id for it, which every report carries back.
struct BackgroundJob {
    std::uint64_t id = 0;
    Position position;
    std::vector<std::uint64_t> earlier;
    Limits limits;
};

// A completed iteration or the final result of a job. The score is the
// searcher's, for the side to move in the job's position.
struct BackgroundReport {
    std::uint64_t id = 0;
    int sideToMove = Upper;
    int depth = 0;
    int score = 0;
    std::uint64_t nodes = 0;
    double ms = 0;
    Move best = NoMove;
    std::vector<Move> pv; // the principal line, best move first
};

class BackgroundSearch {
public:
    using Callback = std::function<void(const BackgroundReport&)>;

    // Starts the worker thread. Both callbacks run on it: `iteration` after
    // each completed depth, `finished` once a job ends on its own (never for
    // a cancelled job). They must not call back into this object.
    BackgroundSearch(Callback iteration, Callback finished, int tableMegabytes = 16);
    // Cancels whatever runs and ends the thread.
    ~BackgroundSearch();
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    // Queues a job behind the ones waiting.
    void post(BackgroundJob job);
    // Drops the waiting jobs and stops the running one. Returns once no
    // callback of those jobs runs or will run (within a few thousand nodes of
    // the search, well under 0.1 s).
    void cancel();
    // True while a job runs or waits.
    bool busy() const;

private:
    class Reporter;
    void run();

    Callback iteration_, finished_;
    Searcher searcher_;
    mutable std::mutex mutex_;
    std::condition_variable wake_; // a job was posted, or the thread must end
    std::condition_variable idle_; // the running job ended
    std::deque<BackgroundJob> queue_;
    bool running_ = false; // a job is taken from the queue and not yet done
    bool cancelled_ = false; // the running job was cancelled
    bool ending_ = false;
    std::thread thread_;
};

} // namespace tori::search
