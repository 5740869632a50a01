#include "CardsProgress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SummaryCase {
    const char *name;
    CardsOutcome outcome;
    const char *line;
    int status;
};

CardsOutcome outcome(int selected, int written, qint64 ms)
{
    CardsOutcome o;
    o.selected = selected;
    o.written = written;
    o.elapsedMs = ms;
    return o;
}

SummaryCase summaryCase(const char *name, CardsOutcome o, const char *line, int status)
{
    return {name, o, line, status};
}

std::vector<SummaryCase> summaryCases()
{
    std::vector<SummaryCase> all;
    all.push_back(summaryCase("AllWritten", outcome(120, 120, 1500),
                              "120 cards written to /qsl/ in 1.5 s (80.0 cards/s)", 0));
    all.push_back(summaryCase("OneCard", outcome(1, 1, 500),
                              "1 card written to /qsl/ in 0.5 s (2.0 cards/s)", 0));
    all.push_back(summaryCase("NothingSelected", outcome(0, 0, 0),
                              "0 cards written to /qsl/ in 0.0 s (0.0 cards/s)", 0));
    CardsOutcome o = outcome(10, 8, 1000);
    o.failed = 2;
    all.push_back(summaryCase("SomeFailed", o,
                              "8 cards written to /qsl/ in 1.0 s (8.0 cards/s); 2 failed", 1));
    o = outcome(10, 4, 1000);
    o.interrupted = true;
    all.push_back(summaryCase("Interrupted", o,
                              "4 cards written to /qsl/ in 1.0 s (4.0 cards/s); stopped after 4 of 10",
                              130));
    o.stopSignal = 1;
    all.push_back(summaryCase("Hangup", o,
                              "4 cards written to /qsl/ in 1.0 s (4.0 cards/s); stopped after 4 of 10",
                              129));
    o.stopSignal = 15;
    all.push_back(summaryCase("Terminated", o,
                              "4 cards written to /qsl/ in 1.0 s (4.0 cards/s); stopped after 4 of 10",
                              143));
    o = outcome(3, 3, 1000);
    o.skippedRecords = 2;
    o.replacedNames = 1;
    all.push_back(summaryCase("SkippedAndReplaced", o,
                              "3 cards written to /qsl/ in 1.0 s (3.0 cards/s); 2 records skipped; "
                              "1 replaced an earlier card of the same call sign",
                              0));
    o = outcome(3, 3, 1000);
    o.unreadableLogs = 1;
    all.push_back(summaryCase("UnreadableLog", o,
                              "3 cards written to /qsl/ in 1.0 s (3.0 cards/s); 1 log not read", 1));
    o = outcome(3, 2, 1000);
    all.push_back(summaryCase("CardMissingWithoutFailure", o,
                              "2 cards written to /qsl/ in 1.0 s (2.0 cards/s)", 1));
    return all;
}

class CardsSummary : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(CardsSummary, LineAndExitStatus)
{
    const SummaryCase &c = GetParam();
    EXPECT_EQ(summaryLine(c.outcome, "/qsl/").toStdString(), c.line);
    EXPECT_EQ(exitStatus(c.outcome), c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CardsSummary, ::testing::ValuesIn(summaryCases()),
    [](const ::testing::TestParamInfo<SummaryCase> &info) { return std::string(info.param.name); });

struct ProgressCase {
    const char *name;
    qint64 lastMs, nowMs;
    int done, total;
    bool due;
};

class ProgressDue : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressDue, RedrawsAtMostEveryTenthOfASecond)
{
    const ProgressCase &c = GetParam();
    EXPECT_EQ(progressDue(c.lastMs, c.nowMs, c.done, c.total), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ProgressDue,
    ::testing::Values(ProgressCase{"TooSoon", 1000, 1099, 5, 10, false},
                      ProgressCase{"TenthPassed", 1000, 1100, 5, 10, true},
                      ProgressCase{"LastCardAlways", 1000, 1001, 10, 10, true},
                      ProgressCase{"FirstDraw", -1000, 0, 0, 10, true}),
    [](const ::testing::TestParamInfo<ProgressCase> &info) { return std::string(info.param.name); });

TEST(ProgressLine, CountsAndRate)
{
    EXPECT_EQ(progressLine(37, 120, 2000).toStdString(), "37 of 120 cards, 18.5 cards/s");
    EXPECT_EQ(progressLine(0, 120, 0).toStdString(), "0 of 120 cards, 0.0 cards/s");
}

} // namespace
