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
// the file it writes; jobs that name the same file run on the same worker in the order they
// were given, so of two cards with one name the later one stays, as in a run on one thread.
// submit() waits while that worker already holds `capacity` jobs, which keeps a run's memory
// bounded however long the log is.
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
        QString label;
        std::function<void()> work;
    };
    struct Worker
    {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<Job> jobs;
        bool busy = false;
        bool stopping = false;
        std::thread thread;
    };

    void run(Worker &worker);
    void runJob(Job &job);

    const size_t m_capacity;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::atomic<int> m_finished{0};
    mutable std::mutex m_failuresMutex;
    std::vector<Failure> m_failures;
};
