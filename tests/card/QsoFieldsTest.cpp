#include "CardElements.h"
#include "ItalicLean.h"
#include "QsoFields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace card;

namespace {

const ElementRow *element(const char *name)
{
    for (const ElementRow &candidate : cardElements())
        if (QLatin1String(candidate.name) == QLatin1String(name))
            return &candidate;
    return nullptr;
}

class QsoFieldRows : public ::testing::TestWithParam<int> {};

// Each row names an overlay lying exactly over its value element, under its column title,
// and rows are in column order, left to right.
TEST_P(QsoFieldRows, OverlayLiesOverValueUnderTitle)
{
    const QsoFieldNames &row = qsoFields()[GetParam()];
    EXPECT_EQ(GetParam(), static_cast<int>(row.field));
    EXPECT_EQ(&row, &qsoField(row.field));
    const ElementRow *overlay = element(row.overlay);
    const ElementRow *value = element(row.valueElement);
    const ElementRow *title = element(row.titleElement);
    ASSERT_TRUE(overlay && value && title) << row.name;
    EXPECT_EQ(ElementKind::Overlay, overlay->kind);
    EXPECT_EQ(ElementKind::Text, value->kind);
    EXPECT_EQ(value->geometry, overlay->geometry);
    EXPECT_EQ(title->geometry.left(), value->geometry.left());
    if (GetParam() > 0)
        EXPECT_LT(element(qsoFields()[GetParam() - 1].valueElement)->geometry.left(),
                  value->geometry.left());
}

INSTANTIATE_TEST_SUITE_P(Columns, QsoFieldRows, ::testing::Range(0, kQsoFieldCount),
                         [](const auto &info) { return std::string(qsoFields()[info.param].overlay); });

TEST(QsoFields, NamesAreDistinctAndFeedTheGroups)
{
    std::set<std::string> names;
    for (const QsoFieldNames &row : qsoFields())
        for (const char *name : {row.overlay, row.valueElement, row.titleElement, row.name})
            names.insert(name);
    EXPECT_EQ(4u * kQsoFieldCount, names.size());
    for (int i = 0; i < kQsoFieldCount; ++i) {
        EXPECT_EQ(QString::fromLatin1(qsoFields()[i].overlay), overlays()[i]);
        EXPECT_EQ(QString::fromLatin1(qsoFields()[i].valueElement), valueElements()[i]);
        EXPECT_EQ(QString::fromLatin1(qsoFields()[i].titleElement), titleElements()[i]);
    }
}

struct LeanRow {
    const char *label;
    int upright;
    bool italic;
    int expected;
};

class ItalicLean : public ::testing::TestWithParam<LeanRow> {};

TEST_P(ItalicLean, OnlyItalicWidens)
{
    EXPECT_EQ(GetParam().expected, widthWithLean(GetParam().upright, GetParam().italic));
}

INSTANTIATE_TEST_SUITE_P(Widths, ItalicLean,
                         ::testing::Values(LeanRow{"Upright", 224, false, 224},
                                           LeanRow{"Italic", 224, true, 242},
                                           LeanRow{"EmptyUpright", 0, false, 0},
                                           LeanRow{"EmptyItalic", 0, true, 18}),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
