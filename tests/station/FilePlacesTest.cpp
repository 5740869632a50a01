#include "FilePlaces.h"

#include "DataFolder.h"
#include "TestNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What lies beside the executable decides the mode.
enum class Beside { WritableSystemFolder, ReadOnlySystemFolder, Nothing, SystemFile };

// "@" in an expected place stands for the temporary root, "~" for HOME below it.
struct PlacesRow
{
    const char *name;
    Beside beside;
    bool earlierTemplate;   // share/kartello/system/ of an installation of an earlier version
    const char *dataHome, *configHome, *cacheHome;   // the XDG variables, "@..." below the root
    FileMode mode;
    const char *dataFolder, *templateFolder, *stateFolder, *batchFolder, *sentJournal,
        *cardFolder, *scratchPicture, *helpPage, *dialogFolder;
    bool notice;   // the window is told why the copy is not portable
};

void PrintTo(const PlacesRow &row, std::ostream *out)
{
    *out << row.name;
}

const PlacesRow kPlacesRows[] = {
    {"portable build folder", Beside::WritableSystemFolder, false, "@/xdg/data", "@/xdg/config",
     "@/xdg/cache", FileMode::Portable, "@/usr/bin/system/", "", "@/usr/bin/",
     "@/usr/bin/BatchJPG/", "@/usr/bin/system/Sent.adi", "", "@/usr/bin/temp.bmp",
     "@/usr/bin/Kartello.html", "@/usr/bin/", false},
    {"portable copy with a read-only data folder", Beside::ReadOnlySystemFolder, false,
     "@/xdg/data", "", "", FileMode::Installed, "@/xdg/data/kartello/system/",
     "@/usr/bin/system/", "~/.config/kartello/", "@/xdg/data/kartello/BatchJPG/",
     "@/xdg/data/kartello/system/Sent.adi", "@/xdg/data/kartello/QSL/",
     "~/.cache/kartello/temp.bmp", "@/usr/share/kartello/Kartello.html", "~/", true},
    {"installed with XDG variables", Beside::Nothing, false, "@/xdg/data", "@/xdg/config/",
     "@/xdg/cache", FileMode::Installed, "@/xdg/data/kartello/system/",
     "@/usr/share/kartello/template/", "@/xdg/config/kartello/", "@/xdg/data/kartello/BatchJPG/",
     "@/xdg/data/kartello/system/Sent.adi", "@/xdg/data/kartello/QSL/",
     "@/xdg/cache/kartello/temp.bmp", "@/usr/share/kartello/Kartello.html", "~/", false},
    {"installed without XDG variables", Beside::Nothing, false, "", "", "", FileMode::Installed,
     "~/.local/share/kartello/system/", "@/usr/share/kartello/template/", "~/.config/kartello/",
     "~/.local/share/kartello/BatchJPG/", "~/.local/share/kartello/system/Sent.adi",
     "~/.local/share/kartello/QSL/", "~/.cache/kartello/temp.bmp",
     "@/usr/share/kartello/Kartello.html", "~/", false},
    {"installed with relative XDG variables", Beside::Nothing, false, "data", "./config", "cache",
     FileMode::Installed, "~/.local/share/kartello/system/", "@/usr/share/kartello/template/",
     "~/.config/kartello/", "~/.local/share/kartello/BatchJPG/",
     "~/.local/share/kartello/system/Sent.adi", "~/.local/share/kartello/QSL/",
     "~/.cache/kartello/temp.bmp", "@/usr/share/kartello/Kartello.html", "~/", false},
    {"a file named system is no data folder", Beside::SystemFile, false, "@/xdg/data", "", "",
     FileMode::Installed, "@/xdg/data/kartello/system/", "@/usr/share/kartello/template/",
     "~/.config/kartello/", "@/xdg/data/kartello/BatchJPG/",
     "@/xdg/data/kartello/system/Sent.adi", "@/xdg/data/kartello/QSL/",
     "~/.cache/kartello/temp.bmp", "@/usr/share/kartello/Kartello.html", "~/", false},
    {"installed by an earlier version", Beside::Nothing, true, "@/xdg/data", "", "",
     FileMode::Installed, "@/xdg/data/kartello/system/", "@/usr/share/kartello/system/",
     "~/.config/kartello/", "@/xdg/data/kartello/BatchJPG/",
     "@/xdg/data/kartello/system/Sent.adi", "@/xdg/data/kartello/QSL/",
     "~/.cache/kartello/temp.bmp", "@/usr/share/kartello/Kartello.html", "~/", false},
    // cmake --install --prefix ~/.local of an earlier version: its template was the data folder.
    {"installed into the data home by an earlier version", Beside::Nothing, true, "@/usr/share",
     "", "", FileMode::Installed, "@/usr/share/kartello/system/", "", "~/.config/kartello/",
     "@/usr/share/kartello/BatchJPG/", "@/usr/share/kartello/system/Sent.adi",
     "@/usr/share/kartello/QSL/", "~/.cache/kartello/temp.bmp",
     "@/usr/share/kartello/Kartello.html", "~/", false},
};

