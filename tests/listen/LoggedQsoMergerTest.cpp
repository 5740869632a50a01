// Which messages become QSOs when a logging program sends each QSO twice, as "QSO Logged" and
// as "Logged ADIF", or sends only one of them, on a clock the test keeps.
#include "LoggedQsoMerger.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct Event
{
    int type;  // 5, 12, or 0 for the clock alone
    const char *call;
    const char *timeOn;
    const char *mode;
    qint64 atMs;
    const char *freq = "14.074";  // MHz; empty: the record has no FREQ
};

struct MergeCase
{
    const char *name;
    std::vector<Event> events;
    // Each QSO taken: "call mode (type) at ms".
    QStringList taken;
};

void PrintTo(const MergeCase &c, std::ostream *os) { *os << c.name; }

LoggedQso qso(const Event &event)
{
    LoggedQso qso;
    qso.source = MessageType(event.type);
    qso.record.setIfAbsent(AdifField::Call, QString::fromLatin1(event.call));
    qso.record.setIfAbsent(AdifField::QsoDate, QStringLiteral("20261208"));
    qso.record.setIfAbsent(AdifField::TimeOn, QString::fromLatin1(event.timeOn));
    qso.record.setIfAbsent(AdifField::Mode, QString::fromLatin1(event.mode));
    if (*event.freq != '\0')
        qso.record.setIfAbsent(AdifField::Freq, QString::fromLatin1(event.freq));
    return qso;
}

void note(QStringList &taken, const std::vector<LoggedQso> &qsos, qint64 atMs)
{
    for (const LoggedQso &q : qsos)
        taken << QStringLiteral("%1 %2 (%3) at %4")
                     .arg(q.record.value(AdifField::Call), q.record.value(AdifField::Mode))
                     .arg(int(q.source))
                     .arg(atMs);
}

class Merging : public ::testing::TestWithParam<MergeCase>
{
};

TEST_P(Merging, TakesEachQsoOnce)
{
    LoggedQsoMerger merger(500);
    QStringList taken;
    for (const Event &event : GetParam().events) {
        note(taken, merger.takeDue(event.atMs), event.atMs);
        if (event.type != 0)
            note(taken, merger.offer(qso(event), event.atMs), event.atMs);
    }
    EXPECT_EQ(taken, GetParam().taken);
}

