#include "CardSelection.h"
#include "RowSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SelectionCase {
    const char *name;
    const char *text;
    bool valid;
    std::vector<int> taken;    // rows the selection must take
    std::vector<int> left;     // rows it must leave
};

class RowSelectionParse : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(RowSelectionParse, TakesExactlyTheWrittenRows)
{
    const SelectionCase &c = GetParam();
    const std::optional<RowSelection> selection = RowSelection::parse(QString::fromUtf8(c.text));
    ASSERT_EQ(selection.has_value(), c.valid);
    if (!selection)
        return;
    for (int row : c.taken)
        EXPECT_TRUE(selection->contains(row)) << "row " << row;
    for (int row : c.left)
        EXPECT_FALSE(selection->contains(row)) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RowSelectionParse,
    ::testing::Values(
        SelectionCase{"RangeAndSingle", "1-20,25", true, {1, 2, 19, 20, 25}, {0, 21, 24, 26}},
        SelectionCase{"SingleRow", "7", true, {7}, {6, 8}},
        SelectionCase{"OneRowRange", "5-5", true, {5}, {4, 6}},
        SelectionCase{"OpenRange", "100-", true, {100, 101, 1000000}, {99}},
        SelectionCase{"OverlappingParts", "3-6,5-9", true, {3, 6, 7, 9}, {2, 10}},
        SelectionCase{"ZeroRow", "0", false, {}, {}},
        SelectionCase{"ZeroStart", "0-5", false, {}, {}},
        SelectionCase{"Reversed", "20-1", false, {}, {}},
        SelectionCase{"EmptyPart", "1,,3", false, {}, {}},
        SelectionCase{"TrailingComma", "1,", false, {}, {}},
        SelectionCase{"Empty", "", false, {}, {}},
        SelectionCase{"Letters", "1-a", false, {}, {}},
        SelectionCase{"Negative", "-3", false, {}, {}},
        SelectionCase{"Blanks", "1 - 3", false, {}, {}},
        SelectionCase{"TooLong", "99999999999", false, {}, {}}),
    [](const ::testing::TestParamInfo<SelectionCase> &info) { return std::string(info.param.name); });

TEST(RowSelection, NoSelectionTakesEveryRow)
{
    const RowSelection every;
    EXPECT_TRUE(every.takesEveryRow());
    EXPECT_TRUE(every.contains(1));
    EXPECT_TRUE(every.contains(123456));
}

struct TakesCase {
    const char *name;
    const char *rows;      // "" for every row
    const char *calls;     // "" for every call sign
    const char *since;     // "" for every date
    int row;
    const char *callSign;
    const char *qsoDate;   // YYYYMMDD or "" for a QSO without a date
    bool taken;
};

class CardSelectionTakes : public ::testing::TestWithParam<TakesCase> {};

TEST_P(CardSelectionTakes, EveryGivenFilterMustPass)
{
    const TakesCase &c = GetParam();
    CardSelection selection;
    if (*c.rows)
        selection.rows = *RowSelection::parse(QString::fromUtf8(c.rows));
    selection.callSigns = callSignList(QString::fromUtf8(c.calls));
    selection.since = compactDate(QString::fromUtf8(c.since));
    EXPECT_EQ(selection.takes(c.row, QString::fromUtf8(c.callSign),
                              compactDate(QString::fromUtf8(c.qsoDate))),
              c.taken);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, CardSelectionTakes,
    ::testing::Values(
        TakesCase{"NoFilter", "", "", "", 9, "K1ABC", "20260101", true},
        TakesCase{"NoFilterNoDate", "", "", "", 9, "K1ABC", "", true},
        TakesCase{"RowOutside", "1-3", "", "", 4, "K1ABC", "20260101", false},
        TakesCase{"CallAnyCase", "", "k1abc", "", 1, "K1ABC", "20260101", true},
        TakesCase{"CallPaddedInRow", "", "K1ABC", "", 1, "  K1ABC", "20260101", true},
        TakesCase{"CallInList", "", "DL1XYZ, K1ABC", "", 1, "k1abc", "20260101", true},
        TakesCase{"OtherCall", "", "K1ABC", "", 1, "K1ABD", "20260101", false},
        TakesCase{"CallIsNotPrefix", "", "K1AB", "", 1, "K1ABC", "20260101", false},
        TakesCase{"SinceSameDay", "", "", "20260315", 1, "K1ABC", "20260315", true},
        TakesCase{"SinceDayBefore", "", "", "20260315", 1, "K1ABC", "20260314", false},
        TakesCase{"SinceNoDate", "", "", "20260315", 1, "K1ABC", "", false},
        TakesCase{"AllThreePass", "2-4", "K1ABC", "20260101", 3, "K1ABC", "20260102", true},
        TakesCase{"AllButRow", "2-4", "K1ABC", "20260101", 5, "K1ABC", "20260102", false}),
    [](const ::testing::TestParamInfo<TakesCase> &info) { return std::string(info.param.name); });

struct DateCase {
    const char *name;
    const char *text;
    int year, month, day;   // 0 for no date
};

class CompactDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(CompactDate, ReadsOnlyRealDates)
{
    const DateCase &c = GetParam();
    const QDate expected = c.year ? QDate(c.year, c.month, c.day) : QDate();
    EXPECT_EQ(compactDate(QString::fromUtf8(c.text)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompactDate,
    ::testing::Values(DateCase{"Plain", "20260315", 2026, 3, 15},
                      DateCase{"LeapDay", "20240229", 2024, 2, 29},
                      DateCase{"NoLeapDay", "20250229", 0, 0, 0},
                      DateCase{"Month13", "20261301", 0, 0, 0},
                      DateCase{"Short", "2026031", 0, 0, 0},
                      DateCase{"Dashes", "2026-03-15", 0, 0, 0},
                      DateCase{"SignInside", "2026+315", 0, 0, 0},
                      DateCase{"Empty", "", 0, 0, 0}),
    [](const ::testing::TestParamInfo<DateCase> &info) { return std::string(info.param.name); });

} // namespace
