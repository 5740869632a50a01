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
    {"share/kartello/system/dfile.qec"},
    {"share/kartello/system/lfile.qec"},
    {"share/kartello/system/smtp.onl"},
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
    EXPECT_EQ(true, paths.out.contains("template:         " + at("share/kartello/system/") + "\n"))
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

} // namespace
