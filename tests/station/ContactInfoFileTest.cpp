#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "KartelloError.h"
#include "QtPrinters.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TempInstall {
    QTemporaryDir dir;
    QString cards = dir.filePath(QStringLiteral("cards/"));
    TempInstall()
    {
        QDir(dir.path()).mkpath(QStringLiteral("system"));
        QDir(dir.path()).mkpath(QStringLiteral("cards"));
        setExecutableFolder(dir.path());
        saveLines(dataFilePath(QStringLiteral("lfile.qec")), {cards});
    }
    ~TempInstall() { setExecutableFolder(QString()); }
};

const QsoRecord kQso{"K1ABC", "4.5.2024", "07:45", "14.074", "FT8", "100W", "-10"};

} // namespace

TEST(ContactInfoFile, CallSignBecomesAFileNamePart)
{
    struct Row { QString callSign, part; };
    const Row rows[] = {
        {"K1ABC", "K1ABC"}, {"K1ABC/P", "K1ABC_P"}, {"DL/K1ABC", "DL_K1ABC"},
        {"VP2E/K1ABC/QRP", "VP2E_K1ABC_QRP"}, {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
        {QStringLiteral("A\tB\nC") + QChar(0x7f) + QChar(0x85), "A_B_C__"}, {"", ""},
        {"K1-ABC.P", "K1-ABC.P"}, {QString::fromUtf8("\xc3\x96K1"), QString::fromUtf8("\xc3\x96K1")},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.part, callSignFilePart(row.callSign)) << row.callSign.toStdString();
}

struct OddCallRow {
    const char *name;
    QString callSign;
    QString part;
};

void PrintTo(const OddCallRow &row, std::ostream *os) { *os << row.name; }

class OddCallSigns : public ::testing::TestWithParam<OddCallRow>
{
};

// Card files are named after the call sign: no name may be hidden, read as an option or
// display as something it is not.
TEST_P(OddCallSigns, GiveNamesAUserCanSee)
{
    EXPECT_EQ(callSignFilePart(GetParam().callSign), GetParam().part);
}

INSTANTIATE_TEST_SUITE_P(ContactInfoFile, OddCallSigns, ::testing::Values(
    OddCallRow{"ParentFolders", "../../x", "___.._x"},
    OddCallRow{"TwoDots", "..", "U+002E_U+002E"},
    OddCallRow{"OneDot", ".", "U+002E"},
    OddCallRow{"OneDash", "-", "U+002D"},
    OddCallRow{"OneStar", "*", "U+002A"},
    OddCallRow{"SlashAndBackslash", "/\\", "U+002F_U+005C"},
    OddCallRow{"ZeroWidthSpaceLeftOut", QStringLiteral("K1\u200BABC"), "K1ABC"},
    OddCallRow{"SoftHyphenLeftOut", QStringLiteral("K1\u00ADABC"), "K1ABC"},
    OddCallRow{"JoinersAndByteOrderMarkLeftOut", QStringLiteral("\uFEFFK1\u200C\u200DABC\u2060"), "K1ABC"},
    OddCallRow{"OnlyInvisible", QStringLiteral("\u200B"), "U+200B"},
    OddCallRow{"InvisibleBeforeADot", QStringLiteral("\u00AD.K1"), "_K1"},
    OddCallRow{"OutsideTheBasicPlane", QStringLiteral("\U0001F600K1"), QStringLiteral("\U0001F600K1")},
    OddCallRow{"LeadingDash", "-RF", "_RF"},
    OddCallRow{"DashesAndDots", "-.-K1", "___K1"},
    OddCallRow{"InnerDotsAndDashesStay", "K1-AB.C-", "K1-AB.C-"},
    OddCallRow{"RightToLeftOverride", QStringLiteral("ABC\u202Egpj.exe"), "ABC_gpj.exe"},
    OddCallRow{"IsolatesAndMarks", QStringLiteral("\u2066A\u2069\u200EB\u200F\u061C"), "_A__B__"},
    OddCallRow{"EmbeddingsAndPops", QStringLiteral("\u202AA\u202B\u202C\u202D"), "_A___"},
    OddCallRow{"OverrideFirstThenDot", QStringLiteral("\u202E.K1"), "_.K1"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ContactInfoFile, NameUsesTheDateOfWriting)
{
    struct Row { QString folder; QDate date; QString callSign, name; };
    const Row rows[] = {
        {"/q/", QDate(2024, 4, 5), "ABC", "/q/24_04_05_ABC_info.txt"},
        {"/q/", QDate(2009, 12, 31), "K1ABC/P", "/q/09_12_31_K1ABC_P_info.txt"},
        {"", QDate(2030, 1, 2), "", "30_01_02__info.txt"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.name, contactInfoFileName(row.folder, row.date, row.callSign));
}

TEST(ContactInfoFile, SecondWriteOnOneDayReplacesTheFirst)
{
    TempInstall install;
    writeContactInfoFile("Contact's Email", kQso, QDate(2024, 4, 5));
    QsoRecord second = kQso;
    second.callSign = "K1ABC/P";
    second.utcTime = "08:00";
    writeContactInfoFile("k1abc@arrl.net", second, QDate(2024, 4, 5));
    second.utcTime = "09:15";
    const QString path = writeContactInfoFile("k1abc@arrl.net", second, QDate(2024, 4, 5));

    EXPECT_EQ(install.cards + "24_04_05_K1ABC_P_info.txt", path);
    EXPECT_EQ((QStringList{"k1abc@arrl.net", "K1ABC/P", "4.5.2024", "09:15", "14.074", "FT8",
                           "100W", "-10"}),
              loadLines(path));
    QStringList files = QDir(install.cards).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ((QStringList{"24_04_05_K1ABC_P_info.txt", "24_04_05_K1ABC_info.txt"}), files);
    EXPECT_EQ(QStringLiteral("Contact's Email"),
              loadLines(install.cards + "24_04_05_K1ABC_info.txt").at(0));
}

TEST(ContactInfoFile, MissingCardFolderLineIsReported)
{
    TempInstall install;
    saveLines(dataFilePath(QStringLiteral("lfile.qec")), {});
    try {
        writeContactInfoFile("", kQso, QDate(2024, 4, 5));
        ADD_FAILURE() << "no error";
    } catch (const KartelloError &e) {
        EXPECT_EQ(QStringLiteral("List index out of bounds (0)"), e.text());
    }
}
