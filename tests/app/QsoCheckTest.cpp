#include "QsoCheck.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace {

using Answer = UserDialogs::Answer;

const QString kMissing = QStringLiteral("Missing one or more contact information. Continue anyway?");
const QString kAsk = QStringLiteral("Invalid recipient email addess. Continue anyway?");
const QString kWarn = QStringLiteral("Invalid recipient email addess.");

struct Row {
    bool emptyField;
    QString email;
    QString purpose;
    std::deque<Answer> answers;
    bool stops;
    QStringList boxes;        // "question:<text>" or "warning:<text>", in order
    QStringList pointer;      // pointer placements, in order
};

QStringList boxesShown(const ScriptedDialogs &d)
{
    QStringList out;
    for (const auto &s : d.shown)
        if (s.kind == "question" || s.kind == "warning")
            out << s.kind + ":" + s.text;
    return out;
}

} // namespace

TEST(QsoCheck, QuestionSequence)
{
    const QString ok = "k1abc@arrl.net", bad = "Contact's Email";
    const Row rows[] = {
        {false, ok, "", {}, false, {}, {}},
        {false, ok, "Email", {}, false, {}, {}},
        {true, ok, "", {Answer::Yes}, false, {"question:" + kMissing}, {"-10,35"}},
        {true, ok, "", {Answer::No}, true, {"question:" + kMissing}, {"-10,35"}},
        {true, bad, "", {Answer::No}, true, {"question:" + kMissing}, {"-10,35"}},
        {true, bad, "", {Answer::Yes, Answer::Yes}, false,
         {"question:" + kMissing, "question:" + kAsk}, {"-10,35", "-10,35"}},
        {true, bad, "", {Answer::Yes, Answer::No}, true,
         {"question:" + kMissing, "question:" + kAsk}, {"-10,35", "-10,35"}},
        {false, bad, "", {Answer::Yes}, false, {"question:" + kAsk}, {"-10,35"}},
        {false, "@", "", {Answer::No}, true, {"question:" + kAsk}, {"-10,35"}},
        {false, bad, "Email", {}, true, {"warning:" + kWarn}, {"10,35"}},
        {false, "@qsl.net", "Email", {}, true, {"warning:" + kWarn}, {"10,35"}},
        {true, bad, "Email", {Answer::Yes}, true,
         {"question:" + kMissing, "warning:" + kWarn}, {"-10,35", "10,35"}},
        {true, ok, "Email", {Answer::No}, true, {"question:" + kMissing}, {"-10,35"}},
    };
    for (const Row &row : rows) {
        ScriptedDialogs dialogs;
        dialogs.answers = row.answers;
        QsoRecord qso{"K1ABC", "4.5.2024", "07:45", "14.074", "FT8", "100W", "-10"};
        if (row.emptyField)
            qso.mode.clear();
        const bool stops = qsoShouldStopOutput(qso, row.email, row.purpose, dialogs);
        const std::string what = (row.email + " / " + row.purpose).toStdString();
        EXPECT_EQ(row.stops, stops) << what;
        EXPECT_EQ(row.boxes, boxesShown(dialogs)) << what;
        EXPECT_EQ(row.pointer, dialogs.texts("pointer")) << what;
        EXPECT_TRUE(dialogs.answers.empty()) << what;
    }
}

TEST(QsoCheck, EveryFieldCountsAndBlanksAreFilled)
{
    for (int field = 0; field < 7; ++field) {
        QsoRecord qso{"K1ABC", "4.5.2024", "07:45", "14.074", "FT8", "100W", "-10"};
        QString *fields[] = {&qso.callSign, &qso.utcDate, &qso.utcTime, &qso.freq,
                             &qso.mode,     &qso.power,   &qso.signal};
        *fields[field] = QStringLiteral(" ");
        EXPECT_FALSE(qso.hasEmptyField()) << field;
        fields[field]->clear();
        EXPECT_TRUE(qso.hasEmptyField()) << field;
    }
}

namespace {

struct DateCheckCase
{
    const char *name;
    QString date;
    QString purpose;
    bool stops;
    bool warned;   // a warning box naming the date was shown
};

void PrintTo(const DateCheckCase &c, std::ostream *os) { *os << c.name; }

class DateCheck : public ::testing::TestWithParam<DateCheckCase>
{
};

TEST_P(DateCheck, RefusesWhatItCannotRead)
{
    const DateCheckCase &c = GetParam();
    ScriptedDialogs dialogs;
    QsoRecord qso{"K1ABC", c.date, "07:45", "14.074", "FT8", "100W", "-10"};
    EXPECT_EQ(qsoShouldStopOutput(qso, "k1abc@arrl.net", c.purpose, dialogs), c.stops);
    const QStringList warnings = dialogs.texts("warning");
    ASSERT_EQ(warnings.size(), c.warned ? 1 : 0);
    if (c.warned) {
        EXPECT_TRUE(warnings[0].contains(c.date.trimmed())) << warnings[0].toStdString();
        EXPECT_EQ(dialogs.texts("pointer"), QStringList{"10,35"});
    }
}

const DateCheckCase dateCheckCases[] = {
    {"QuickPickDate", "4.5.2024", "", false, false},
    {"IsoDate", "2026-12-06", "Email", false, false},
    {"BlankDateLeftToTheMissingQuestion", " ", "", false, false},
    {"EuropeanDateForPrint", "06.12.2026", "", true, true},
    {"EuropeanDateForMail", "06.12.2026", "Email", true, true},
    {"DayFirstDate", "13.12.2026", "", true, true},
    {"NoDateAtAll", "yesterday", "Email", true, true},
};

INSTANTIATE_TEST_SUITE_P(QsoCheck, DateCheck, ::testing::ValuesIn(dateCheckCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
