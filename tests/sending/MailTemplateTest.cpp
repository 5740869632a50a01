#include "KartelloError.h"
#include "MailTemplate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QString kEmail = QStringLiteral("n0call@example.org");

SentQso qso(const char *date, const char *time, const char *freq, const char *mode, const char *band = "")
{
    return {QStringLiteral("K1ABC"), QString::fromLatin1(date), QString::fromLatin1(time), QString::fromLatin1(freq),
            QString::fromLatin1(mode), QStringLiteral("k1abc@example.net"), QString::fromLatin1(band)};
}

struct RenderRow
{
    const char *name;
    const char *subject;
    const char *body;
    int qsos;                    // the first this many of three QSOs
    const char *call;            // of the QSOs; null: K1ABC
    const char *wantSubject;
    std::vector<const char *> wantBody;
};

void PrintTo(const RenderRow &row, std::ostream *os) { *os << row.name; }

class Render : public ::testing::TestWithParam<RenderRow>
{
};

TEST_P(Render, FillsThePlaceholders)
{
    const RenderRow &row = GetParam();
    CardMailFacts facts{QStringLiteral("N0CALL"), kEmail, {}, {QStringLiteral("-10"), QString(), QStringLiteral("599")}};
    const std::vector<SentQso> three{qso("20261201", "1200", "14.074", "FT8"), qso("20261202", "0930", "7.074", "FT4"),
                                     qso("20261203", "181500", "", "CW", "30m")};
    facts.qsos.assign(three.begin(), three.begin() + row.qsos);
    if (row.call)
        facts.qsos.front().call = QString::fromUtf8(row.call);
    const CardMailText text = renderMailTemplate({QString::fromUtf8(row.subject), QString::fromUtf8(row.body)}, facts);
    EXPECT_EQ(QString::fromUtf8(row.wantSubject), text.subject);
    QStringList body;
    for (const char *line : row.wantBody)
        body << QString::fromUtf8(line);
    EXPECT_EQ(body, text.body);
}

const RenderRow kRenderRows[] = {
    {"IssueExample", "QSL {CALL} de {MYCALL}: {QSOCOUNT}", "73 de {MYCALL} ({MYEMAIL})", 3, nullptr,
     "QSL K1ABC de N0CALL: 3 QSOs", {"73 de N0CALL (n0call@example.org)"}},
    {"OneQso", "{QSOCOUNT}, {COUNT}", "", 1, nullptr, "1 QSO, 1", {""}},
    {"QsoLinesInTheBody", "QSL", "Tnx fer:\n{QSOS}\n73", 3, nullptr, "QSL",
     {"Tnx fer:", "2026-12-01 12:00 UTC, 20m, FT8, RST -10", "2026-12-02 09:30 UTC, 40m, FT4",
      "2026-12-03 18:15 UTC, 30m, CW, RST 599", "73"}},
    {"QsoLinesInTheSubjectStayOneLine", "QSL {QSOS}", "", 2, nullptr,
     "QSL 2026-12-01 12:00 UTC, 20m, FT8, RST -10; 2026-12-02 09:30 UTC, 40m, FT4", {""}},
    {"UnknownPlaceholdersStay", "{NAME} {call} {} {CALL", "{{CALL}} {MYCALL", 1, nullptr, "{NAME} {call} {} {CALL",
     {"{K1ABC} {MYCALL"}},
    {"CallAsTheCardShowsIt", "QSL {CALL}", "", 1, " k1abc/p ", "QSL K1ABC/P", {""}},
    {"ValueIsNotFilledAgain", "{CALL}", "{CALL}", 1, "{MYCALL}", "{MYCALL}", {"{MYCALL}"}},
    {"NoHeaderInjection", "QSL {CALL} x", "{CALL}", 1, "K1ABC\r\nBcc: victim@example.com", "QSL K1ABC BCC: VICTIM@EXAMPLE.COM x",
     {"K1ABC BCC: VICTIM@EXAMPLE.COM"}},
    {"ControlCharactersOfTheTemplateLeaveTheSubject", "QSL\t{CALL}\x01", "a\tb", 1, nullptr, "QSL K1ABC", {"a\tb"}},
};

INSTANTIATE_TEST_SUITE_P(Templates, Render, ::testing::ValuesIn(kRenderRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(QsoMailLine, BandOrFrequencyAndWhatIsKnown)
{
    EXPECT_EQ(QStringLiteral("2026-12-01 12:00 UTC, 20m, FT8, RST 59"), qsoMailLine(qso("20261201", "1200", "14.074", "FT8"), " 59 "));
    EXPECT_EQ(QStringLiteral("2026-12-01 12:00 UTC, 12.345 MHz, FT8"), qsoMailLine(qso("20261201", "1200", "12.345", "FT8"), ""));
    EXPECT_EQ(QStringLiteral("yesterday noon UTC, SSB"), qsoMailLine(qso("yesterday", "noon", "", "SSB"), ""));
}

struct LinesRow
{
    const char *name;
    QStringList lines;
    const char *subject;   // null: refused
    const char *body;
};

void PrintTo(const LinesRow &row, std::ostream *os) { *os << row.name; }

class TemplateLines : public ::testing::TestWithParam<LinesRow>
{
};

TEST_P(TemplateLines, FirstLineIsTheSubject)
{
    const LinesRow &row = GetParam();
    if (!row.subject) {
        EXPECT_THROW(mailTemplateFromLines(row.lines, QStringLiteral("QslMail.txt")), KartelloError);
        return;
    }
    const MailTemplate parsed = mailTemplateFromLines(row.lines, QStringLiteral("QslMail.txt"));
    EXPECT_EQ(QString::fromUtf8(row.subject), parsed.subject);
    EXPECT_EQ(QString::fromUtf8(row.body), parsed.body);
}

const LinesRow kLinesRows[] = {
    {"BlankLineAfterTheSubjectDropped", {"QSL {CALL}", "", "Dear OM,", "", "73"}, "QSL {CALL}", "Dear OM,\n\n73"},
    {"OnlyTheFirstBlankLineDropped", {"QSL", " ", "", "73"}, "QSL", "\n73"},
    {"SubjectOnly", {"QSL"}, "QSL", ""},
    {"EmptyFile", {}, nullptr, ""},
    {"BlankSubject", {"  ", "73"}, nullptr, ""},
};

INSTANTIATE_TEST_SUITE_P(Files, TemplateLines, ::testing::ValuesIn(kLinesRows),
                         [](const auto &info) { return std::string(info.param.name); });

// A template that is there but cannot be read stops the card with a message naming the file;
// only an absent one means the usual message.
TEST(MailTemplateFile, AbsentIsNoneUnreadableIsAnError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(MailTemplateFileName);
    EXPECT_FALSE(readMailTemplate(path).has_value());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFQSL {CALL} \xC3\x98\r\n\r\n73\r\n");
    file.close();
    const std::optional<MailTemplate> read = readMailTemplate(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(QStringLiteral("QSL {CALL} Ø"), read->subject);
    EXPECT_EQ(QStringLiteral("73"), read->body);

    const QString folder = dir.filePath(QStringLiteral("folder"));
    const QString dangling = dir.filePath(QStringLiteral("dangling"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), dangling));
    for (const QString &unreadable : {folder, dangling}) {
        try {
            readMailTemplate(unreadable);
            ADD_FAILURE() << "read " << unreadable.toStdString();
        } catch (const KartelloError &error) {
            EXPECT_TRUE(error.text().startsWith(QStringLiteral("The mail template %1 cannot be read: ").arg(unreadable)))
                << error.text().toStdString();
        }
    }
}

} // namespace
