// `kartello paths` run as the operator runs it: the built program copied into a folder laid out
// as an installation (prefix/bin beside prefix/share/kartello) or as a portable copy.

#include "TestNames.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

#include <unistd.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

enum class Layout { Installed, InstalledWithOwnFiles, Portable };

struct PathsRow
{
    const char *name;
    Layout layout;
    // The printed lines; "@" stands for the temporary root.
    const char *expected;
};

void PrintTo(const PathsRow &row, std::ostream *out)
{
    *out << row.name;
}

const PathsRow kRows[] = {
    {"installed, first start", Layout::Installed,
     "mode:             installed\n"
     "executable:       @/usr/bin/\n"
     "template:         @/usr/share/kartello/template/\n"
     "data folder:      @/data/kartello/system/\n"
     "data file:        @/data/kartello/system/Freq.txt\n"
     "data file:        @/data/kartello/system/Info.txt\n"
     "data file:        @/data/kartello/system/Mode.txt\n"
     "data file:        @/data/kartello/system/Power.txt\n"
     "data file:        @/data/kartello/system/Signal.txt\n"
     "data file:        @/data/kartello/system/dfile.qec\n"
     "data file:        @/data/kartello/system/gfile.qec\n"
     "data file:        @/data/kartello/system/lfile.qec\n"
     "data file:        @/data/kartello/system/prefs.txt\n"
     "data file:        @/data/kartello/system/smtp.onl\n"
     "state file:       @/config/kartello/Kartello.ini\n"
     "card folder:      @/data/kartello/QSL/\n"
     "batch folder:     @/data/kartello/BatchJPG/\n"
     "sent journal:     @/data/kartello/system/Sent.adi\n"
     "mail template:    @/data/kartello/system/QslMail.txt (none: the usual text)\n"
     "scratch picture:  @/cache/kartello/temp.bmp\n"
     "help page:        @/usr/share/kartello/Kartello.html\n"},
    {"installed, the operator's card folder and an extra file", Layout::InstalledWithOwnFiles,
     "mode:             installed\n"
     "executable:       @/usr/bin/\n"
     "template:         @/usr/share/kartello/template/\n"
     "data folder:      @/data/kartello/system/\n"
     "data file:        @/data/kartello/system/Freq.txt\n"
     "data file:        @/data/kartello/system/Info.txt\n"
     "data file:        @/data/kartello/system/Mode.txt\n"
     "data file:        @/data/kartello/system/Power.txt\n"
     "data file:        @/data/kartello/system/Signal.txt\n"
     "data file:        @/data/kartello/system/dfile.qec\n"
     "data file:        @/data/kartello/system/gfile.qec\n"
     "data file:        @/data/kartello/system/lfile.qec\n"
     "data file:        @/data/kartello/system/prefs.txt\n"
     "data file:        @/data/kartello/system/smtp.onl\n"
     "data file:        @/data/kartello/system/notes.txt\n"
     "state file:       @/config/kartello/Kartello.ini\n"
     "card folder:      @/cards/\n"
     "batch folder:     @/data/kartello/BatchJPG/\n"
     "sent journal:     @/data/kartello/system/Sent.adi\n"
     "mail template:    @/data/kartello/system/QslMail.txt\n"
     "scratch picture:  @/cache/kartello/temp.bmp\n"
     "help page:        @/usr/share/kartello/Kartello.html\n"},
    {"portable, an empty data folder", Layout::Portable,
     "mode:             portable\n"
     "executable:       @/usr/bin/\n"
     "data folder:      @/usr/bin/system/\n"
     "data file:        @/usr/bin/system/Freq.txt (missing)\n"
     "data file:        @/usr/bin/system/Info.txt (missing)\n"
     "data file:        @/usr/bin/system/Mode.txt (missing)\n"
     "data file:        @/usr/bin/system/Power.txt (missing)\n"
     "data file:        @/usr/bin/system/Signal.txt (missing)\n"
     "data file:        @/usr/bin/system/dfile.qec (missing)\n"
     "data file:        @/usr/bin/system/gfile.qec (missing)\n"
     "data file:        @/usr/bin/system/lfile.qec (missing)\n"
     "data file:        @/usr/bin/system/prefs.txt (missing)\n"
     "data file:        @/usr/bin/system/smtp.onl (missing)\n"
     "state file:       @/usr/bin/Kartello.ini\n"
     "card folder:      Cannot open file @/usr/bin/system/lfile.qec\n"
     "batch folder:     @/usr/bin/BatchJPG/\n"
     "sent journal:     @/usr/bin/system/Sent.adi\n"
     "mail template:    @/usr/bin/system/QslMail.txt (none: the usual text)\n"
     "scratch picture:  @/usr/bin/temp.bmp\n"
     "help page:        @/usr/bin/Kartello.html (missing)\n"},
};

