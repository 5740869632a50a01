#include "Fonts.h"
#include "RenderTestSupport.h"
#include "CardLabel.h"
#include "TestNames.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

QFont tahoma8()
{
    return pixelSizedFont(QStringLiteral("Tahoma"), 8);
}

QSize measured(const QString &text)
{
    // Text drawn with a stand-in face sits lower by the Windows face's larger ascent.
    return QFontMetrics(tahoma8())
               .boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text)
               .size()
           + QSize(0, standInAscentDrop(tahoma8()));
}

struct SizeRow
{
    const char *caption;
    const char *measuredAs;
};

void PrintTo(const SizeRow &row, std::ostream *os)
{
    *os << '"' << row.caption << '"';
}

class AutoSize : public ::testing::TestWithParam<SizeRow> {};

TEST_P(AutoSize, ElementTakesTheSizeOfItsText)
{
    CardLabel label;
    label.setFont(tahoma8());
    label.setBounds(7, 132, 49, 13);
    label.setCaption(QStringLiteral("something else"));
    label.setCaption(QString::fromUtf8(GetParam().caption));
    const QSize expected = measured(QString::fromUtf8(GetParam().measuredAs));
    EXPECT_EQ(label.width(), expected.width());
    EXPECT_EQ(label.height(), expected.height());
    EXPECT_EQ(label.left(), 7);
    EXPECT_EQ(label.top(), 132);
}

INSTANTIATE_TEST_SUITE_P(CardLabel, AutoSize,
                         ::testing::Values(SizeRow{"", " "}, SizeRow{"&", " "},
                                           SizeRow{"Your Email", "Your Email"},
                                           SizeRow{"73s", "73s"},
                                           SizeRow{"two\r\nlines", "two\nlines"}),
                         [](const auto &info) { return testName(info.param.caption); });

TEST(CardLabel, EmptyTextIsOneSpaceWideAndOneLineHigh)
{
    CardLabel label;
    label.setFont(tahoma8());
    label.setCaption(QStringLiteral("x"));
    const int lineHeight = label.height();
    label.setCaption(QString());
    EXPECT_EQ(label.width(), measured(QStringLiteral(" ")).width());
    EXPECT_GT(label.width(), 0);
    EXPECT_EQ(label.height(), lineHeight);
}

TEST(CardLabel, WidthSetByHandLastsUntilTheNextMeasure)
{
    CardLabel label;
    label.setFont(tahoma8());
    label.setCaption(QStringLiteral("Pse QSL"));
    const int measuredWidth = label.width();
    label.setWidth(200);
    label.setTransparent(false);
    label.setColor(Qt::red);
    label.setAlignment(Qt::AlignHCenter);
    EXPECT_EQ(label.width(), 200);
    label.setFont(pixelSizedFont(QStringLiteral("Tahoma"), 8, true));
    EXPECT_NE(label.width(), 200);
    label.setFont(tahoma8());
    EXPECT_EQ(label.width(), measuredWidth);
}

TEST(CardLabel, RightAlignedElementKeepsItsRightEdge)
{
    CardLabel label;
    label.setFont(tahoma8());
    label.setAlignment(Qt::AlignRight);
    label.setBounds(100, 0, 60, 15);
    label.setCaption(QStringLiteral("W"));
    EXPECT_EQ(label.left() + label.width(), 160);
    EXPECT_LT(label.width(), 60);
}

TEST(CardLabel, TahomaTitleFitsItsCell)
{
    EXPECT_LE(measured(QStringLiteral("Confirming QSO with")).width(), 106);
}

TEST(CardLabel, StartsAt65By17UntilMeasured)
{
    CardLabel label;
    EXPECT_EQ(label.width(), 65);
    EXPECT_EQ(label.height(), 17);
    // A label's own font is the card's Tahoma 8 whatever the desktop's; a caption measures it.
    EXPECT_EQ(label.font(), tahoma8());
    label.setCaption(QStringLiteral("W1AW"));
    EXPECT_EQ(label.width(), measured(QStringLiteral("W1AW")).width());
}

} // namespace
