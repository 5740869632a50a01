#include "QsoListModel.h"
#include "QsoListSearch.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <vector>

namespace {

// Six rows; "W1AW" stands in rows 2 and 4 (the third and fifth rows), "K" in every row.
const QStringList sixRows = {
    "   K1A, 04.05.2024, 0930, 7.100, 5, CW, 599",
    "   K2B, 04.05.2024, 0931, 7.100, 5, CW, 599",
    "  W1AW, 04.05.2024, 0932, 7.100, 5, CW, 599, K@x.org",
    "   K3C, 04.05.2024, 0933, 7.100, 5, CW, 599",
    "  W1AW, 04.06.2024, 1000, 14.074, 5, FT8, -10, K@x.org",
    "   K4D, 04.06.2024, 1001, 14.074, 5, FT8, -10",
};

enum class Press { Search, Next };

struct Step
{
    Press press;
    int foundRow;
    int resumeIndex;
};

struct SearchCase
{
    const char *name;
    QString text;
    int startIndex;
    std::vector<Step> steps;
};

void PrintTo(const SearchCase &c, std::ostream *os) { *os << c.name; }

class SearchAndNext : public ::testing::TestWithParam<SearchCase>
{
};

TEST_P(SearchAndNext, FollowTheResumeIndex)
{
    const SearchCase &c = GetParam();
    int resume = c.startIndex;
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step &step = c.steps[i];
        const SearchStep result = step.press == Press::Search ? searchFromTop(sixRows, c.text, resume)
                                                              : searchNext(sixRows, c.text, resume);
        EXPECT_EQ(result.foundRow, step.foundRow) << "step " << i;
        EXPECT_EQ(result.resumeIndex, step.resumeIndex) << "step " << i;
        resume = result.resumeIndex;
    }
}

const SearchCase searchCases[] = {
    {"ThirdAndFifthRow", "W1AW", -1,
     {{Press::Search, 2, 3}, {Press::Next, 4, 5}, {Press::Next, -1, -1}, {Press::Next, -1, -1},
      {Press::Search, 2, 3}}},
    {"NextBeforeAnySearchDoesNothing", "W1AW", -1, {{Press::Next, -1, -1}}},
    {"NoMatchKeepsResumeIndex", "ZZ9", 4, {{Press::Search, -1, 4}, {Press::Next, -1, -1}}},
    {"EmptyTextMatchesNothing", "", 0, {{Press::Search, -1, 0}, {Press::Next, -1, -1}}},
    {"LetterCaseIgnored", "w1aw", -1, {{Press::Search, 2, 3}, {Press::Next, 4, 5}}},
    {"RowInLowerCaseFound", "X.ORG", -1, {{Press::Search, 2, 3}}},
    {"MatchInLastRowLeavesIndexPastEnd", "K4D", -1,
     {{Press::Search, 5, 6}, {Press::Next, -1, 6}, {Press::Next, -1, 6}}},
    {"EveryRowMatches", "K", -1,
     {{Press::Search, 0, 1}, {Press::Next, 1, 2}, {Press::Next, 2, 3}, {Press::Next, 3, 4},
      {Press::Next, 4, 5}, {Press::Next, 5, 6}, {Press::Next, -1, 6}}},
    {"NextGoesOnFromAnyResumeIndex", "W1AW", 3, {{Press::Next, 4, 5}}},
};

INSTANTIATE_TEST_SUITE_P(QsoList, SearchAndNext, ::testing::ValuesIn(searchCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(QsoListModel, AppendsAndClearsRows)
{
    QsoListModel model;
    model.appendRows({"a", "b"}, {{}, {}});
    model.appendRows({}, {});
    model.appendRows({"c"}, {{}});
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(2)).toString(), QStringLiteral("c"));
    EXPECT_FALSE(model.data(model.index(2), Qt::EditRole).isValid());
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
