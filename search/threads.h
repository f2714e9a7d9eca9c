// Lazy SMP: several searchers over one shared transposition table, each in a
// thread of its own, the main one on the caller's thread. The helpers search
// the same position apart (they leave out different depths) and what they
// store in the table speeds up the main searcher, whose result counts.
#pragma once

#include "search/search.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tori::search {

class SearchPool {
public:
    static constexpr int MaxThreads = 64;

    explicit SearchPool(int threads = 1, int tableMegabytes = 16);
    ~SearchPool();
    SearchPool(const SearchPool&) = delete;
    SearchPool& operator=(const SearchPool&) = delete;

    // The number of searchers, 1..MaxThreads; not while a search runs.
    void setThreads(int n);
    int threads() const { return int(searchers_.size()); }

    // Forgets everything learned: the table and every searcher's history.
    void clear();

    // Searches like Searcher::search, on every thread until the main
    // searcher (on the calling thread, within the limits, telling the
    // listener) is done; the helpers are then stopped and waited for.
    Result search(const Position& root, const std::uint64_t* earlier, int earlierCount,
        const Limits& limits, Listener* listener = nullptr);

    // Asks the running search to return soon; safe from any thread, as
    // Searcher::stop().
    void stop();

private:
    struct Helper;
    void run(Helper& h);
    void joinHelpers();

    TranspositionTable table_;
    std::vector<std::unique_ptr<Searcher>> searchers_; // 0 is the main searcher
    std::vector<std::unique_ptr<Helper>> helpers_; // one for each searcher but the main one
    std::vector<std::thread> threads_;

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    // The job: the position, the earlier keys and the generation it belongs to.
    Position root_;
    const std::uint64_t* earlier_ = nullptr;
    int earlierCount_ = 0;
    unsigned generation_ = 0;
    int running_ = 0;
    bool quit_ = false;
};

} // namespace tori::search
