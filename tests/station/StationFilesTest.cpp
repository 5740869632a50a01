#include "StationFiles.h"

#include "DataFolder.h"
#include "KartelloError.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putFile(const QString &path, const char *bytes)
{
    if (!bytes)
        return;
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString failureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const KartelloError &e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

// ---- "prefs.txt" ----

TEST(PrefsFile, WrittenGeometryReadsBackHeightBeforeWidth)
{
    const std::vector<ElementGeometry> elements{{8, -7, 77, 224}, {7, 247, 14, 106}};
    const QStringList lines = prefsLines(elements);
    EXPECT_EQ((QStringList{"8", "-7", "77", "224", "7", "247", "14", "106"}), lines);
    std::vector<ElementGeometry> read(2);
    readPrefs(lines, 2, [&](int i, GeometryField f, int v) {
        ElementGeometry &g = read[size_t(i)];
        (f == GeometryField::Left ? g.left : f == GeometryField::Top ? g.top
                                          : f == GeometryField::Height ? g.height : g.width) = v;
    });
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(elements[i].left, read[i].left);
        EXPECT_EQ(elements[i].top, read[i].top);
        EXPECT_EQ(elements[i].height, read[i].height);
        EXPECT_EQ(elements[i].width, read[i].width);
    }
}

// A damaged file applies every value before the damage, then fails with its text.
struct PrefsRow {
    const char *name;
    QStringList lines;
    int valuesSet;
    QString error;
};

void PrintTo(const PrefsRow &row, std::ostream *os) { *os << row.name; }

class PrefsReading : public ::testing::TestWithParam<PrefsRow>
{
};

