// The power that "kartello rows" puts in rows without TX_PWR: the one the window starts with.
#include "RowsCommand.h"

#include "QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct PowerCase
{
    const char *name;
    const char *state;     // Kartello.ini, nullptr: no file
    const char *powers;    // Power.txt, nullptr: no file
    const char *expected;
};

void PrintTo(const PowerCase &c, std::ostream *os) { *os << c.name; }

const char kPowers[] = "5W\r\n10W\r\n25W\r\n50W\r\n100W\r\n";

const PowerCase powerCases[] = {
    {"NoStateFile", nullptr, kPowers, ""},
    {"ThirdRadio", "[Form1]\r\nRBPower3.Checked=TRUE\r\n", kPowers, "25W"},
    {"LastCheckedWins", "[Form1]\r\nRBPower5.Checked=TRUE\r\nRBPower2.Checked=TRUE\r\n", kPowers, "100W"},
    {"UncheckedIgnored", "[Form1]\r\nRBPower1.Checked=FALSE\r\nRBPower4.Checked=TRUE\r\n", kPowers, "50W"},
    {"LowerCaseIgnored", "[Form1]\r\nRBPower3.Checked=true\r\n", kPowers, ""},
    {"RadioPastTheList", "[Form1]\r\nRBPower7.Checked=TRUE\r\n", kPowers, ""},
    {"NoPowerList", "[Form1]\r\nRBPower3.Checked=TRUE\r\n", nullptr, ""},
    {"OtherSection", "[Form2]\r\nRBPower3.Checked=TRUE\r\n", kPowers, ""},
    {"SectionAnyCase", "[form1]\r\nrbpower2.checked=TRUE\r\n", kPowers, "10W"},
};

class RememberedPower : public ::testing::TestWithParam<PowerCase>
{
protected:
    QString write(const char *name, const char *text)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (text) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        return path;
    }
    QTemporaryDir m_dir;
};

TEST_P(RememberedPower, IsThePowerTheWindowStartsWith)
{
    const PowerCase &c = GetParam();
    const QString state = write("Kartello.ini", c.state);
    const QString powers = write("Power.txt", c.powers);
    EXPECT_EQ(rememberedPower(state, powers), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, RememberedPower, ::testing::ValuesIn(powerCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
