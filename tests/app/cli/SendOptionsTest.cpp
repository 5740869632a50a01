#include "SendOptions.h"
#include "SendSummary.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct SendArgsRow
{
    const char *name;
    QStringList args;
    QString error;     // empty: accepted
    QStringList logs;
    bool dryRun;
    bool resend;
    int perMinute;
    int firstRowTaken; // the first of rows 1..30 the selection takes; 0 none
};

void PrintTo(const SendArgsRow &row, std::ostream *os) { *os << row.name; }

class SendArguments : public ::testing::TestWithParam<SendArgsRow>
{
};

TEST_P(SendArguments, ReadAsTheOperatorMeansThem)
{
    const SendArgsRow &row = GetParam();
    const ParsedSendOptions parsed = parseSendOptions(row.args);
    EXPECT_EQ(row.error, parsed.error);
    if (!row.error.isEmpty())
        return;
    EXPECT_EQ(row.logs, parsed.options.logs);
    EXPECT_EQ(row.dryRun, parsed.options.dryRun);
    EXPECT_EQ(row.resend, parsed.options.resend);
    EXPECT_EQ(row.perMinute, parsed.options.perMinute);
    int first = 0;
    for (int r = 30; r >= 1; --r)
        if (parsed.options.selection.takes(r, QStringLiteral("K1ABC"), QDate(2026, 6, 1)))
            first = r;
    EXPECT_EQ(row.firstRowTaken, first);
}

const SendArgsRow kSendArgsRows[] = {
    {"LogOnly", {"log.adi"}, {}, {"log.adi"}, false, false, 0, 1},
    {"DryRunAndResend", {"a.adi", "--dry-run", "b.adi", "--resend"}, {}, {"a.adi", "b.adi"}, true, true, 0, 1},
    {"ShortDryRun", {"-n", "a.adi"}, {}, {"a.adi"}, true, false, 0, 1},
    {"PerMinute", {"a.adi", "--per-minute", "12"}, {}, {"a.adi"}, false, false, 12, 1},
    {"PerMinuteWithEquals", {"a.adi", "--per-minute=600"}, {}, {"a.adi"}, false, false, 600, 1},
    {"RowsCallSince", {"a.adi", "--rows", "5-9", "--call", "k1abc", "--since", "20260101"}, {}, {"a.adi"}, false, false, 0, 5},
    {"OtherCall", {"a.adi", "--call", "DL1XYZ"}, {}, {"a.adi"}, false, false, 0, 0},
    {"LaterDate", {"a.adi", "--since", "20260602"}, {}, {"a.adi"}, false, false, 0, 0},
    {"StandardInput", {"-"}, {}, {"-"}, false, false, 0, 1},
    {"DashDashThenLogs", {"--", "--resend"}, {}, {"--resend"}, false, false, 0, 1},
    {"LogsAmongOptions", {"a.adi", "--call", "k1abc", "-", "-n", "b.adi"}, {}, {"a.adi", "-", "b.adi"}, true, false, 0, 1},
    {"RowsRepeatedAddUp", {"a.adi", "--rows", "7", "--rows=3-4"}, {}, {"a.adi"}, false, false, 0, 3},
    {"FlagWithValue", {"a.adi", "--resend=yes"}, "--resend takes no value", {}, false, false, 0, 0},
    {"UnknownOneDash", {"a.adi", "-format", "pdf"}, "unknown option -format", {}, false, false, 0, 0},
    {"NoLog", {"--dry-run"}, "no ADIF log given", {}, false, false, 0, 0},
    {"PerMinuteZero", {"a.adi", "--per-minute", "0"}, "--per-minute \"0\" is not a number from 1 to 600", {}, false, false, 0, 0},
    {"PerMinuteWord", {"a.adi", "--per-minute", "fast"}, "--per-minute \"fast\" is not a number from 1 to 600", {}, false, false, 0, 0},
    {"PerMinuteMissing", {"a.adi", "--per-minute"}, "--per-minute needs a value", {}, false, false, 0, 0},
    {"CardsOnlyOption", {"a.adi", "--format", "pdf"}, "unknown option --format", {}, false, false, 0, 0},
    {"BadRows", {"a.adi", "--rows", "9-5"}, "--rows \"9-5\" is not a list of rows such as 1-20,25", {}, false, false, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Args, SendArguments, ::testing::ValuesIn(kSendArgsRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct SummaryRow
{
    const char *name;
    SendCounts counts;
    bool dryRun;
    QString line;
};

void PrintTo(const SummaryRow &row, std::ostream *os) { *os << row.name; }

class SendSummaryWords : public ::testing::TestWithParam<SummaryRow>
{
};

TEST_P(SendSummaryWords, SayWhatWentAndWhyNot)
{
    const SummaryRow &row = GetParam();
    EXPECT_EQ(row.line, sendSummaryLine(row.counts, row.dryRun));
}

const SummaryRow kSummaryRows[] = {
    {"AllSent", {12, 0, 0, 0, 0, 0}, false, "12 cards sent"},
    {"OneSent", {1, 0, 0, 0, 0, 0}, false, "1 card sent"},
    {"NothingToSend", {0, 3, 0, 0, 0, 0}, false, "0 cards sent; 3 already sent"},
    {"Everything", {5, 3, 2, 1, 4, 6}, false,
     "5 cards sent; 3 already sent; 2 without an address; 1 with an address the e-mail check refuses; "
     "4 failed; 6 not sent"},
    {"DryRun", {2, 1, 0, 0, 0, 0}, true, "2 cards would be sent; 1 already sent"},
    {"MaybeSent", {1, 1, 0, 0, 0, 0, 2}, false, "1 card sent; 1 already sent; 2 may have been sent before (not sent again)"},
};

INSTANTIATE_TEST_SUITE_P(Counts, SendSummaryWords, ::testing::ValuesIn(kSummaryRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
