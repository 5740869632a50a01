// The names of one batch run's cards: no card of a run replaces another.
#include "features/BatchCard.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Card
{
    const char *baseName;
    const char *date;
    const char *time;
};

struct NamesCase
{
    const char *name;
    std::vector<Card> cards;
    QStringList suffixes;   // what each card gets after its base name, in run order
};

void PrintTo(const NamesCase &c, std::ostream *os) { *os << c.name; }

class BatchNames : public ::testing::TestWithParam<NamesCase>
{
};

TEST_P(BatchNames, NeverRepeatInOneRun)
{
    BatchCardNames names;
    QStringList suffixes;
    for (const Card &card : GetParam().cards) {
        QsoRecord qso;
        qso.utcDate = QString::fromLatin1(card.date);
        qso.utcTime = QString::fromLatin1(card.time);
        suffixes << names.suffixFor(QString::fromLatin1(card.baseName), qso);
    }
    EXPECT_EQ(suffixes, GetParam().suffixes);
}

const NamesCase namesCases[] = {
    {"OtherCallsKeepTheirNames", {{"K8BL", "4.7.2023", "19:41"}, {"W1AW", "4.7.2023", "19:41"}}, {"", ""}},
    {"SecondCardOfACallTakesItsDateAndTime",
     {{"K8BL", "4.6.2023", "10:00"}, {"K8BL", "4.7.2023", "19:41"}, {"K8BL", "4.7.2023", "20:05"}},
     {"", "_20230407_1941", "_20230407_2005"}},
    {"SameMinuteAgainIsNumbered",
     {{"K8BL", "4.7.2023", "19:41"}, {"K8BL", "4.7.2023", "19:41"}, {"K8BL", "4.7.2023", "19:41"}},
     {"", "_20230407_1941", "_20230407_1941_2"}},
    {"LetterCaseMakesNoOtherFile", {{"K8BL", "4.7.2023", "19:41"}, {"k8bl", "4.7.2023", "20:00"}},
     {"", "_20230407_2000"}},
    {"UnreadableDateLeftOut", {{"K8BL", "", "19:41"}, {"K8BL", "06.12.2026", "19:42"}}, {"", "_1942"}},
    {"NothingReadableIsNumbered", {{"K8BL", "", ""}, {"K8BL", "?", "9"}, {"K8BL", "", ""}},
     {"", "_2", "_3"}},
    {"StampThatIsACallsNameSkipped",
     {{"K8BL_20230407_1941", "1.1.2020", "00:00"}, {"K8BL", "1.1.2020", "00:00"}, {"K8BL", "4.7.2023", "19:41"}},
     {"", "", "_20230407_1941_2"}},
};

INSTANTIATE_TEST_SUITE_P(BatchCard, BatchNames, ::testing::ValuesIn(namesCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(BatchCard, ContactInfoFileSitsBesideItsCard)
{
    const QDate day(2026, 12, 9);
    EXPECT_EQ(batchContactInfoFileName("/b/", day, "K8BL", ""), "/b/26_12_09_K8BL_info.txt");
    EXPECT_EQ(batchContactInfoFileName("/b/", day, "K8BL", "_20230407_1941"),
              "/b/26_12_09_K8BL_20230407_1941_info.txt");
}

} // namespace
