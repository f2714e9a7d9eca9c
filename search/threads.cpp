#include "search/threads.h"

#include <algorithm>

namespace tori::search {

struct SearchPool::Helper {
    Searcher* searcher = nullptr;
    unsigned seen = 0; // the last generation it searched
};

SearchPool::SearchPool(int threads, int tableMegabytes)
    : table_(tableMegabytes)
{
    searchers_.push_back(std::make_unique<Searcher>(table_, 0));
    setThreads(threads);
}

SearchPool::~SearchPool() { joinHelpers(); }

void SearchPool::joinHelpers()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : threads_)
        t.join();
    threads_.clear();
    helpers_.clear();
    quit_ = false;
}

void SearchPool::setThreads(int n)
{
    n = std::clamp(n, 1, MaxThreads);
    if (n == threads())
        return;
    joinHelpers();
    searchers_.resize(1);
    for (int i = 1; i < n; ++i)
        searchers_.push_back(std::make_unique<Searcher>(table_, i));
    std::lock_guard<std::mutex> lock(mutex_);
    for (int i = 1; i < n; ++i) {
        helpers_.push_back(std::make_unique<Helper>());
        helpers_.back()->searcher = searchers_[i].get();
        helpers_.back()->seen = generation_;
    }
    for (auto& h : helpers_)
        threads_.emplace_back([this, helper = h.get()] { run(*helper); });
}

void SearchPool::clear()
{
    table_.clear();
    for (auto& s : searchers_)
        s->clear();
}

void SearchPool::run(Helper& h)
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return quit_ || h.seen != generation_; });
        if (quit_)
            return;
        h.seen = generation_;
        const Position root = root_;
        const std::uint64_t* earlier = earlier_;
        const int earlierCount = earlierCount_;
        lock.unlock();
        h.searcher->search(root, earlier, earlierCount, Limits {});
        lock.lock();
        if (--running_ == 0)
            done_.notify_all();
    }
}

Result SearchPool::search(const Position& root, const std::uint64_t* earlier, int earlierCount,
    const Limits& limits, Listener* listener)
{
    table_.newSearch();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        root_ = root;
        earlier_ = earlier;
        earlierCount_ = earlierCount;
        running_ = int(helpers_.size());
        ++generation_;
    }
    wake_.notify_all();
    const Result result = searchers_[0]->search(root, earlier, earlierCount, limits, listener);
    // The helpers stop with the main searcher; a helper that had not begun
    // yet searches one depth and stops.
    for (auto& h : helpers_)
        h->searcher->stop();
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return running_ == 0; });
    return result;
}

void SearchPool::stop()
{
    for (auto& s : searchers_)
        s->stop();
}

} // namespace tori::search
