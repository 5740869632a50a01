#include "DataFolder.h"
#include "QtPrinters.h"
#include "KartelloError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString errorText(const std::function<void()> &step)
{
    try {
        step();
    } catch (const KartelloError &e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

// The text step gives, worked out as a user without root: a root user may write anywhere, so a
// test run as root makes it in a child process that has become "nobody".
QString asUserWithoutRoot(const std::function<QString()> &step)
{
    if (::geteuid() != 0)
        return step();
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("<no pipe>");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0
            || ::setresuid(nobody, nobody, nobody) != 0)
            ::_exit(2);
        const QByteArray text = step().toUtf8();
        const bool whole = ::write(channel[1], text.constData(), size_t(text.size())) == text.size();
        ::_exit(whole ? 0 : 3);
    }
    ::close(channel[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    ::close(channel[0]);
    int status = -1;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("<child ended with %1>").arg(status);
    return QString::fromUtf8(text);
}

// A data folder in a temporary executable folder, for the tests that need one.
struct TempInstall {
    QTemporaryDir dir;
    TempInstall()
    {
        QDir(dir.path()).mkpath(QStringLiteral("system"));
        setExecutableFolder(dir.path());
    }
    ~TempInstall() { setExecutableFolder(QString()); }
    QString exe() const { return dir.path() + QLatin1Char('/'); }
};

} // namespace

TEST(DataFolder, SplitLinesAcceptsEveryLineEnd)
{
    struct Row { QByteArray bytes; QStringList lines; };
    const Row rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\nb\r\n", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"\xc3\xa4\xc3\xb6\r\n", {QString::fromUtf8("\xc3\xa4\xc3\xb6")}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.lines, splitLines(row.bytes)) << row.bytes.toStdString();
}

TEST(DataFolder, SaveEndsEveryLineWithCrLfAndRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dfile.qec"));
    const QStringList lines{"K1ABC", "", "Main St", QString::fromUtf8("M\xc3\xbcnchen"), ""};
    saveLines(path, lines);
    EXPECT_EQ(QByteArray("K1ABC\r\n\r\nMain St\r\nM\xc3\xbcnchen\r\n\r\n"), readBytes(path));
    EXPECT_EQ(lines, loadLines(path));
    saveLines(path, {});
    EXPECT_EQ(QByteArray(), readBytes(path));
}

TEST(DataFolder, FailuresCarryTheirTexts)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Info.txt"));
    const QString noFolder = dir.filePath(QStringLiteral("gone/prefs.txt"));
    const QStringList six{"1", "2", "3", "4", "5", "6"};
    struct Row { std::function<void()> step; QString text; };
    const Row rows[] = {
        {[&] { loadLines(missing); }, "Cannot open file " + missing},
        {[&] { saveLines(noFolder, {"x"}); },
         "Cannot create file " + noFolder + "\nNo such file or directory"},
        {[&] { lineAt(six, 6); }, "List index out of bounds (6)"},
        {[&] { lineAt({}, 0); }, "List index out of bounds (0)"},
        {[&] { lineToInt("12a"); }, "'12a' is not a valid integer value"},
        {[&] { lineToInt(""); }, "'' is not a valid integer value"},
        {[&] { lineToInt(" 7"); }, "' 7' is not a valid integer value"},
        {[&] { lineToInt("+7"); }, "'+7' is not a valid integer value"},
        {[&] { lineToInt("99999999999"); }, "'99999999999' is not a valid integer value"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.text, errorText(row.step));
    EXPECT_EQ(QStringLiteral("6"), lineAt(six, 5));
    EXPECT_EQ(-7, lineToInt("-7"));
    EXPECT_EQ(0, lineToInt("0"));
}

TEST(DataFolder, FailedWriteLeavesThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prefs.txt"));
    writeBytes(path, "1\r\n2\r\n");
    // A file-size limit makes the write itself fail half-way (also for root, unlike a
    // read-only folder).
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const QStringList big(500, QStringLiteral("12345678"));
    const QString text = errorText([&] { saveLines(path, big); });
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ("Cannot create file " + path + "\nFile too large", text);
    EXPECT_EQ(QByteArray("1\r\n2\r\n"), readBytes(path));
    EXPECT_EQ(QStringList{path}, QDir(dir.path()).entryList(QDir::Files).replaceInStrings(
                                     QRegularExpression("^"), dir.path() + "/"));
}

// A file the user may not replace, in a folder the user may not write (a copy unpacked by
// another user): the error gives the system's reason, not a text of its own.
TEST(DataFolder, ReadOnlyFolderGivesTheSystemsReason)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("system"));
    const QString path = folder + QStringLiteral("/prefs.txt");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeBytes(path, "1\r\n");
    const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readable | enterable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, readable | enterable));
    ASSERT_TRUE(QFile::setPermissions(path, readable));
    const QString text = asUserWithoutRoot([&] { return errorText([&] { saveLines(path, {"2"}); }); });
    QFile::setPermissions(folder, readable | enterable | QFile::WriteOwner);
    EXPECT_EQ("Cannot create file " + path + "\nPermission denied", text);
    EXPECT_EQ(QByteArray("1\r\n"), readBytes(path));
}