class PathsCommand : public ::testing::TestWithParam<PathsRow>
{
protected:
    QTemporaryDir root;
    QString at(const QString &name) const { return root.path() + QLatin1Char('/') + name; }

    // Lays out usr/bin/kartello and, for an installation, usr/share/kartello as installed.
    void layOut(Layout layout)
    {
        ASSERT_TRUE(QDir().mkpath(at("usr/bin")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KARTELLO_EXECUTABLE), at("usr/bin/kartello")));
        QFile::setPermissions(at("usr/bin/kartello"), QFile::permissions(at("usr/bin/kartello")) | QFile::ExeOwner);
        if (layout == Layout::Portable) {
            ASSERT_TRUE(QDir().mkpath(at("usr/bin/system")));
            return;
        }
        const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
        QDir().mkpath(at("usr/share/kartello/template"));
        for (const QString &name : shipped.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), at("usr/share/kartello/template/") + name));
        ASSERT_TRUE(putFile(at("usr/share/kartello/Kartello.html"), "<html></html>"));
        if (layout == Layout::InstalledWithOwnFiles) {
            ASSERT_TRUE(putFile(at("data/kartello/system/lfile.qec"), (at("cards/") + "\r\n").toUtf8()));
            ASSERT_TRUE(putFile(at("data/kartello/system/notes.txt"), "mine\r\n"));
            ASSERT_TRUE(putFile(at("data/kartello/system/QslMail.txt"), "QSL {CALL}\r\n"));
        }
    }

    struct Run
    {
        int status = -1;
        QString out, err;
    };
    // Runs the copy, through launcher (a program and its arguments) when one is given.
    Run run(const QStringList &args, const QStringList &launcher = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", at("home"));
        env.insert("XDG_DATA_HOME", at("data"));
        env.insert("XDG_CONFIG_HOME", at("config"));
        env.insert("XDG_CACHE_HOME", at("cache"));
        process.setProcessEnvironment(env);
        if (launcher.isEmpty())
            process.start(at("usr/bin/kartello"), args);
        else
            process.start(launcher.first(), launcher.mid(1) + QStringList{at("usr/bin/kartello")} + args);
        Run result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
};

TEST_P(PathsCommand, PrintsTheModeAndEveryPlace)
{
    const PathsRow &row = GetParam();
    layOut(row.layout);
    const Run result = run({"paths"});
    EXPECT_EQ(0, result.status);
    EXPECT_EQ(QString::fromUtf8(row.expected).replace("@", root.path()), result.out);
    EXPECT_EQ(QString(), result.err);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PathsCommand, ::testing::ValuesIn(kRows),
                         [](const auto &info) { return testName(info.param.name); });

class PathsOfAnInstallation : public PathsCommand
{
};

