#include "DataFolder.h"
#include "QtPrinters.h"
#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

} // namespace

TEST(IniFile, WritesPlainKeyValueLinesUnderTheSection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    IniFile ini(path);
    ini.load();
    ini.setValue("Form1", "Top", "120");
    ini.setValue("Form1", "RBBkgClr6.Checked", "TRUE");
    ini.setValue("Form1", "OpenDialog1.InitialDir", "/home/op/My QSL/\"x\";=y");
    ini.setValue("Form1", "Top", "130");
    ini.save();
    EXPECT_EQ(QStringLiteral("[Form1]\r\nTop=130\r\nRBBkgClr6.Checked=TRUE\r\n"
                             "OpenDialog1.InitialDir=/home/op/My QSL/\"x\";=y\r\n"),
              fileText(path));
}

TEST(IniFile, ReadsValuesExactlyAndKeepsOtherSections)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    saveLines(path, {"; written by hand", "[Other]", "Top=5", "", "[form1]", "top=77",
                     "CSFTrackBar1.Position=20", "Name= spaced ", "Broken", "", "[Last]", "X=1"});
    IniFile ini(path);
    ini.load();
    struct Row { QString section, key, value; };
    const Row rows[] = {
        {"Form1", "Top", "77"}, {"FORM1", "csftrackbar1.position", "20"},
        {"Form1", "Name", " spaced "}, {"Other", "Top", "5"}, {"Form1", "Broken", "<none>"},
        {"Form1", "X", "<none>"}, {"Missing", "Top", "<none>"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.value, ini.value(row.section, row.key, "<none>")) << row.key.toStdString();
    EXPECT_EQ(77, ini.intValue("Form1", "Top", 0));
    EXPECT_EQ(0, ini.intValue("Form1", "Name", 0));

    ini.setValue("Form1", "Left", "9");
    ini.setValue("Form1", "Bad", "two\nlines");
    ini.save();
    EXPECT_EQ(QStringLiteral("; written by hand\r\n[Other]\r\nTop=5\r\n\r\n[form1]\r\ntop=77\r\n"
                             "CSFTrackBar1.Position=20\r\nName= spaced \r\nBroken\r\nLeft=9\r\n"
                             "\r\n[Last]\r\nX=1\r\n"),
              fileText(path));
}

TEST(IniFile, MissingFileReadsEmpty)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("none.ini")));
    ini.load();
    EXPECT_EQ(QStringLiteral("d"), ini.value("Form1", "Top", "d"));
    EXPECT_EQ(0, ini.intValue("Form1", "Top", 0));
}

// A geometry value is a whole decimal number, or it is not stored.
TEST(IniFile, IntegerValueIsTheWholeText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    struct Row { QByteArray text; int value; };
    const Row rows[] = {
        {"77", 77}, {" 77 ", 77}, {"-5", -5}, {QByteArray("5\0x", 3), 0}, {"5x", 0},
        {"0x10", 0}, {"+3", 0}, {"2147483648", 0}, {"", 0},
    };
    for (const Row &row : rows) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Form1]\r\nLeft=" + row.text + "\r\n");
        f.close();
        IniFile ini(path);
        ini.load();
        EXPECT_EQ(row.value, ini.intValue("Form1", "Left", 0)) << row.text.toStdString();
    }
}
