// The card design as a value, without a window: its stored form reads back the same design,
// every setting reaches the painted card, and the desktop's colours and font never do.
#include "CardDesign.h"
#include "CardDesignFiles.h"
#include "CardDocument.h"
#include "DataFolder.h"
#include "DesignBinding.h"
#include "DesignApplication.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace card;

namespace {

// A private copy of the shipped data folder, the executable's folder pointing at it.
class DesignFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.path() + "/system");
        const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
        for (const QString &name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), dir.path() + "/system/" + name);
        setExecutableFolder(dir.path() + "/");
        picture = dir.path() + "/background.png";
        QImage image(64, 40, QImage::Format_RGB32);
        image.fill(QColor(20, 120, 60));
        image.save(picture);
    }
    void TearDown() override { setExecutableFolder(QString()); }

    QString stateFile() const { return dir.path() + "/Kartello.ini"; }

    static QImage cardOf(const CardDesign &design)
    {
        CardDocument document;
        EXPECT_EQ(applyDesign(design, document), QStringList());
        document.setQso(QsoRecord{"K1ABC", "4.5.2024", "12:30", "14.074", "FT8", "100W", "-10"});
        return document.paintCard();
    }

    QTemporaryDir dir;
    QString picture;
};

// One setting changed from the design the shipped files give.
struct DesignEdit {
    const char *name;
    std::function<void(CardDesign &, const QString &picture)> edit;
};

void PrintTo(const DesignEdit &row, std::ostream *os) { *os << row.name; }

void fixedColour(TextStyle &style, const char *prefix, int index)
{
    style.fixedColour = index;
    style.colour = colourFromRadioName(QString(prefix) + "Color" + fixedColours()[index].suffix,
                                       prefix);
}

const DesignEdit kEdits[] = {
    {"PseQsl", [](CardDesign &d, auto) { d.options.pseQsl = true; }},
    {"PseLotw", [](CardDesign &d, auto) { d.options.pseLotw = true; }},
    {"ShowEmail", [](CardDesign &d, auto) { d.options.showEmail = true; }},
    {"Show73", [](CardDesign &d, auto) { d.options.show73 = true; }},
    {"TranspName", [](CardDesign &d, auto) { d.options.transpName = true; }},
    {"TranspEmail", [](CardDesign &d, auto) { d.options.showEmail = d.options.transpEmail = true; }},
    {"TranspTitles", [](CardDesign &d, auto) { d.options.transpTitles = true; }},
    {"Transp73Pse", [](CardDesign &d, auto) { d.options.show73 = d.options.transp73Pse = true; }},
    {"FrameInfo", [](CardDesign &d, auto) { d.options.frameInfo = true; }},
    {"FrameCard", [](CardDesign &d, auto) { d.options.frameCard = true; }},
    {"IsoDates", [](CardDesign &d, auto) { d.options.isoDate = true; }},
    {"BackgroundB9", [](CardDesign &d, auto) { d.options.background = 9; }},
    {"CallSignFace", [](CardDesign &d, auto) { d.callSign.face = "Courier New"; }},
    {"CallSignSize", [](CardDesign &d, auto) { d.callSign.points = 31; }},
    {"CallSignBold", [](CardDesign &d, auto) { d.callSign.points = 20, d.callSign.bold = true; }},
    {"CallSignItalic", [](CardDesign &d, auto) { d.callSign.points = 20, d.callSign.italic = true; }},
    {"CallSignUnderline",
     [](CardDesign &d, auto) { d.callSign.points = 20, d.callSign.underline = true; }},
    {"CallSignFixedColour", [](CardDesign &d, auto) { fixedColour(d.callSign, "CSF", 3); }},
    {"NameOtherColour",
     [](CardDesign &d, auto) { d.name.otherColour = 6, d.name.colour = 255; }},
    {"NameSize12", [](CardDesign &d, auto) { d.name.points = 12; }},
    {"NameBold", [](CardDesign &d, auto) { d.name.bold = true; }},
    {"InfoFace",
     [](CardDesign &d, auto) { d.options.show73 = true, d.info.face = "Times New Roman"; }},
    {"InfoColour", [](CardDesign &d, auto) { d.options.show73 = true, fixedColour(d.info, "IF", 4); }},
    {"NameWidth", [](CardDesign &d, auto) { setNameBlockWidth(d, 60); }},
    {"PlaceOfCallSign", [](CardDesign &d, auto) { d.places[0] = 120; }},
    {"Identity", [](CardDesign &d, auto) { d.identity[1] = "Jane Q. Operator"; }},
    {"TableTitle", [](CardDesign &d, auto) { d.tableTitles[3] = "MHz"; }},
    {"Background", [](CardDesign &d, const QString &p) { d.backgroundPicture = p; }},
};

