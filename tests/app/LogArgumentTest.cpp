#include "LogArgument.h"

#include "AdifPanelFixture.h"
#include "ProgramIcon.h"
#include "QtPrinters.h"
#include "TestNames.h"
#include "cli/CommandLine.h"

#include <QDir>

#include <ostream>

namespace {

// ---- Which word after "kartello" is a log ----

struct ArgumentRow
{
    const char *argument;
    bool existingFile;   // the test makes a file of that name first
    bool isLog;
};

void PrintTo(const ArgumentRow &row, std::ostream *out)
{
    *out << row.argument;
}

const ArgumentRow kArgumentRows[] = {
    {"contest.adi", false, true},
    {"Contest.ADIF", false, true},
    {"dir.with.dots/log.Adi", false, true},
    {"exported-log", true, true},
    {"cards", false, false},
    {"rowz", false, false},
    {"log.adx", false, false},
    {"-platform", false, false},
    {"--help", false, false},
    {"", false, false},
};

class LogArgumentWord : public ::testing::TestWithParam<ArgumentRow>
{
};

TEST_P(LogArgumentWord, IsALogOrNot)
{
    const ArgumentRow &row = GetParam();
    QTemporaryDir dir;
    QString argument = QString::fromUtf8(row.argument);
    if (row.existingFile) {
        argument = dir.filePath(argument);
        QFile file(argument);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(row.isLog, isLogArgument(argument));
}

INSTANTIATE_TEST_SUITE_P(Words, LogArgumentWord, ::testing::ValuesIn(kArgumentRows),
                         [](const auto &info) { return testName(info.param.argument); });

TEST(LogArgument, FirstLogAmongTheArgumentsOpens)
{
    EXPECT_EQ(QString("b.adi"), logArgument({"-x", "b.adi", "c.adif"}));
    EXPECT_EQ(QString(), logArgument({"-platform", "offscreen"}));
    EXPECT_EQ(QString(), logArgument({}));
}

// A log named on the command line opens the window; a mistyped command is still refused.
TEST(LogArgument, CommandLineLeavesALogToTheWindow)
{
    QByteArray program("kartello"), log("/home/op/contest.adi"), typo("rowz");
    char *withLog[] = {program.data(), log.data(), nullptr};
    int argc = 2;
    EXPECT_FALSE(runSubcommand(argc, withLog).has_value());
    char *withTypo[] = {program.data(), typo.data(), nullptr};
    argc = 2;
    EXPECT_EQ(std::optional<int>(2), runSubcommand(argc, withTypo));
}

// ---- The window started with a log ----

class WindowWithLog : public AdifPanelFixture
{
};

TEST_F(WindowWithLog, LogLoadsIntoTheOpenPanel)
{
    writeLog("field day.adi", "<eoh><call:4>K1AB <freq:3>7.1 <eor><call:4>W1AW <freq:2>14 <eor>");
    // A relative path, as a shell passes it, from the folder the program was started in.
    const QString started = QDir::currentPath();
    QDir::setCurrent(dir.path());
    openLogInWindow(*form, QStringLiteral("field day.adi"));
    QDir::setCurrent(started);
    waitForLoad();
    EXPECT_FALSE(form->control("BatchPrint1")->isHidden());
    EXPECT_EQ(QStringList({"  K1AB, , , 7.100, , , ", "  W1AW, , , 14.000, , , "}), adif().rows().rows());
    EXPECT_EQ(std::string("field day.adi: 2 rows added, no records skipped"), progress().toStdString());
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
}

TEST_F(WindowWithLog, MissingLogIsReportedAndTheWindowStays)
{
    openLogInWindow(*form, dir.path() + "/gone.adi");
    EXPECT_EQ(QStringList{"Cannot open file " + dir.path() + "/gone.adi"}, dialogs.texts("error"));
    EXPECT_FALSE(adif().isBusy());
    EXPECT_EQ(0, adif().rows().rowCount());
}

// ---- The window's icon ----

TEST(ProgramIcon, CarriesTheDesktopSizes)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {48, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(size, size);
        EXPECT_EQ(QSize(size, size), pixmap.size()) << size;
        // The card's blue call band, right of its white name stripe.
        const QColor band = pixmap.toImage().pixelColor(size * 171 / 256, size * 65 / 256);
        EXPECT_EQ(true, band.blue() - band.red() > 80) << size << " " << band.name().toStdString();
    }
}

} // namespace