const MergeCase mergeCases[] = {
    {"PairGivesTheAdifOnce",
     {{5, "K1ABC", "140700", "FT8", 0}, {12, "K1ABC", "140700", "FT8", 2}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 2"}},
    {"QsoLoggedAloneWaitsItsTime",
     {{5, "K1ABC", "140700", "FT8", 0}, {0, "", "", "", 499}, {0, "", "", "", 500}},
     {"K1ABC FT8 (5) at 500"}},
    {"AdifFirstThenQsoLoggedDropped",
     {{12, "K1ABC", "140700", "FT8", 0}, {5, "K1ABC", "140700", "FT8", 1}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 0"}},
    {"LateAdifAfterTheWaitDropped",
     {{5, "K1ABC", "140700", "FT8", 0}, {0, "", "", "", 600}, {12, "K1ABC", "140700", "FT8", 700}},
     {"K1ABC FT8 (5) at 600"}},
    {"RepeatedDatagramsDropped",
     {{12, "K1ABC", "140700", "FT8", 0}, {12, "K1ABC", "140700", "FT8", 3}, {5, "K1ABC", "140700", "FT8", 4},
      {5, "K1ABC", "140700", "FT8", 5}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 0"}},
    {"ModesOfAPairDiffer",
     {{5, "K1ABC", "140700", "FT4", 0}, {12, "K1ABC", "140700", "MFSK", 1}, {0, "", "", "", 5000}},
     {"K1ABC MFSK (12) at 1"}},
    {"SecondsOfAPairDiffer",
     {{5, "K1ABC", "140712", "FT8", 0}, {12, "K1ABC", "1407", "FT8", 1}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 1"}},
    {"CaseOfACallDiffers",
     {{5, "k1abc", "140700", "FT8", 0}, {12, "K1ABC", "140700", "FT8", 1}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 1"}},
    {"SameCallNextMinuteIsAnotherQso",
     {{12, "K1ABC", "140700", "FT8", 0}, {12, "K1ABC", "140800", "FT8", 60000}},
     {"K1ABC FT8 (12) at 0", "K1ABC FT8 (12) at 60000"}},
    // A station worked on 20 m and then on 40 m within one minute gave two QSOs.
    {"SameMinuteOtherBandIsAnotherQso",
     {{12, "K1ABC", "140700", "FT8", 0, "14.074"}, {12, "K1ABC", "140730", "FT4", 30000, "7.047"}},
     {"K1ABC FT8 (12) at 0", "K1ABC FT4 (12) at 30000"}},
    {"PairsOnTwoBandsGiveTwo",
     {{5, "K1ABC", "140700", "FT8", 0, "14.074"}, {5, "K1ABC", "140730", "FT4", 1, "7.047"},
      {12, "K1ABC", "140700", "FT8", 2, "14.074"}, {12, "K1ABC", "140730", "FT4", 3, "7.047"},
      {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 2", "K1ABC FT4 (12) at 3"}},
    {"QsoLoggedOnTwoBandsWaitsForBoth",
     {{5, "K1ABC", "140700", "FT8", 0, "14.074"}, {5, "K1ABC", "140730", "FT4", 1, "7.047"},
      {0, "", "", "", 600}},
     {"K1ABC FT8 (5) at 600", "K1ABC FT4 (5) at 600"}},
    // A message without a frequency is the other half of the pair, whatever its band.
    {"AdifWithoutFrequencyStillPairs",
     {{5, "K1ABC", "140700", "FT8", 0, "14.074"}, {12, "K1ABC", "140700", "FT8", 1, ""}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 1"}},
    {"TwoProgramsInterleaved",
     {{5, "K1ABC", "140700", "FT8", 0}, {5, "W2XY", "140700", "FT8", 1}, {12, "K1ABC", "140700", "FT8", 2},
      {12, "W2XY", "140700", "FT8", 3}, {0, "", "", "", 5000}},
     {"K1ABC FT8 (12) at 2", "W2XY FT8 (12) at 3"}},
    {"WaitingQsosKeepTheirOrder",
     {{5, "K1ABC", "140700", "FT8", 0}, {5, "W2XY", "140800", "FT8", 100}, {0, "", "", "", 550},
      {0, "", "", "", 650}},
     {"K1ABC FT8 (5) at 550", "W2XY FT8 (5) at 650"}},
};

INSTANTIATE_TEST_SUITE_P(LoggedQsoMerger, Merging, ::testing::ValuesIn(mergeCases),
                         [](const auto &info) { return std::string(info.param.name); });

// However many "QSO Logged" come within one wait, the held ones stay bounded and none is lost.
TEST(LoggedQsoMergerBounds, FloodOfQsoLoggedTakesTheOldestEarly)
{
    LoggedQsoMerger merger(500);
    const int sent = LoggedQsoMerger::RememberedQsos + 10;
    int takenEarly = 0;
    for (int n = 0; n < sent; ++n) {
        const Event event{5, "", "1400", "FT8", 0};
        LoggedQso q = qso(event);
        q.record.clear();
        q.record.setIfAbsent(AdifField::Call, QStringLiteral("K%1A").arg(n));
        takenEarly += int(merger.offer(q, 0).size());
    }
    EXPECT_EQ(takenEarly, 10);
    EXPECT_EQ(int(merger.takeAll().size()), LoggedQsoMerger::RememberedQsos);
    EXPECT_EQ(merger.nextDue(), std::nullopt);
}

} // namespace
