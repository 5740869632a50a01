// CardsRun with a painter of its own: what the run does when a card cannot be drawn.
#include "CardsRun.h"
#include "CardsRunner.h"
#include "KartelloError.h"
#include "ListRow.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <csignal>
#include <sys/resource.h>

namespace {

// Plain one-colour cards; the call signs in `failing` cannot be drawn. beforeCard runs before
// each card with the number of cards drawn so far.
class PlainPainter : public CardPainter
{
public:
    QStringList failing;
    int painted = 0;
    std::function<void(int)> beforeCard;
    QString defaultPower() const override { return QStringLiteral("5W"); }
    QImage paintCard(const QString &row, QsoRecord &filled) override
    {
        if (beforeCard)
            beforeCard(painted);
        ++painted;
        const QsoRecord qso = parseListRow(row);
        if (failing.contains(qso.callSign))
            throw KartelloError(QStringLiteral("List index out of bounds (3)"));
        filled = qso;
        filled.callSign = qso.callSign.toUpper();
        filled.email.clear();
        QImage card(511, 280, QImage::Format_RGB32);
        card.fill(QColor(20, 40, 60));
        return card;
    }
};

TEST(CardsRun, CardThatCannotBeDrawnIsReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.adi");
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(generatedLog(3));
    file.close();
    CardsOptions options;
    options.logs = {log};
    options.outFolder = dir.filePath("out");
    PlainPainter painter;
    painter.failing = {"K1AB"};
    QByteArray said;
    QBuffer sink(&said);
    sink.open(QIODevice::WriteOnly);
    QTextStream err(&sink);
    const CardsOutcome outcome = CardsRun(options, painter, err, false).run();
    EXPECT_EQ(outcome.selected, 3);
    EXPECT_EQ(outcome.written, 2);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(exitStatus(outcome), 1);
    EXPECT_TRUE(QString::fromUtf8(said).contains(
        "kartello cards: row 2 of " + log + ": List index out of bounds (3)"))
        << said.toStdString();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList({"*.jpg"}, QDir::Files, QDir::Name),
              (QStringList{"K1AA.jpg", "K1AC.jpg"}));
}

// A run in a temporary folder: the log, the options and what the run said.
struct RunInFolder {
    QTemporaryDir dir;
    QString log = dir.filePath("log.adi");
    QString out = dir.filePath("out/");
    CardsOptions options;
    PlainPainter painter;
    QByteArray said;
    CardsOutcome outcome;

    explicit RunInFolder(const QByteArray &adif)
    {
        QFile file(log);
        if (file.open(QIODevice::WriteOnly))
            file.write(adif);
        options.logs = {log};
        options.outFolder = out;
        options.jobs = 1;
    }
    int run()
    {
        QBuffer sink(&said);
        sink.open(QIODevice::WriteOnly);
        QTextStream err(&sink);
        outcome = CardsRun(options, painter, err, false).run();
        return exitStatus(outcome);
    }
    int linesSaying(const QString &part) const
    {
        int count = 0;
        for (const QString &line : QString::fromUtf8(said).split('\n'))
            count += line.contains(part) ? 1 : 0;
        return count;
    }
};

// A failure that every later card would repeat ends the run at once with one message.
struct RunWideCase {
    const char *name;
    void (*arrange)(RunInFolder &run);
    const char *message;   // the one line that names the failure
    int mostPainted;       // cards drawn at most before the run ends
};

void PrintTo(const RunWideCase &c, std::ostream *os) { *os << c.name; }

class RunWideFailures : public ::testing::TestWithParam<RunWideCase> {};

TEST_P(RunWideFailures, EndTheRunWithOneMessage)
{
    RunInFolder run(generatedLog(200));
    GetParam().arrange(run);
    EXPECT_EQ(run.run(), 1);
    EXPECT_EQ(run.linesSaying(GetParam().message), 1) << run.said.toStdString();
    EXPECT_LE(run.linesSaying("Cannot create file"), 1) << run.said.toStdString();
    EXPECT_LE(run.painter.painted, GetParam().mostPainted);
}

