// The searches beside the window as Qt sees them: search::BackgroundSearch's
// reports, made on its worker thread, come to the window's thread as queued
// signals carrying the reports by value. A report of a job posted before the
// last cancel() is dropped on arrival, so nothing stale reaches the window.
#pragma once

#include "game/analysis.h"
#include "search/background.h"

#include <QObject>

#include <cstdint>
#include <memory>

Q_DECLARE_METATYPE(tori::search::BackgroundReport)

namespace tori {

class SearchWorker : public QObject, public SearchJobs {
    Q_OBJECT

public:
    explicit SearchWorker(QObject* parent = nullptr);
    // Stops the running search and ends the thread.
    ~SearchWorker() override;

    void post(search::BackgroundJob job) override;
    void cancel() override;

signals:
    // On the window's thread: a completed iteration, and a job's end.
    void iterated(const tori::search::BackgroundReport& report);
    void finished(const tori::search::BackgroundReport& report);

    // From the worker thread; queued to this object's thread.
    void iteratedThere(tori::search::BackgroundReport report);
    void finishedThere(tori::search::BackgroundReport report);

private:
    // Ids below it belong to cancelled jobs.
    std::uint64_t liveFrom = 0;
    std::uint64_t lastPosted = 0;
    std::unique_ptr<search::BackgroundSearch> worker;
};

} // namespace tori