TEST(DataFolder, PathsAndFolderParts)
{
    TempInstall install;
    EXPECT_EQ(install.exe() + "system/Freq.txt", dataFilePath(QStringLiteral("Freq.txt")));
    struct Row { QString path, folder; };
    const Row rows[] = {
        {"/out/card.jpg", "/out/"}, {"/out/", "/out/"}, {"card.jpg", ""}, {"/a/b/c.gif", "/a/b/"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.folder, folderPart(row.path)) << row.path.toStdString();
}

TEST(DataFolder, SavedPictureFolderBecomesTheCardFolder)
{
    TempInstall install;
    const QString out = install.exe() + "Out/";
    QDir().mkpath(out);
    setCardFolderFromFile(out + "card.jpg");
    EXPECT_EQ(QByteArray((out + "\r\n").toUtf8()), readBytes(dataFilePath("lfile.qec")));
    EXPECT_EQ(out, cardFolder());
}

TEST(DataFolder, CardFolderInHomeIsExpandedAndCreated)
{
    TempInstall install;
    const QString oldHome = qEnvironmentVariable("HOME");
    qputenv("HOME", install.dir.path().toUtf8());
    saveLines(dataFilePath("lfile.qec"), {"~/QSL/"});
    const QString folder = cardFolder();
    qputenv("HOME", oldHome.toUtf8());
    EXPECT_EQ(install.exe() + "QSL/", folder);
    EXPECT_TRUE(QDir(folder).exists());

    saveLines(dataFilePath("lfile.qec"), {""});
    EXPECT_EQ(QString(), cardFolder());
    saveLines(dataFilePath("lfile.qec"), {});
    EXPECT_EQ(QStringLiteral("List index out of bounds (0)"), errorText([] { cardFolder(); }));
}

// The data folder delivered with the program must load without any of the failures above.
TEST(DataFolder, ShippedDataFolderIsComplete)
{
    const QString shipped = QStringLiteral(KARTELLO_SOURCE_DIR "/data/system/");
    struct Row { const char *name; int minLines; int maxLines; };
    const Row rows[] = {
        {"prefs.txt", 88, 88}, {"dfile.qec", 8, 8}, {"gfile.qec", 1, 1}, {"lfile.qec", 1, 1},
        {"Freq.txt", 14, 14}, {"Mode.txt", 8, 8}, {"Power.txt", 9, 9}, {"Signal.txt", 16, 16},
        {"Info.txt", 7, 7}, {"smtp.onl", 3, 3},
    };
    for (const Row &row : rows) {
        const QStringList lines = loadLines(shipped + row.name);
        EXPECT_GE(lines.size(), row.minLines) << row.name;
        EXPECT_LE(lines.size(), row.maxLines) << row.name;
    }
    const QStringList prefs = loadLines(shipped + "prefs.txt");
    const int alCallSign[4] = {8, -7, 77, 224};   // Left, Top, Height, Width
    const int alPseLoTW[4] = {7, 187, 13, 47};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(alCallSign[i], lineToInt(prefs.at(i)));
        EXPECT_EQ(alPseLoTW[i], lineToInt(prefs.at(84 + i)));
    }
    for (const QString &line : prefs)
        lineToInt(line);
}

namespace {

// A number line of a data file: the whole line must be the number.
struct NumberRow {
    const char *name;
    QString text;
    bool valid;
    int value;
};

void PrintTo(const NumberRow &row, std::ostream *os) { *os << row.name; }

class NumberLines : public ::testing::TestWithParam<NumberRow>
{
};

TEST_P(NumberLines, WholeLineMustBeTheNumber)
{
    const NumberRow &row = GetParam();
    EXPECT_EQ(row.valid, errorText([&] { lineToInt(row.text); })
                                                           == QStringLiteral("<no error>"));
    if (row.valid)
        EXPECT_EQ(row.value, lineToInt(row.text));
    else
        EXPECT_EQ(QStringLiteral("'%1' is not a valid integer value").arg(row.text),
                  errorText([&] { lineToInt(row.text); }));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberLines,
    ::testing::Values(
        NumberRow{"Zero", "0", true, 0}, NumberRow{"Negative", "-7", true, -7},
        NumberRow{"LeadingZeros", "007", true, 7},
        NumberRow{"Largest", "2147483647", true, 2147483647},
        NumberRow{"Smallest", "-2147483648", true, -2147483647 - 1},
        NumberRow{"NulInside", QString::fromLatin1("5\0x", 3), false, 0},
        NumberRow{"NulAtEnd", QString::fromLatin1("5\0", 2), false, 0},
        NumberRow{"NulFirst", QString::fromLatin1("\0" "5", 2), false, 0},
        NumberRow{"TrailingLetter", "5x", false, 0}, NumberRow{"Empty", "", false, 0},
        NumberRow{"MinusOnly", "-", false, 0}, NumberRow{"Plus", "+7", false, 0},
        NumberRow{"Blank", " 7", false, 0}, NumberRow{"TrailingBlank", "7 ", false, 0},
        NumberRow{"Tab", "7\t", false, 0}, NumberRow{"Hex", "0x10", false, 0},
        NumberRow{"ArabicDigits", QString::fromUtf8("\xd9\xa5"), false, 0},
        NumberRow{"FullwidthDigit", QString::fromUtf8("\xef\xbc\x95"), false, 0},
        NumberRow{"Overflow", "2147483648", false, 0},
        NumberRow{"DoubleMinus", "--1", false, 0}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