// Stands in for the system's writability check, which a root user passes everywhere.
bool g_systemWritable = true;
QStringList g_askedWritable;

bool answerWritable(const QString &folder)
{
    g_askedWritable << folder;
    return g_systemWritable;
}

class FilePlacesFor : public ::testing::TestWithParam<PlacesRow>
{
protected:
    QTemporaryDir root;
    QString at(const char *text) const
    {
        QString s = QString::fromUtf8(text);
        if (s.startsWith(QLatin1Char('@')))
            return root.path() + s.mid(1);
        if (s.startsWith(QLatin1Char('~')))
            return root.path() + QStringLiteral("/home") + s.mid(1);
        return s;
    }
};

TEST_P(FilePlacesFor, ModeAndEveryPlace)
{
    const PlacesRow &row = GetParam();
    const QString exe = root.path() + QStringLiteral("/usr/bin");
    QDir().mkpath(exe);
    const bool systemFolder = row.beside == Beside::WritableSystemFolder
                              || row.beside == Beside::ReadOnlySystemFolder;
    if (systemFolder)
        QDir().mkpath(exe + QStringLiteral("/system"));
    if (row.beside == Beside::SystemFile)
        putFile(exe + QStringLiteral("/system"), "not a folder");
    if (row.earlierTemplate)
        putFile(root.path() + QStringLiteral("/usr/share/kartello/system/Freq.txt"), "14.074\r\n");
    XdgEnvironment env;
    env.home = root.path() + QStringLiteral("/home");
    env.dataHome = at(row.dataHome);
    env.configHome = at(row.configHome);
    env.cacheHome = at(row.cacheHome);
    g_systemWritable = row.beside != Beside::ReadOnlySystemFolder;
    g_askedWritable.clear();

    const FilePlaces p = filePlacesFor(exe, env, answerWritable);
    EXPECT_EQ(systemFolder ? QStringList{exe + QStringLiteral("/system/")} : QStringList(),
              g_askedWritable);
    EXPECT_EQ(fileModeName(row.mode), fileModeName(p.mode));
    EXPECT_EQ(exe + QLatin1Char('/'), p.executableFolder);
    EXPECT_EQ(at(row.dataFolder), p.dataFolder);
    EXPECT_EQ(at(row.templateFolder), p.templateFolder);
    EXPECT_EQ(at(row.stateFolder), p.stateFolder);
    EXPECT_EQ(at(row.batchFolder), p.batchFolder);
    EXPECT_EQ(at(row.sentJournal), p.sentJournal);
    EXPECT_EQ(at(row.cardFolder), p.defaultCardFolder);
    EXPECT_EQ(at(row.scratchPicture), p.scratchPicture);
    EXPECT_EQ(at(row.helpPage), p.helpPage);
    EXPECT_EQ(at(row.dialogFolder), p.dialogFolder);
    if (row.notice) {
        EXPECT_TRUE(p.notice.contains(exe + QStringLiteral("/system/, is read-only")))
            << p.notice.toStdString();
        EXPECT_TRUE(p.notice.contains(p.dataFolder)) << p.notice.toStdString();
    } else {
        EXPECT_EQ(QString(), p.notice);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, FilePlacesFor, ::testing::ValuesIn(kPlacesRows),
                         [](const auto &info) { return testName(info.param.name); });

// ---- Filling the operator's data folder from the installed template ----

struct FillRow
{
    const char *name;
    const char *operatorPrefs;   // the operator's "prefs.txt", nullptr: none yet
    const char *operatorLfile;   // the operator's "lfile.qec", nullptr: none yet
    QStringList copied;
    QByteArray prefsAfter;
    QByteArray lfileAfter;       // "@" stands for the default card folder
};

void PrintTo(const FillRow &row, std::ostream *out)
{
    *out << row.name;
}

const FillRow kFillRows[] = {
    {"first start copies everything", nullptr, nullptr, {"Mode.txt", "lfile.qec", "prefs.txt"},
     "shipped prefs\r\n", "@\r\n"},
    {"an edited file is kept", "my prefs\r\n", nullptr, {"Mode.txt", "lfile.qec"},
     "my prefs\r\n", "@\r\n"},
    {"the operator's card folder is kept", nullptr, "/home/op/cards/\r\n",
     {"Mode.txt", "prefs.txt"}, "shipped prefs\r\n", "/home/op/cards/\r\n"},
    {"an emptied file is kept", "", "", {"Mode.txt"}, "", ""},
};

class FillDataFolder : public ::testing::TestWithParam<FillRow>
{
};

TEST_P(FillDataFolder, CopiesOnlyWhatIsMissing)
{
    const FillRow &row = GetParam();
    QTemporaryDir root;
    FilePlaces p;
    p.mode = FileMode::Installed;
    p.templateFolder = root.path() + QStringLiteral("/share/kartello/system/");
    p.dataFolder = root.path() + QStringLiteral("/data/kartello/system/");
    p.defaultCardFolder = root.path() + QStringLiteral("/data/kartello/QSL/");
    putFile(p.templateFolder + "prefs.txt", "shipped prefs\r\n");
    putFile(p.templateFolder + "lfile.qec", "~/QSL/\r\n");
    putFile(p.templateFolder + "Mode.txt", "SSB\r\nCW\r\n");
    if (row.operatorPrefs)
        putFile(p.dataFolder + "prefs.txt", row.operatorPrefs);
    if (row.operatorLfile)
        putFile(p.dataFolder + "lfile.qec", row.operatorLfile);

    EXPECT_EQ(row.copied, fillDataFolder(p));
    EXPECT_EQ(row.prefsAfter, bytesOf(p.dataFolder + "prefs.txt"));
    QByteArray lfile = row.lfileAfter;
    lfile.replace("@", p.defaultCardFolder.toUtf8());
    EXPECT_EQ(lfile, bytesOf(p.dataFolder + "lfile.qec"));
    EXPECT_EQ(QByteArray("SSB\r\nCW\r\n"), bytesOf(p.dataFolder + "Mode.txt"));
    // A second start finds everything in place.
    EXPECT_EQ(QStringList(), fillDataFolder(p));
}

INSTANTIATE_TEST_SUITE_P(Template, FillDataFolder, ::testing::ValuesIn(kFillRows),
                         [](const auto &info) { return testName(info.param.name); });

// ---- The places of this run, as the data folder functions use them ----

// Points the run at an executable folder and the XDG variables at temporary folders, and puts
// everything back afterwards.
class RunPlaces : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QString exe = root.path() + QStringLiteral("/prefix/bin/");
    void SetUp() override
    {
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            saved << qgetenv(name);
        qputenv("XDG_DATA_HOME", (root.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8());
        qputenv("XDG_CACHE_HOME", (root.path() + "/cache").toUtf8());
        QDir().mkpath(exe);
        putFile(root.path() + "/prefix/share/kartello/template/Freq.txt", "14.074\r\n");
        putFile(root.path() + "/prefix/share/kartello/template/lfile.qec", "~/QSL/\r\n");
    }
    void TearDown() override
    {
        setWritableFolderCheck(nullptr);
        setExecutableFolder(QString());
        const char *names[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};
        for (int i = 0; i < 3; ++i) {
            if (saved[i].isEmpty())
                qunsetenv(names[i]);
            else
                qputenv(names[i], saved[i]);
        }
    }
    QList<QByteArray> saved;
};

TEST_F(RunPlaces, InstalledCopyFillsAndUsesTheOperatorsFolders)
{
    setExecutableFolder(exe);
    EXPECT_EQ(root.path() + "/data/kartello/system/Freq.txt", dataFilePath("Freq.txt"));
    EXPECT_EQ(QByteArray("14.074\r\n"), bytesOf(dataFilePath("Freq.txt")));
    EXPECT_EQ(root.path() + "/data/kartello/QSL/", cardFolder());
    EXPECT_TRUE(QDir(root.path() + "/config/kartello").exists());
    EXPECT_TRUE(QDir(root.path() + "/cache/kartello").exists());
    EXPECT_FALSE(QDir(exe + "system").exists());
}

TEST_F(RunPlaces, WritableSystemFolderKeepsEverythingBesideTheExecutable)
{
    QDir().mkpath(exe + "system");
    putFile(exe + "system/Freq.txt", "7.074\r\n");
    setExecutableFolder(exe);
    EXPECT_EQ(exe + "system/Freq.txt", dataFilePath("Freq.txt"));
    EXPECT_EQ(QByteArray("7.074\r\n"), bytesOf(dataFilePath("Freq.txt")));
    EXPECT_FALSE(QDir(root.path() + "/data").exists());
    EXPECT_FALSE(QDir(root.path() + "/config").exists());
}

bool neverWritable(const QString &)
{
    return false;
}

// A portable copy on a read-only medium: its data fills the operator's data folder, which is
// then used and written, and the copy itself stays as it was.
TEST_F(RunPlaces, ReadOnlyPortableCopyFillsTheOperatorsFolderFromItsOwnData)
{
    putFile(exe + "system/Freq.txt", "7.074\r\n");
    putFile(exe + "system/dfile.qec", "OZ1AB\r\n");
    setWritableFolderCheck(neverWritable);
    setExecutableFolder(exe);
    EXPECT_EQ(root.path() + "/data/kartello/system/Freq.txt", dataFilePath("Freq.txt"));
    EXPECT_EQ(QByteArray("7.074\r\n"), bytesOf(dataFilePath("Freq.txt")));
    EXPECT_EQ(QByteArray("OZ1AB\r\n"), bytesOf(dataFilePath("dfile.qec")));
    EXPECT_EQ(root.path() + "/data/kartello/system/Sent.adi", filePlaces().sentJournal);
    EXPECT_FALSE(filePlaces().notice.isEmpty());
    saveLines(dataFilePath("Freq.txt"), {"3.573"});
    EXPECT_EQ(QByteArray("7.074\r\n"), bytesOf(exe + "system/Freq.txt"));
    EXPECT_EQ(QStringList({"Freq.txt", "dfile.qec"}), QDir(exe + "system").entryList(QDir::Files, QDir::Name));
}

} // namespace
