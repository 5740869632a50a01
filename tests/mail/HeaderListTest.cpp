#include "MailErrors.h"
#include "HeaderList.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct FoldRow
{
    const char *what;
    QString line;
    int maxCol;
    QStringList expected;
};

void PrintTo(const FoldRow &row, std::ostream *os) { *os << row.what; }

class Folding : public ::testing::TestWithParam<FoldRow>
{
};

TEST_P(Folding, BreaksAtTheLastBlankBeforeTheLimit)
{
    EXPECT_EQ(HeaderList::fold(GetParam().line, GetParam().maxCol), GetParam().expected);
}

const QString kSubject = QStringLiteral("Subject: QSL card attachment from ");

INSTANTIATE_TEST_SUITE_P(
    Rows, Folding,
    ::testing::Values(
        FoldRow{"short", QStringLiteral("Subject: one two three four five"), 20,
                {QStringLiteral("Subject: one two"), QStringLiteral(" three four five")}},
        FoldRow{"blanks_in_quotes_are_kept", QStringLiteral("X: \"one two three\" four five six"), 20,
                {QStringLiteral("X: \"one two three\""), QStringLiteral(" four five six")}},
        FoldRow{"long_word_after_name", QStringLiteral("X: ") + QString(100, QLatin1Char('a')), 78,
                {QStringLiteral("X:"), QStringLiteral(" ") + QString(100, QLatin1Char('a'))}},
        FoldRow{"no_blank_no_fold", QString(100, QLatin1Char('a')), 78, {QString(100, QLatin1Char('a'))}},
        FoldRow{"no_break_inside_quotes", QStringLiteral("X: \"one two three four\" five"), 20,
                {QStringLiteral("X:"), QStringLiteral(" \"one two three four\" five")}},
        FoldRow{"existing_break", QStringLiteral("X: aaa\r\n bbb"), 20,
                {QStringLiteral("X: aaa"), QStringLiteral(" bbb")}},
        FoldRow{"79_stays", kSubject + QString(45, QLatin1Char('x')), 78,
                {kSubject + QString(45, QLatin1Char('x'))}},
        FoldRow{"80_folds", kSubject + QString(46, QLatin1Char('x')), 78,
                {QStringLiteral("Subject: QSL card attachment from"), QStringLiteral(" ") + QString(46, QLatin1Char('x'))}},
        FoldRow{"encoded_word_break_kept",
                QStringLiteral("Subject: ") + QString(60, QLatin1Char('q')) + QStringLiteral("\r\n\t")
                    + QString(70, QLatin1Char('r')),
                78,
                {QStringLiteral("Subject: ") + QString(60, QLatin1Char('q')),
                 QStringLiteral("\t") + QString(70, QLatin1Char('r'))}},
        FoldRow{"break_at_the_end", QStringLiteral("X: a\r\n "), 78, {QStringLiteral("X: a")}},
        FoldRow{"tab_break_at_the_end", QStringLiteral("X: a\r\n\t"), 78, {QStringLiteral("X: a")}},
        FoldRow{"blank_line_between", QStringLiteral("X: a\r\n \r\n\tb"), 78,
                {QStringLiteral("X: a"), QStringLiteral("\tb")}},
        FoldRow{"blanks_after_break", QStringLiteral("X: a\r\n    "), 78, {QStringLiteral("X: a")}},
        FoldRow{"three_lines", QStringLiteral("X: aaaa bbbb cccc dddd eeee ffff"), 12,
                {QStringLiteral("X: aaaa"), QStringLiteral(" bbbb cccc"), QStringLiteral(" dddd eeee"),
                 QStringLiteral(" ffff")}}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(HeaderList, ValuesByNameWithoutRegardToCase)
{
    HeaderList h;
    h.add(QStringLiteral("X-A: 1"));
    h.add(QStringLiteral("X-B: two"));
    h.add(QStringLiteral(" three"));
    h.add(QStringLiteral("\tfour "));
    h.add(QStringLiteral(" five"));
    h.add(QStringLiteral("X-C: 3"));
    EXPECT_EQ(h.value(QStringLiteral("x-b")), QStringLiteral("two three four five"));
    EXPECT_EQ(h.value(QStringLiteral("X-MISSING")), QString());

    h.setValue(QStringLiteral("X-b"), QStringLiteral("new"));
    EXPECT_EQ(h.lines(), (QStringList{QStringLiteral("X-A: 1"), QStringLiteral("X-b: new"),
                                      QStringLiteral("X-C: 3")}));
    h.setValue(QStringLiteral("x-a"), QString());
    h.setValue(QStringLiteral("X-D"), QStringLiteral("4"));
    EXPECT_EQ(h.lines(), (QStringList{QStringLiteral("X-b: new"), QStringLiteral("X-C: 3"),
                                      QStringLiteral("X-D: 4")}));
}

TEST(HeaderList, LongValueIsFoldedWhenSetAndUnfoldedWhenRead)
{
    HeaderList h;
    const QString address = QString(30, QLatin1Char('k')) + QStringLiteral("@example-long-domain.org");
    h.setValue(QStringLiteral("Subject"), QStringLiteral("QSL card attachment from ") + address);
    EXPECT_EQ(h.lines(), (QStringList{QStringLiteral("Subject: QSL card attachment from"),
                                      QStringLiteral(" ") + address}));
    EXPECT_EQ(h.value(QStringLiteral("subject")), QStringLiteral("QSL card attachment from ") + address);
    h.setValue(QStringLiteral("SUBJECT"), QString());
    EXPECT_EQ(h.count(), 0);
}

// A value ending in a fold keeps the header block whole: no empty line, the value unfolded.
TEST(HeaderList, FoldAtTheEndGivesNoEmptyLine)
{
    HeaderList h;
    h.setValue(QStringLiteral("Subject"), QStringLiteral("a\r\n "));
    h.setValue(QStringLiteral("X-Mailer"), QStringLiteral("Kartello"));
    EXPECT_EQ(h.lines(), QStringList({QStringLiteral("Subject: a"), QStringLiteral("X-Mailer: Kartello")}));
    EXPECT_EQ(h.value(QStringLiteral("Subject")), QStringLiteral("a"));
}

TEST(HeaderList, OnlyFoldsMayBreakAValue)
{
    const struct { QString value; bool safe; } rows[] = {
        {QStringLiteral("a\r\n b"), true},
        {QStringLiteral("a\r\n\tb"), true},
        {QStringLiteral("a\r\nBcc: x@y"), false},
        {QStringLiteral("a\nb"), false},
        {QStringLiteral("a\rb"), false},
        {QStringLiteral("a\r\n"), false},
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), false},
    };
    for (const auto &row : rows) {
        HeaderList h;
        if (row.safe) {
            EXPECT_NO_THROW(h.setValue(QStringLiteral("X-Mailer"), row.value));
        } else {
            EXPECT_THROW(h.setValue(QStringLiteral("X-Mailer"), row.value), UnsafeTextError);
            EXPECT_EQ(h.count(), 0);
        }
    }
}

} // namespace
