#include "game/qt/search_worker.h"

namespace tori {

SearchWorker::SearchWorker(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<search::BackgroundReport>();
    connect(
        this, &SearchWorker::iteratedThere, this,
        [this](const search::BackgroundReport& r) {
            if (r.id >= liveFrom)
                emit iterated(r);
        },
        Qt::QueuedConnection);
    connect(
        this, &SearchWorker::finishedThere, this,
        [this](const search::BackgroundReport& r) {
            if (r.id >= liveFrom)
                emit finished(r);
        },
        Qt::QueuedConnection);
    worker = std::make_unique<search::BackgroundSearch>(
        [this](const search::BackgroundReport& r) { emit iteratedThere(r); },
        [this](const search::BackgroundReport& r) { emit finishedThere(r); });
}

SearchWorker::~SearchWorker()
{
    // The thread ends before the object whose signals it emits.
    worker.reset();
}

void SearchWorker::post(search::BackgroundJob job)
{
    lastPosted = std::max(lastPosted, job.id);
    worker->post(std::move(job));
}

void SearchWorker::cancel()
{
    worker->cancel();
    liveFrom = lastPosted + 1;
}

} // namespace tori
