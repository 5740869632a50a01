// Which QSOs share a card: grouped by call sign in time order, cut at the card's limit.
#include "QsoGroups.h"

#include <gtest/gtest.h>

namespace {

QsoRecord qso(const char *call, const char *date, const char *time, const char *freq = "14.074")
{
    return {call, date, time, freq, "FT8", "100", "-10", {}};
}

struct GroupingRow {
    const char *name;
    std::vector<QsoRecord> qsos;
    int perCard;
    bool group;
    std::vector<std::vector<int>> cards;
};

void PrintTo(const GroupingRow &row, std::ostream *os) { *os << row.name; }

class Grouping : public ::testing::TestWithParam<GroupingRow> {};

TEST_P(Grouping, PutsTheRightQsosOnEachCard)
{
    EXPECT_EQ(qsoCards(GetParam().qsos, GetParam().perCard, GetParam().group), GetParam().cards);
}

const std::vector<QsoRecord> kBandsAndDays = {
    qso("K1ABC", "3.2.2026", "12:00", "14.074"), qso("DL1XYZ", "3.1.2026", "08:00"),
    qso(" k1abc ", "3.1.2026", "23:59", "7.074"), qso("K1ABC", "3.1.2026", "09:05", "21.074"),
    qso("dl1xyz", "3.1.2026", "07:59")};

std::vector<QsoRecord> sevenOf(const char *call)
{
    std::vector<QsoRecord> out;
    for (int i = 7; i >= 1; --i)
        out.push_back(qso(call, QString("3.%1.2026").arg(i).toLatin1().constData(), "10:00"));
    return out;
}

INSTANTIATE_TEST_SUITE_P(Rows, Grouping, ::testing::Values(
    GroupingRow{"WithoutGroupingOneCardEachInOrder", kBandsAndDays, 6, false,
                {{0}, {1}, {2}, {3}, {4}}},
    GroupingRow{"CallsAcrossBandsAndDaysInTimeOrder", kBandsAndDays, 6, true,
                {{3, 2, 0}, {4, 1}}},
    GroupingRow{"OnePerCardKeepsTheCallsTogether", kBandsAndDays, 1, true,
                {{3}, {2}, {0}, {4}, {1}}},
    GroupingRow{"SevenMakeTwoCards", sevenOf("W1AW"), 6, true,
                {{6, 5, 4, 3, 2, 1}, {0}}},
    GroupingRow{"ThreePerCard", sevenOf("W1AW"), 3, true, {{6, 5, 4}, {3, 2, 1}, {0}}},
    GroupingRow{"UnreadableDatesLastInTheirOrder",
                {qso("G4ABC", "someday", "10:00"), qso("G4ABC", "3.5.2026", "10:00"),
                 qso("G4ABC", "", "09:00")},
                6, true, {{1, 0, 2}}},
    GroupingRow{"SameMinuteKeepsTheLogsOrder",
                {qso("G4ABC", "3.5.2026", "10:00", "7.1"), qso("G4ABC", "2026-03-05", "1000", "14.1")},
                6, true, {{0, 1}}},
    GroupingRow{"NothingGivesNoCard", {}, 6, true, {}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

QsoRecord mailed(const char *call, const char *day, const char *email)
{
    return {call, QString("3.%1.2026").arg(day), "10:00", "14.074", "FT8", "100", "-10", email};
}

// One message per call sign and address, its cards as the grouping cuts them.
TEST(Messages, OnePerCallAndAddressWithItsCards)
{
    const std::vector<QsoRecord> qsos = {
        mailed("K1ABC", "3", "k1abc@example.org"), mailed("DL1XYZ", "1", "dl@example.de"),
        mailed("k1abc", "1", " K1ABC@example.org "), mailed("K1ABC", "2", "other@example.org"),
        mailed("K1ABC", "4", "k1abc@example.org")};
    using Messages = std::vector<std::vector<std::vector<int>>>;
    EXPECT_EQ(qsoMessages(qsos, 2, true), (Messages{{{2, 0}, {4}}, {{1}}, {{3}}}));
    EXPECT_EQ(qsoMessages(qsos, 6, false), (Messages{{{0}}, {{1}}, {{2}}, {{3}}, {{4}}}));
}

} // namespace