class EachSetting : public DesignFolder, public ::testing::WithParamInterface<DesignEdit> {};

TEST_P(EachSetting, ReadsBackFromItsStoredForm)
{
    DesignReading shipped = readCardDesign(stateFile());
    ASSERT_EQ(shipped.problems, QStringList());
    CardDesign design = shipped.design;
    GetParam().edit(design, picture);
    ASSERT_NE(design, shipped.design);
    saveCardDesign(design, stateFile());
    const DesignReading again = readCardDesign(stateFile());
    EXPECT_EQ(again.problems, QStringList());
    EXPECT_EQ(again.warnings, QStringList());
    EXPECT_TRUE(again.design == design) << "the stored design reads back otherwise";
}

TEST_P(EachSetting, ChangesThePaintedCard)
{
    const CardDesign shipped = readCardDesign(stateFile()).design;
    CardDesign design = shipped;
    GetParam().edit(design, picture);
    EXPECT_NE(cardOf(design), cardOf(shipped));
}

INSTANTIATE_TEST_SUITE_P(Settings, EachSetting, ::testing::ValuesIn(kEdits),
                         [](const auto &info) { return std::string(info.param.name); });

// What the state file says that cannot be used as it stands is kept to what can, and said.
struct StoredValueRow {
    const char *name;
    const char *line;
    std::function<bool(const CardDesign &)> holds;
    bool warned;
};

void PrintTo(const StoredValueRow &row, std::ostream *os) { *os << row.name; }

class StoredValues : public DesignFolder, public ::testing::WithParamInterface<StoredValueRow> {};

TEST_P(StoredValues, AreKeptToWhatTheCardCanShow)
{
    QFile ini(stateFile());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[Form1]\r\n") + GetParam().line + "\r\n");
    ini.close();
    const DesignReading reading = readCardDesign(stateFile());
    EXPECT_TRUE(GetParam().holds(reading.design));
    EXPECT_EQ(!reading.warnings.isEmpty(), GetParam().warned) << reading.warnings.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredValues, ::testing::Values(
    StoredValueRow{"SizeAboveRange", "CSFTrackBar1.Position=900",
                   [](const CardDesign &d) { return d.callSign.points == 200; }, true},
    StoredValueRow{"SizeNotANumber", "CSFTrackBar1.Position=big",
                   [](const CardDesign &d) { return d.callSign.points == 20; }, true},
    StoredValueRow{"WidthBelowRange", "IOTrackBar3.Position=-5",
                   [](const CardDesign &d) { return d.nameWidth == 0; }, true},
    StoredValueRow{"ListItemPastTheEnd", "ComboBox1.Position=54",
                   [](const CardDesign &d) { return d.name.otherColour == -1 && !d.name.colour; }, true},
    StoredValueRow{"ListItemChosen", "ComboBox3.Position=53",
                   [](const CardDesign &d) { return d.info.otherColour == 53 && d.info.colour; }, false},
    StoredValueRow{"CheckNeitherTrueNorFalse", "CBPseQSL.Checked=yes",
                   [](const CardDesign &d) { return !d.options.pseQsl; }, true},
    StoredValueRow{"NoSchemeChecked", "RBBkgClr6.Checked=FALSE",
                   [](const CardDesign &d) { return d.options.background == 0; }, false},
    StoredValueRow{"QsosPerCard", "QsosPerCardBar.Position=4",
                   [](const CardDesign &d) { return d.options.qsosPerCard == 4; }, false},
    StoredValueRow{"QsosPerCardAboveSix", "QsosPerCardBar.Position=9",
                   [](const CardDesign &d) { return d.options.qsosPerCard == 6; }, true},
    StoredValueRow{"QsosPerCardNone", "QsosPerCardBar.Position=0",
                   [](const CardDesign &d) { return d.options.qsosPerCard == 1; }, true}),
    [](const auto &info) { return std::string(info.param.name); });

// A card is a document: neither a dark colour scheme nor another desktop font changes it.
TEST_F(DesignFolder, CardIsTheSameUnderAnyDesktopSchemeAndFont)
{
    CardDesign design = readCardDesign(stateFile()).design;
    design.options.frameInfo = design.options.showEmail = design.options.show73 = true;
    const QImage plain = cardOf(design);
    const QPalette before = QGuiApplication::palette();
    const QFont beforeFont = QGuiApplication::font();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(35, 38, 41));
    dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    dark.setColor(QPalette::Text, QColor(252, 252, 252));
    QGuiApplication::setPalette(dark);
    QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 15));
    const QImage themed = cardOf(design);
    QGuiApplication::setPalette(before);
    QGuiApplication::setFont(beforeFont);
    EXPECT_EQ(themed, plain);
}

} // namespace