// The first start fills the operator's data folder from the template and never writes beside
// the program; the operator's own files stay as they are.
TEST_F(PathsOfAnInstallation, FirstStartFillsTheDataFolderAndKeepsOwnFiles)
{
    layOut(Layout::InstalledWithOwnFiles);
    ASSERT_EQ(0, run({"paths"}).status);
    EXPECT_EQ(bytesOf(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system/dfile.qec")),
              bytesOf(at("data/kartello/system/dfile.qec")));
    EXPECT_EQ((at("cards/") + "\r\n").toUtf8(), bytesOf(at("data/kartello/system/lfile.qec")));
    EXPECT_EQ(QByteArray("mine\r\n"), bytesOf(at("data/kartello/system/notes.txt")));
    EXPECT_EQ(QStringList{"kartello"}, QDir(at("usr/bin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
    EXPECT_TRUE(QDir(at("config/kartello")).exists());
}

TEST_F(PathsOfAnInstallation, WrongCommandLineIsRefused)
{
    layOut(Layout::Installed);
    const Run extra = run({"paths", "more"});
    EXPECT_EQ(2, extra.status);
    EXPECT_EQ(QString("kartello paths: takes no arguments\n"), extra.err);
    const Run option = run({"paths", "--verbose"});
    EXPECT_EQ(2, option.status);
    EXPECT_EQ(QString("kartello paths: unknown option --verbose\nTry 'kartello paths --help' for more information.\n"), option.err);
    const Run help = run({"paths", "--help"});
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(true, help.out.startsWith("Usage: kartello paths [options]\n")) << help.out.toStdString();
}

// The sent journal that `paths` names is the one the commands read: a QSO recorded there counts
// as sent.
TEST_F(PathsOfAnInstallation, NamesTheSentJournalTheCommandsUse)
{
    layOut(Layout::Installed);
    const Run paths = run({"paths"});
    ASSERT_EQ(0, paths.status);
    QString journal;
    for (const QString &line : paths.out.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("sent journal:")))
            journal = line.mid(18);
    ASSERT_TRUE(QDir::isAbsolutePath(journal)) << paths.out.toStdString();
    ASSERT_TRUE(putFile(journal, "Sent\n<adif_ver:5>3.1.4 <eoh>\n<CALL:5>K1ABC <QSO_DATE:8>20260315 "
                                 "<TIME_ON:6>093000 <FREQ:6>14.074 <MODE:3>FT8 <EOR>\n"));
    ASSERT_TRUE(putFile(at("log.adi"), "Log\n<adif_ver:5>3.1.4 <eoh>\n<CALL:5>K1ABC <QSO_DATE:8>20260315 "
                                       "<TIME_ON:6>093000 <FREQ:6>14.074 <MODE:3>FT8 "
                                       "<EMAIL:17>k1abc@example.org <EOR>\n"));
    const Run dry = run({"send", "--dry-run", at("log.adi")});
    EXPECT_EQ(0, dry.status) << dry.err.toStdString();
    EXPECT_TRUE(dry.out.contains("K1ABC") && dry.out.contains("(already sent)"))
        << dry.out.toStdString() << dry.err.toStdString();
}

// A portable copy whose system/ the operator may not write (unpacked by another user, on a
// read-only medium) runs as installed, its own data copied into the operator's data folder.
// Root may write anywhere, so a test run as root starts the copy as the user "nobody".
TEST_F(PathsOfAnInstallation, ReadOnlyPortableCopyRunsAsInstalledFromItsOwnData)
{
    layOut(Layout::Portable);
    ASSERT_TRUE(putFile(at("usr/bin/system/Freq.txt"), "7.074\r\n"));
    QStringList launcher;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "setpriv is not installed: cannot run the copy as a user without root";
        launcher = QStringList{setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        ASSERT_TRUE(QFile::setPermissions(root.path(), open));
        for (const char *folder : {"home", "data", "config", "cache"}) {
            ASSERT_TRUE(QDir().mkpath(at(folder)));
            ASSERT_TRUE(QFile::setPermissions(at(folder), open | QFile::WriteGroup | QFile::WriteOther));
        }
    }
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                          | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(at("usr/bin/system"), readOnly));

    const Run result = run({"paths"}, launcher);
    EXPECT_EQ(0, result.status) << result.err.toStdString();
    const QString out = result.out;
    const QString root = this->root.path();
    EXPECT_TRUE(out.startsWith("mode:             installed (system/ beside the program is read-only)\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains("template:         " + root + "/usr/bin/system/\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("data folder:      " + root + "/data/kartello/system/\n")) << out.toStdString();
    EXPECT_EQ(QByteArray("7.074\r\n"), bytesOf(at("data/kartello/system/Freq.txt")));
    EXPECT_EQ(QStringList{"Freq.txt"}, QDir(at("usr/bin/system")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
    EXPECT_EQ(QString(), result.err);
}

} // namespace
