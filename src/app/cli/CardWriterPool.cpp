#include "CardWriterPool.h"

#include "HandlerGuard.h"

#include <algorithm>

CardWriterPool::CardWriterPool(int workers, int capacity)
    : m_queueLimit(static_cast<size_t>(std::max(1, capacity)) * static_cast<size_t>(std::max(1, workers)))
{
    for (int i = 0; i < std::max(1, workers); ++i)
        m_workers.emplace_back([this] { run(); });
}

CardWriterPool::~CardWriterPool()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_work.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

int CardWriterPool::defaultWorkers()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void CardWriterPool::submit(const QString &fileName, const QString &label,
                            std::function<void()> work)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_queue.size() < m_queueLimit; });
    m_queue.push_back({fileName, label, std::move(work)});
    lock.unlock();
    m_work.notify_one();
}

void CardWriterPool::waitForAll()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_queue.empty() && m_writing.empty(); });
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

std::deque<CardWriterPool::Job>::iterator CardWriterPool::nextJob()
{
    // The first job of a name comes before its later ones, so taking the first free job
    // never runs a later one ahead of an earlier one of the same name.
    return std::find_if(m_queue.begin(), m_queue.end(), [&](const Job &job) {
        return std::find(m_writing.begin(), m_writing.end(), job.fileName) == m_writing.end();
    });
}

void CardWriterPool::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_work.wait(lock, [&] {
            return (m_stopping && m_queue.empty()) || nextJob() != m_queue.end();
        });
        const auto next = nextJob();
        if (next == m_queue.end())
            return;
        Job job = std::move(*next);
        m_queue.erase(next);
        m_writing.push_back(job.fileName);
        lock.unlock();
        m_changed.notify_all();
        runJob(job);
        const QString fileName = job.fileName;
        job = Job(); // the card's picture is freed before the worker looks for the next one
        lock.lock();
        m_writing.erase(std::find(m_writing.begin(), m_writing.end(), fileName));
        // Notified with the lock held: waitForAll() may return and the pool be destroyed as
        // soon as the lock is released. A job of the same name may have waited for this one.
        m_changed.notify_all();
        if (!m_queue.empty())
            m_work.notify_all();
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
