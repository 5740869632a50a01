// `kartello cards --unsent` and `kartello send --unsent`: only the QSOs that need a card, by the
// log's QSL_SENT and the sent journal where every command finds it.
#include "CardsRunner.h"

#include "JournalNotes.h"
#include "SentJournal.h"

#include <QDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

QByteArray withQslSent(QByteArray record, const QByteArray &qslSent)
{
    const QByteArray field = "<qsl_sent:" + QByteArray::number(qslSent.size()) + ">" + qslSent + " ";
    return record.insert(record.lastIndexOf("<eor>"), field);
}

SentQso journalQso(const QString &call, const QString &date)
{
    return {call, date, "1200", "14.074", "FT8", call.toLower() + "@example.org", {}};
}

struct UnsentRow
{
    const char *name;
    QStringList args;        // after the log
    QStringList cards;       // `kartello cards`: the pictures written
    QStringList sendRows;    // `kartello send --dry-run`: "row N  CALL" of each line
};

void PrintTo(const UnsentRow &row, std::ostream *os) { *os << row.name; }

class UnsentCommandBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runner.isValid());
        const auto qso = [](const char *call, const char *date) {
            return adifRecord(call, date, "1200", "14.074", "FT8", "", "-10",
                              QString::fromLatin1(call).toLower() + "@example.org");
        };
        QByteArray log = "Log\n<adif_ver:5>3.1.4 <eoh>\n";
        log += qso("K1AA", "20260301");                              // 1 needs a card
        log += withQslSent(qso("K1AB", "20260302"), "Y");            // 2 sent, says the log
        log += withQslSent(qso("K1AC", "20260303"), " r ");          // 3 requested
        log += withQslSent(qso("K1AD", "20260304"), "i");            // 4 ignored
        log += withQslSent(qso("K1AE", "20260305"), "N");            // 5 sent, says Sent.adi
        log += qso("K1AF", "20260306");                              // 6 may have been sent
        log += withQslSent(qso("K1AG", "20260307"), "V");            // 7 a value of its own
        log += withQslSent(qso("K1AH", "20260308"), "Q");            // 8 queued
        logPath = runner.writeFile("log.adi", log);
        runner.writeFile(runner.dataFile("Sent.adi"),
                         "Journal\n<EOH>\n"
                             + SentJournal::recordText(journalQso("K1AE", "20260305"), QDate(2026, 3, 9), "<1@x>")
                             + journalNoteText(JournalNoteKind::Sending, journalQso("K1AF", "20260306")));
        out = runner.folder() + "out/";
    }

    CardsRunner::Result cards(const QStringList &args) const
    {
        return runner.run(QStringList{"cards", logPath, "--no-info", "--out", out} + args);
    }
    CardsRunner::Result dryRun(const QStringList &args) const
    {
        return runner.run(QStringList{"send", logPath, "--dry-run"} + args);
    }
    QStringList cardFiles() const { return QDir(out).entryList(QDir::Files, QDir::Name); }

    CardsRunner runner;
    QString logPath;
    QString out;
};

class UnsentCommand : public UnsentCommandBase, public ::testing::WithParamInterface<UnsentRow>
{
};

QStringList rowsAndCalls(const QString &out)
{
    QStringList rows;
    for (const QString &line : out.split('\n', Qt::SkipEmptyParts))
        rows << line.section(QStringLiteral("  "), 0, 1);
    return rows;
}

TEST_P(UnsentCommand, TakesOnlyTheQsosThatNeedACard)
{
    const UnsentRow &row = GetParam();
    const CardsRunner::Result made = cards(row.args);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(cardFiles(), row.cards);
    const CardsRunner::Result listed = dryRun(row.args);
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(rowsAndCalls(listed.out), row.sendRows);
}

INSTANTIATE_TEST_SUITE_P(
    Queue, UnsentCommand,
    ::testing::Values(
        UnsentRow{"Unsent",
                  {"--unsent"},
                  {"K1AA.jpg", "K1AC.jpg", "K1AG.jpg", "K1AH.jpg"},
                  {"row 1  K1AA", "row 3  K1AC", "row 7  K1AG", "row 8  K1AH"}},
        UnsentRow{"UnsentAndRows", {"--rows", "2-7", "--unsent"}, {"K1AC.jpg", "K1AG.jpg"},
                  {"row 3  K1AC", "row 7  K1AG"}},
        UnsentRow{"UnsentAndCallAndSince", {"--unsent", "--call", "K1AA,K1AB,K1AH", "--since", "20260302"},
                  {"K1AH.jpg"}, {"row 8  K1AH"}},
        UnsentRow{"WithoutUnsentEveryQso",
                  {"--rows", "4-6"},
                  {"K1AD.jpg", "K1AE.jpg", "K1AF.jpg"},
                  {"row 4  K1AD", "row 5  K1AE", "row 6  K1AF"}}),
    [](const auto &info) { return std::string(info.param.name); });

// A journal that cannot be read makes no card at all: better none than a card sent twice.
TEST_F(UnsentCommandBase, UnreadableJournalStopsTheRun)
{
    QFile::remove(runner.dataFile("Sent.adi"));
    ASSERT_TRUE(QDir().mkpath(runner.dataFile("Sent.adi")));
    const CardsRunner::Result made = cards({"--unsent", "--rows", "1-3"});
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_TRUE(made.err.startsWith("kartello cards: Cannot open file " + runner.dataFile("Sent.adi")))
        << made.err.toStdString();
    EXPECT_TRUE(made.err.endsWith("; no card made\n")) << made.err.toStdString();
    EXPECT_EQ(cardFiles(), QStringList());
    const CardsRunner::Result listed = dryRun({"--unsent"});
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_TRUE(listed.err.startsWith("kartello send: Cannot open file ")) << listed.err.toStdString();
    EXPECT_EQ(listed.out, QString());
}

TEST(UnsentHelp, EachCommandOffersUnsent)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    for (const char *command : {"cards", "send"}) {
        const CardsRunner::Result help = runner.run({command, "--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.contains("--unsent")) << command;
    }
}

} // namespace
