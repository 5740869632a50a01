// SIGHUP, Ctrl-C or SIGTERM during `kartello cards`: the run stops between two cards and every file it leaves is
// whole.
#include "CardsRunner.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

struct InterruptCase {
    const char *name;
    const char *format;
    const char *signalName;
    int signal;
    int status;
};

class CardsInterrupt : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(CardsInterrupt, StopsBetweenCardsLeavingOnlyWholeFiles)
{
    const InterruptCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    constexpr int Records = 3000;
    const QString log = runner.writeFile("long.adi", generatedLog(Records));
    const QString out = runner.folder() + "out/";
    QProcess process;
    process.start(runner.programPath(), {"cards", log, "--format", c.format, "--out", out});
    ASSERT_TRUE(process.waitForStarted());
    // Once the first contact info file is there, the run is in the middle of its cards.
    while (QDir(out).entryList({"*_info.txt"}, QDir::Files).isEmpty()
           && process.state() == QProcess::Running)
        process.waitForFinished(5);
    ASSERT_EQ(process.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(process.processId()), c.signal);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), c.status);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(err.contains("stopped after")) << err.toStdString();

    const QStringList infos = QDir(out).entryList({"*_info.txt"}, QDir::Files);
    const QStringList all = QDir(out).entryList(QDir::Files | QDir::Hidden);
    EXPECT_LT(infos.size(), Records);
    if (QString(c.format) == "pdf") {
        // An unfinished book is not put in place: no PDF at all, no leftover.
        EXPECT_EQ(all.size(), infos.size()) << all.join(' ').toStdString();
        return;
    }
    const QStringList pictures = QDir(out).entryList({QString("*.") + c.format}, QDir::Files);
    EXPECT_EQ(pictures.size(), infos.size());
    EXPECT_EQ(all.size(), pictures.size() + infos.size()) << "a temporary file was left";
    for (const QString &name : pictures)
        EXPECT_EQ(QImage(out + name).size(), QSize(511, 280)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Signals, CardsInterrupt,
    ::testing::Values(InterruptCase{"JpgCtrlC", "jpg", "INT", SIGINT, 130},
                      InterruptCase{"PngTerm", "png", "TERM", SIGTERM, 143},
                      InterruptCase{"GifHangup", "gif", "HUP", SIGHUP, 129},
                      InterruptCase{"PdfCtrlC", "pdf", "INT", SIGINT, 130},
                      InterruptCase{"PdfHangup", "pdf", "HUP", SIGHUP, 129}),
    [](const ::testing::TestParamInfo<InterruptCase> &info) { return std::string(info.param.name); });

} // namespace
