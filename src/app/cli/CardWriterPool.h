#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Writes cards on worker threads while the window thread draws the next ones. Every job names
// the file it writes. The workers share one queue and each takes the first job whose file no
// other worker is writing: jobs that name the same file run one after the other in the order
// they were given, so of two cards with one name the later one stays, as in a run on one
// thread, and a slow job holds up no job of another name. submit() waits while the queue
// holds `capacity` jobs per worker, which keeps a run's memory bounded however long the log is.
class CardWriterPool
{
public:
    // A job that ended with an error: its label and the error's text.
    struct Failure
    {
        QString label;
        QString reason;
    };

    CardWriterPool(int workers, int capacity);
    // Runs the jobs still queued, then stops the workers.
    ~CardWriterPool();
    CardWriterPool(const CardWriterPool &) = delete;
    CardWriterPool &operator=(const CardWriterPool &) = delete;

    // The number of cores (at least 1): the workers of a run that asks for none.
    static int defaultWorkers();

    void submit(const QString &fileName, const QString &label, std::function<void()> work);
    // Returns once every job submitted so far has run.
    void waitForAll();

    // Jobs run so far, failed ones included.
    int finishedCount() const { return m_finished.load(); }
    // The failures so far, in the order they happened.
    std::vector<Failure> failures() const;
    // The failures after the first `first` of them, in the order they happened.
    std::vector<Failure> failuresFrom(size_t first) const;

private:
    struct Job
    {
        QString fileName;
        QString label;
        std::function<void()> work;
    };

    // The first queued job whose file no worker is writing; call with m_mutex held.
    std::deque<Job>::iterator nextJob();
    void run();
    void runJob(Job &job);

    const size_t m_queueLimit;
    std::vector<std::thread> m_workers;
    // Guards the queue, the files being written and the counts; work wakes the workers,
    // changed tells submit() and waitForAll() that a job was taken or finished.
    mutable std::mutex m_mutex;
    std::condition_variable m_work;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    std::vector<QString> m_writing;
    bool m_stopping = false;
    std::atomic<int> m_finished{0};
    mutable std::mutex m_failuresMutex;
    std::vector<Failure> m_failures;
};
