#include "search/background.h"

namespace tori::search {

// Turns the searcher's iterations into reports; quiet once the job is cancelled.
class BackgroundSearch::Reporter : public Listener {
public:
    Reporter(BackgroundSearch& owner, const BackgroundJob& job)
        : owner(owner)
        , job(job)
    {
    }
    void iteration(const Iteration& it) override
    {
        BackgroundReport r;
        r.id = job.id;
        r.sideToMove = job.position.sideToMove();
        r.depth = it.depth;
        r.score = it.score;
        r.nodes = it.nodes;
        r.ms = it.ms;
        r.pv.assign(it.pv, it.pv + it.pvLength);
        r.best = r.pv.empty() ? NoMove : r.pv.front();
        last = r;
        {
            std::lock_guard lock(owner.mutex_);
            if (owner.cancelled_)
                return;
        }
        if (owner.iteration_)
            owner.iteration_(r);
    }

    BackgroundReport last;

private:
    BackgroundSearch& owner;
    const BackgroundJob& job;
};

BackgroundSearch::BackgroundSearch(Callback iteration, Callback finished, int tableMegabytes)
    : iteration_(std::move(iteration))
    , finished_(std::move(finished))
    , searcher_(tableMegabytes)
    , thread_([this] { run(); })
{
}

BackgroundSearch::~BackgroundSearch()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        queue_.clear();
        if (running_) {
            cancelled_ = true;
            searcher_.stop();
        }
    }
    wake_.notify_all();
    thread_.join();
}

void BackgroundSearch::post(BackgroundJob job)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void BackgroundSearch::cancel()
{
    std::unique_lock lock(mutex_);
    queue_.clear();
    if (!running_)
        return;
    cancelled_ = true;
    searcher_.stop();
    idle_.wait(lock, [this] { return !running_; });
}

bool BackgroundSearch::busy() const
{
    std::lock_guard lock(mutex_);
    return running_ || !queue_.empty();
}

void BackgroundSearch::run()
{
    for (;;) {
        BackgroundJob job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (ending_)
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
            running_ = true;
            cancelled_ = false;
        }

        Reporter reporter(*this, job);
        const Result result = searcher_.search(job.position, job.earlier.data(),
            static_cast<int>(job.earlier.size()), job.limits, &reporter);

        bool cancelled;
        {
            std::lock_guard lock(mutex_);
            cancelled = cancelled_;
        }
        if (!cancelled && finished_) {
            BackgroundReport r = reporter.last;
            r.id = job.id;
            r.sideToMove = job.position.sideToMove();
            r.best = result.best;
            r.score = result.score;
            r.depth = result.depth;
            r.nodes = result.nodes;
            r.ms = result.ms;
            if (r.pv.empty() || r.pv.front() != result.best)
                r.pv.assign(1, result.best);
            if (result.best == NoMove)
                r.pv.clear();
            finished_(r);
        }
        {
            std::lock_guard lock(mutex_);
            // A stop asked after the search had returned would end the next
            // job's search after its first iteration; a search of a position
            // without a move returns at once and forgets it.
            if (cancelled_)
                searcher_.search(Position(), nullptr, 0, Limits {});
            running_ = false;
        }
        idle_.notify_all();
    }
}

} // namespace tori::search
