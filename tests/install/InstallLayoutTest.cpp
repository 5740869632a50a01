// `cmake --install` of this build into a temporary prefix, as a distribution packs it: the GNU
// layout, the desktop files that validate, and an installed kartello that finds its template.

#include "TestNames.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Outcome
{
    int status = -1;
    QString out;
};

Outcome run(const QString &program, const QStringList &args, const QProcessEnvironment &env = {})
{
    QProcess process;
    if (!env.isEmpty())
        process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    Outcome result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    return result;
}

// One prefix for the whole suite: installing takes a moment.
class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        prefix = new QTemporaryDir;
        installRun = new Outcome(run(QStringLiteral(CMAKE_COMMAND),
                                 {"--install", KARTELLO_BINARY_DIR, "--prefix", prefix->path()}));
    }
    static void TearDownTestSuite()
    {
        delete installRun;
        delete prefix;
    }
    static QString at(const QString &name) { return prefix->path() + QLatin1Char('/') + name; }

    static QTemporaryDir *prefix;
    static Outcome *installRun;
};

QTemporaryDir *Installed::prefix = nullptr;
Outcome *Installed::installRun = nullptr;

struct FileRow
{
    const char *path;   // below the prefix
};

void PrintTo(const FileRow &row, std::ostream *out)
{
    *out << row.path;
}

const FileRow kFiles[] = {
    {"bin/kartello"},
    {"share/kartello/template/dfile.qec"},
    {"share/kartello/template/lfile.qec"},
    {"share/kartello/template/smtp.onl"},
    {"share/kartello/Kartello.html"},
    {"share/kartello/interface-panel.png"},
    {"share/applications/org.kartello.Kartello.desktop"},
    {"share/mime/packages/org.kartello.Kartello.xml"},
    {"share/icons/hicolor/scalable/apps/org.kartello.Kartello.svg"},
    {"share/icons/hicolor/48x48/apps/org.kartello.Kartello.png"},
    {"share/icons/hicolor/128x128/apps/org.kartello.Kartello.png"},
    {"share/icons/hicolor/256x256/apps/org.kartello.Kartello.png"},
    {"share/metainfo/org.kartello.Kartello.metainfo.xml"},
    {"share/man/man1/kartello.1.gz"},
    {"share/doc/kartello/copyright"},
};

class InstalledFile : public Installed, public ::testing::WithParamInterface<FileRow>
{
};

TEST_P(InstalledFile, LiesInTheGnuLayout)
{
    ASSERT_EQ(0, installRun->status) << installRun->out.toStdString();
    EXPECT_EQ(true, QFileInfo(at(QString::fromUtf8(GetParam().path))).isFile());
}

INSTANTIATE_TEST_SUITE_P(Layout, InstalledFile, ::testing::ValuesIn(kFiles),
                         [](const auto &info) { return testName(info.param.path); });

TEST_F(Installed, NothingBesideTheProgramAndNoOldLibFolder)
{
    EXPECT_EQ(QStringList{"kartello"}, QDir(at("bin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
    EXPECT_EQ(false, QFileInfo::exists(at("lib/kartello")));
    EXPECT_EQ(false, QFileInfo::exists(at("share/kartello/system")));
}

TEST_F(Installed, ProgramFindsItsTemplateInTheShareFolder)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        env.remove(name);
    const Outcome paths = run(at("bin/kartello"), {"paths"}, env);
    EXPECT_EQ(0, paths.status);
    EXPECT_EQ(true, paths.out.contains("mode:             installed\n")) << paths.out.toStdString();
    EXPECT_EQ(true, paths.out.contains("template:         " + at("share/kartello/template/") + "\n"))
        << paths.out.toStdString();
    EXPECT_EQ(true, paths.out.contains("help page:        " + at("share/kartello/Kartello.html") + "\n"))
        << paths.out.toStdString();
    EXPECT_EQ(true, QFileInfo(home.path() + "/.local/share/kartello/system/prefs.txt").isFile());
}

// The validators of the desktop entry and the AppStream metadata, where they are installed
// (scripts/package.sh requires them).
struct ValidatorRow
{
    const char *program;
    QStringList args;
    const char *file;
};

void PrintTo(const ValidatorRow &row, std::ostream *out)
{
    *out << row.program;
}

const ValidatorRow kValidators[] = {
    {"desktop-file-validate", {}, "share/applications/org.kartello.Kartello.desktop"},
    {"appstreamcli", {"validate", "--no-net"}, "share/metainfo/org.kartello.Kartello.metainfo.xml"},
};

class InstalledValidates : public Installed, public ::testing::WithParamInterface<ValidatorRow>
{
};

TEST_P(InstalledValidates, Passes)
{
    const ValidatorRow &row = GetParam();
    const QString program = QStandardPaths::findExecutable(QString::fromUtf8(row.program));
    if (program.isEmpty())
        GTEST_SKIP() << row.program << " is not installed";
    const Outcome result = run(program, row.args + QStringList{at(QString::fromUtf8(row.file))});
    EXPECT_EQ(0, result.status) << result.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tools, InstalledValidates, ::testing::ValuesIn(kValidators),
                         [](const auto &info) { return testName(info.param.program); });

// `cmake --install build --prefix ~/.local` puts share/kartello into the operator's own data home,
// where the data folder share/kartello/system lives: installing again, once the station data is
// the operator's, must leave every file of it as it is.
TEST(InstallAgain, KeepsTheStationDataOfAnInstallationInTheDataHome)
{
    QTemporaryDir home;
    const QString prefix = home.path() + QStringLiteral("/.local");
    const auto install = [&] {
        return run(QStringLiteral(CMAKE_COMMAND), {"--install", KARTELLO_BINARY_DIR, "--prefix", prefix});
    };
    const Outcome first = install();
    ASSERT_EQ(0, first.status) << first.out.toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        env.remove(name);
    const Outcome paths = run(prefix + "/bin/kartello", {"paths"}, env);
    ASSERT_EQ(0, paths.status) << paths.out.toStdString();
    const QString data = prefix + QStringLiteral("/share/kartello/system/");
    EXPECT_EQ(true, paths.out.contains("data folder:      " + data + "\n")) << paths.out.toStdString();
    EXPECT_EQ(false, paths.out.contains("template:         " + data)) << paths.out.toStdString();

    // The operator's own station, settings and pick lists.
    const char *const names[] = {"dfile.qec", "prefs.txt", "lfile.qec", "smtp.onl", "gfile.qec",
                                 "Freq.txt", "Mode.txt", "Power.txt", "Signal.txt", "Info.txt"};
    for (const char *name : names) {
        QFile file(data + QLatin1String(name));
        ASSERT_EQ(true, file.exists()) << name << " was not filled in from the template";
        ASSERT_EQ(true, file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name;
        file.write(QByteArray("the operator's own ") + name + "\r\n");
    }
    for (int again = 0; again < 2; ++again) {
        const Outcome next = install();
        ASSERT_EQ(0, next.status) << next.out.toStdString();
    }
    ASSERT_EQ(0, run(prefix + "/bin/kartello", {"paths"}, env).status);
    for (const char *name : names) {
        QFile file(data + QLatin1String(name));
        ASSERT_EQ(true, file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(QString("the operator's own ") + name + "\r\n", QString::fromUtf8(file.readAll()))
            << name;
    }
}

} // namespace
