#include "CardWriterPool.h"
#include "KartelloError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ostream>
#include <condition_variable>
#include <thread>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct PoolCase {
    const char *name;
    int workers;
    int capacity;
    int names;      // distinct file names the jobs cycle through
    int jobs;
};

void PrintTo(const PoolCase &c, std::ostream *os) { *os << c.name; }

class CardWriterPoolRuns : public ::testing::TestWithParam<PoolCase> {};

// Every job runs once, and the jobs of one file name run in the order they were given.
TEST_P(CardWriterPoolRuns, EveryJobOnceInOrderPerName)
{
    const PoolCase &c = GetParam();
    std::mutex mutex;
    std::map<int, std::vector<int>> seen;
    {
        CardWriterPool pool(c.workers, c.capacity);
        for (int i = 0; i < c.jobs; ++i) {
            const int name = i % c.names;
            pool.submit(QString::number(name), QString(), [&, name, i] {
                std::lock_guard<std::mutex> lock(mutex);
                seen[name].push_back(i);
            });
        }
        pool.waitForAll();
        EXPECT_EQ(pool.finishedCount(), c.jobs);
    }
    int total = 0;
    for (const auto &[name, order] : seen) {
        total += static_cast<int>(order.size());
        for (size_t k = 1; k < order.size(); ++k)
            EXPECT_LT(order[k - 1], order[k]) << "name " << name;
    }
    EXPECT_EQ(total, c.jobs);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CardWriterPoolRuns,
    ::testing::Values(PoolCase{"OneWorker", 1, 4, 3, 200}, PoolCase{"TwoWorkers", 2, 4, 7, 500},
                      PoolCase{"ManyWorkersOneName", 8, 2, 1, 300},
                      PoolCase{"QueueOfOne", 3, 1, 50, 300}),
    [](const ::testing::TestParamInfo<PoolCase> &info) { return std::string(info.param.name); });

// A worker holds at most `capacity` waiting jobs: submit() waits for room.
TEST(CardWriterPool, SubmitWaitsWhileTheQueueIsFull)
{
    std::mutex mutex;
    std::condition_variable released;
    bool release = false;
    int submitted = 0;
    CardWriterPool pool(1, 2);
    auto blocker = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        released.wait(lock, [&] { return release; });
    };
    std::thread producer([&] {
        for (int i = 0; i < 6; ++i) {
            pool.submit("same", QString(), blocker);
            std::lock_guard<std::mutex> lock(mutex);
            ++submitted;
        }
    });
    // One job runs and blocks, two wait in the queue: the fourth submit cannot return until
    // the blocked job is released. Wait until the producer has got as far as it can.
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex);
        if (submitted >= 3)
            break;
        lock.unlock();
        std::this_thread::yield();
    }
    // Give the producer every chance to run ahead; a queue without a bound lets it finish.
    for (int i = 0; i < 5000; ++i)
        std::this_thread::yield();
    {
        std::lock_guard<std::mutex> lock(mutex);
        EXPECT_EQ(submitted, 3);
        release = true;
    }
    released.notify_all();
    producer.join();
    pool.waitForAll();
    EXPECT_EQ(submitted, 6);
    EXPECT_EQ(pool.finishedCount(), 6);
}

struct BusyWorkerCase {
    const char *name;
    int workers;
    int capacity;
    int others; // jobs of other names given while one job blocks its worker
};

void PrintTo(const BusyWorkerCase &c, std::ostream *os) { *os << c.name; }

class CardWriterPoolBusyWorker : public ::testing::TestWithParam<BusyWorkerCase> {};

// A job that takes long keeps its worker, not the jobs of other names: they all run on the
// other workers meanwhile, whatever their names.
TEST_P(CardWriterPoolBusyWorker, OtherNamesRunMeanwhile)
{
    const BusyWorkerCase &c = GetParam();
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    int ran = 0;
    CardWriterPool pool(c.workers, c.capacity);
    pool.submit("slow.jpg", QString(), [&] {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return release; });
    });
    std::thread producer([&] {
        for (int i = 0; i < c.others; ++i)
            pool.submit(QStringLiteral("K%1ABC.jpg").arg(i), QString(), [&] {
                std::lock_guard<std::mutex> lock(mutex);
                ++ran;
                changed.notify_all();
            });
    });
    int ranWhileBlocked = 0;
    {
        // The wait's limit only turns a job stuck behind the slow one into a failure.
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait_for(lock, std::chrono::seconds(60), [&] { return ran == c.others; });
        ranWhileBlocked = ran;
        release = true;
    }
    changed.notify_all();
    producer.join();
    pool.waitForAll();
    EXPECT_EQ(ranWhileBlocked, c.others);
    EXPECT_EQ(pool.finishedCount(), c.others + 1);
}

INSTANTIATE_TEST_SUITE_P(Shapes, CardWriterPoolBusyWorker,
                         ::testing::Values(BusyWorkerCase{"TwoWorkers", 2, 4, 40},
                                           BusyWorkerCase{"TwoWorkersQueueOfOne", 2, 1, 40},
                                           BusyWorkerCase{"FourWorkers", 4, 2, 60}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CardWriterPool, FailuresKeepTheirLabelAndReason)
{
    CardWriterPool pool(2, 4);
    pool.submit("a", "K1ABC (row 1)", [] { throw KartelloError::cannotCreate("/x/K1ABC.jpg"); });
    pool.submit("b", "DL1XYZ (row 2)", [] {});
    pool.submit("c", "G4ABC (row 3)", [] { throw std::runtime_error("JPEG error #42"); });
    pool.waitForAll();
    std::vector<CardWriterPool::Failure> failures = pool.failures();
    ASSERT_EQ(failures.size(), 2u);
    std::sort(failures.begin(), failures.end(),
              [](const auto &l, const auto &r) { return l.label < r.label; });
    EXPECT_EQ(failures[0].label.toStdString(), "G4ABC (row 3)");
    EXPECT_EQ(failures[0].reason.toStdString(), "JPEG error #42");
    EXPECT_EQ(failures[1].label.toStdString(), "K1ABC (row 1)");
    EXPECT_EQ(failures[1].reason.toStdString(), "Cannot create file /x/K1ABC.jpg");
    EXPECT_EQ(pool.finishedCount(), 3);
}

} // namespace
