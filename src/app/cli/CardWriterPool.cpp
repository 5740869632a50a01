#include "CardWriterPool.h"

#include "HandlerGuard.h"

#include <QHash>

#include <algorithm>

CardWriterPool::CardWriterPool(int workers, int capacity)
    : m_capacity(static_cast<size_t>(std::max(1, capacity)))
{
    for (int i = 0; i < std::max(1, workers); ++i) {
        m_workers.push_back(std::make_unique<Worker>());
        Worker &worker = *m_workers.back();
        worker.thread = std::thread([this, &worker] { run(worker); });
    }
}

CardWriterPool::~CardWriterPool()
{
    for (const auto &worker : m_workers) {
        {
            std::lock_guard<std::mutex> lock(worker->mutex);
            worker->stopping = true;
        }
        worker->changed.notify_all();
    }
    for (const auto &worker : m_workers)
        worker->thread.join();
}

int CardWriterPool::defaultWorkers()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void CardWriterPool::submit(const QString &fileName, const QString &label,
                            std::function<void()> work)
{
    Worker &worker = *m_workers[qHash(fileName) % m_workers.size()];
    std::unique_lock<std::mutex> lock(worker.mutex);
    worker.changed.wait(lock, [&] { return worker.jobs.size() < m_capacity; });
    worker.jobs.push_back({label, std::move(work)});
    lock.unlock();
    worker.changed.notify_all();
}

void CardWriterPool::waitForAll()
{
    for (const auto &worker : m_workers) {
        std::unique_lock<std::mutex> lock(worker->mutex);
        worker->changed.wait(lock, [&] { return worker->jobs.empty() && !worker->busy; });
    }
}

std::vector<CardWriterPool::Failure> CardWriterPool::failures() const
{
    std::lock_guard<std::mutex> lock(m_failuresMutex);
    return m_failures;
}

std::vector<CardWriterPool::Failure> CardWriterPool::failuresFrom(size_t first) const
{
    std::lock_guard<std::mutex> lock(m_failuresMutex);
    if (first >= m_failures.size())
        return {};
    return {m_failures.begin() + static_cast<std::ptrdiff_t>(first), m_failures.end()};
}

void CardWriterPool::run(Worker &worker)
{
    for (;;) {
        std::unique_lock<std::mutex> lock(worker.mutex);
        worker.changed.wait(lock, [&] { return !worker.jobs.empty() || worker.stopping; });
        if (worker.jobs.empty())
            return;
        Job job = std::move(worker.jobs.front());
        worker.jobs.pop_front();
        worker.busy = true;
        lock.unlock();
        worker.changed.notify_all();
        runJob(job);
        lock.lock();
        worker.busy = false;
        lock.unlock();
        worker.changed.notify_all();
    }
}

void CardWriterPool::runJob(Job &job)
{
    try {
        job.work();
    } catch (...) {
        const QString reason = currentErrorText();
        std::lock_guard<std::mutex> lock(m_failuresMutex);
        m_failures.push_back({job.label, reason});
    }
    ++m_finished;
}