INSTANTIATE_TEST_SUITE_P(
    CardsRun, RunWideFailures,
    ::testing::Values(
        RunWideCase{"OutFolderUnderAFile",
                    [](RunInFolder &run) { run.options.outFolder = run.log + "/out"; },
                    "Not a directory; no card made", 0},
        RunWideCase{"PdfThatCannotBeWritten",
                    [](RunInFolder &run) {
                        run.options.format = CardFormat::Pdf;
                        QDir().mkpath(run.out + "log.pdf");
                    },
                    "run stopped, every later card would fail the same way", 60},
        RunWideCase{"OutFolderGoneMidRun",
                    [](RunInFolder &run) {
                        const QString out = run.out;
                        run.painter.beforeCard = [out](int painted) {
                            if (painted == 3)
                                QDir(out).removeRecursively();
                        };
                    },
                    "run stopped, every later card would fail the same way", 60}),
    [](const ::testing::TestParamInfo<RunWideCase> &info) { return std::string(info.param.name); });

// A card that fails on its own (a name too long for the file system) is said once and the run
// goes on.
TEST(CardsRun, CardOfItsOwnFailsOnceAndTheRunGoesOn)
{
    const QString longCall = QString(300, QLatin1Char('W'));
    RunInFolder run(generatedLog(2)
                    + adifRecord(longCall, "20260301", "1200", "7.1", "CW", "5", "599"));
    EXPECT_EQ(run.run(), 1);
    EXPECT_EQ(run.linesSaying(longCall), 1) << run.said.toStdString();
    EXPECT_EQ(run.linesSaying("run stopped"), 0) << run.said.toStdString();
    EXPECT_EQ(run.outcome.written, 2);
    EXPECT_EQ(run.painter.painted, 3);
}

// Selections that give no card say why, and no output folder appears for them.
struct NoCardCase {
    const char *name;
    void (*arrange)(RunInFolder &run);
    const char *message;
    int status;
};

void PrintTo(const NoCardCase &c, std::ostream *os) { *os << c.name; }

class RunsWithoutCards : public ::testing::TestWithParam<NoCardCase> {};

TEST_P(RunsWithoutCards, SayWhyAndLeaveNoFolder)
{
    RunInFolder run(generatedLog(3));
    GetParam().arrange(run);
    EXPECT_EQ(run.run(), GetParam().status);
    EXPECT_EQ(run.linesSaying(GetParam().message), 1) << run.said.toStdString();
    EXPECT_FALSE(QDir(run.out).exists());
}

INSTANTIATE_TEST_SUITE_P(
    CardsRun, RunsWithoutCards,
    ::testing::Values(
        NoCardCase{"CallNotInTheLog",
                   [](RunInFolder &run) { run.options.selection.callSigns = {"ZZ9ZZ"}; },
                   "kartello cards: no QSO matches the selection; no card made", 0},
        NoCardCase{"RowsBeyondTheLog",
                   [](RunInFolder &run) { run.options.selection.rows = *RowSelection::parse("9-"); },
                   "kartello cards: no QSO matches the selection; no card made", 0},
        NoCardCase{"LogWithoutQsos",
                   [](RunInFolder &run) { run.options.logs = {run.dir.filePath("empty.adi")};
                                          QFile f(run.options.logs[0]);
                                          f.open(QIODevice::WriteOnly); },
                   "kartello cards: no QSO with a call sign in the logs; no card made", 0},
        NoCardCase{"MissingLogSaysWhy",
                   [](RunInFolder &run) { run.options.logs = {run.dir.filePath("gone.adi")}; },
                   "gone.adi: No such file or directory", 1}),
    [](const ::testing::TestParamInfo<NoCardCase> &info) { return std::string(info.param.name); });

// A folder that takes no more bytes (a full disk; here a file-size limit, which a root user
// meets too) refuses the run with the system's own reason.
TEST(CardsRun, FolderThatTakesNoMoreBytesSaysTheSystemsReason)
{
    RunInFolder run(generatedLog(3));
    ASSERT_TRUE(QDir().mkpath(run.out));
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 16 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const int status = run.run();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(run.linesSaying("kartello cards: Cannot create file " + run.out + ".kartello-"), 1)
        << run.said.toStdString();
    EXPECT_EQ(run.linesSaying(": File too large; no card made"), 1) << run.said.toStdString();
    EXPECT_EQ(QDir(run.out).entryList(QDir::Files | QDir::Hidden), QStringList()) << "the probe is left behind";
}

} // namespace