TEST_P(PrefsReading, AppliesUpToTheDamage)
{
    const PrefsRow &row = GetParam();
    int set = 0;
    const QString error = failureOf([&] {
        readPrefs(row.lines, 2, [&](int i, GeometryField f, int v) {
            EXPECT_EQ(set, i * 4 + int(f));
            EXPECT_EQ(row.lines.at(set).toInt(), v);
            ++set;
        });
    });
    EXPECT_EQ(row.valuesSet, set);
    EXPECT_EQ(row.error, error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrefsReading,
    ::testing::Values(
        PrefsRow{"Whole", {"1", "2", "3", "4", "5", "6", "7", "8"}, 8, "<no error>"},
        PrefsRow{"ExtraLinesIgnored", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 8,
                 "<no error>"},
        PrefsRow{"Short", {"1", "2", "3", "4", "5"}, 5, "List index out of bounds (5)"},
        PrefsRow{"Empty", {}, 0, "List index out of bounds (0)"},
        PrefsRow{"BadNumber", {"1", "2", "x3", "4"}, 2, "'x3' is not a valid integer value"}),
    [](const auto &info) { return std::string(info.param.name); });

// Numbers no card can use are kept to what a 511 x 280 card can: no later sum overflows.
struct ExtremeRow {
    const char *name;
    QStringList lines; // left, top, height, width
    ElementGeometry read;
};

void PrintTo(const ExtremeRow &row, std::ostream *os) { *os << row.name; }

class ExtremePrefs : public ::testing::TestWithParam<ExtremeRow>
{
};

TEST_P(ExtremePrefs, AreKeptToTheCard)
{
    ElementGeometry g;
    readPrefs(GetParam().lines, 1, [&](int, GeometryField f, int v) {
        (f == GeometryField::Left ? g.left : f == GeometryField::Top ? g.top
                                          : f == GeometryField::Height ? g.height : g.width) = v;
    });
    EXPECT_EQ(GetParam().read.left, g.left);
    EXPECT_EQ(GetParam().read.top, g.top);
    EXPECT_EQ(GetParam().read.height, g.height);
    EXPECT_EQ(GetParam().read.width, g.width);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtremePrefs,
    ::testing::Values(
        ExtremeRow{"Largest", {"2147483647", "2147483647", "2147483647", "2147483647"},
                   {511, 280, 560, 1022}},
        ExtremeRow{"Smallest", {"-2147483648", "-2147483648", "-2147483648", "-2147483648"},
                   {-511, -280, 0, 0}},
        ExtremeRow{"JustInside", {"-511", "280", "560", "1022"}, {-511, 280, 560, 1022}},
        ExtremeRow{"JustOutside", {"512", "-281", "561", "1023"}, {511, -280, 560, 1022}},
        ExtremeRow{"NegativeSizes", {"3", "4", "-1", "-7"}, {3, 4, 0, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- "dfile.qec" ----

TEST(IdentityFile, EveryFieldIsOneLineEmptyOnesIncluded)
{
    const QStringList texts{"K1ABC", "", "Main St\r\nApt 4", "Town\n", "", "", "", "73"};
    EXPECT_EQ((QStringList{"K1ABC", "", "Main St Apt 4", "Town", "", "", "", "73"}),
              identityLines(texts));
}

TEST(IdentityFile, ReadsEightFieldsAndFailsAtAMissingLine)
{
    struct Row { QStringList lines; int set; QString error; };
    const Row rows[] = {
        {{"a", "b", "c", "d", "e", "f", "g", "h"}, 8, "<no error>"},
        {{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, 8, "<no error>"},
        {{"a", "b", "c", "d", "e"}, 5, "List index out of bounds (5)"},
    };
    for (const Row &row : rows) {
        QStringList got;
        const QString error = failureOf(
            [&] { readIdentity(row.lines, 8, [&](int, const QString &l) { got << l; }); });
        EXPECT_EQ(row.lines.mid(0, row.set), got);
        EXPECT_EQ(row.error, error);
    }
}

// ---- the shutdown rule ----

struct ShutdownRow {
    const char *name;
    const char *before;     // the file at shutdown; nullptr: none
    bool readWhole;         // start-up read it whole
    const char *oldBackup;  // an older NAME.bak; nullptr: none
    FileReadState state;
    const char *backupAfter; // nullptr: no NAME.bak afterwards
};

void PrintTo(const ShutdownRow &row, std::ostream *os) { *os << row.name; }

class ShutdownWrites : public ::testing::TestWithParam<ShutdownRow>
{
};

TEST_P(ShutdownWrites, WriteWholeAndKeepWhatWasThere)
{
    const ShutdownRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dfile.qec"));
    putFile(path, row.before);
    putFile(path + ".bak", row.oldBackup);
    const FileReadState state = readStateOf(path, row.readWhole);
    EXPECT_EQ(row.state, state);
    EXPECT_EQ(row.state == FileReadState::Partial, keepsBackupAtShutdown(state));
    saveAtShutdown(path, {"K1ABC", "Ann"}, state);
    EXPECT_EQ(QByteArray("K1ABC\r\nAnn\r\n"), bytesOf(path));
    EXPECT_EQ(QByteArray(row.backupAfter ? row.backupAfter : "<missing>"), bytesOf(path + ".bak"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShutdownWrites,
    ::testing::Values(
        ShutdownRow{"ReadWhole", "N0CALL\r\nPat\r\n", true, nullptr, FileReadState::Whole, nullptr},
        ShutdownRow{"ReadWholeKeepsOldBackup", "N0CALL\r\n", true, "old", FileReadState::Whole,
                    "old"},
        ShutdownRow{"Missing", nullptr, false, nullptr, FileReadState::Missing, nullptr},
        ShutdownRow{"Partial", "N0CALL\r\nPat\r\n", false, nullptr, FileReadState::Partial,
                    "N0CALL\r\nPat\r\n"},
        ShutdownRow{"PartialReplacesOlderBackup", "J\xfcrgen\r\n", false, "older",
                    FileReadState::Partial, "J\xfcrgen\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ShutdownWrites, FailedBackupLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prefs.txt"));
    putFile(path, "8\r\n");
    // A folder in the backup's place cannot be replaced by a file.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("prefs.txt.bak/inside")));
    EXPECT_EQ("Cannot create file " + path + ".bak",
              failureOf([&] { saveAtShutdown(path, {"1", "2"}, FileReadState::Partial); }));
    EXPECT_EQ(QByteArray("8\r\n"), bytesOf(path));
}

} // namespace
