// Station identity, background pictures, Load QSL and the round trip of a styled card
// through the real main window.
#include "MainWindowFixture.h"

#include "CardPictureElement.h"
#include "CardLabel.h"
#include "Colors.h"
#include "EntryEdit.h"
#include "FlatButton.h"
#include "ImageBitmap.h"
#include "JpegWriter.h"
#include "RememberedList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace {

class StationIdentity : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        start();
    }
    void clickButton(const char *name) { emit form->control<FlatButton>(name)->clicked(); }
    QLineEdit *edit(const char *name) const { return form->control<QLineEdit>(name); }
    CardLabel *element(const char *name) const { return form->control<CardLabel>(name); }
    QImage card()
    {
        form->cardOutputs().snapshotCard();
        const QImage image = form->cardOutputs().snapshotImage();
        form->cardOutputs().showEntryOverlays();
        return image;
    }
    void setCardFolder(const QString &folder)
    {
        QDir().mkpath(folder);
        writeFile(dataFile("lfile.qec"), (folder + "/\r\n").toUtf8());
    }
};

// Every pixel of this picture tells where it lies: red and green are x and y modulo 256,
// blue holds their high parts.
QImage coordinatePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8)));
    return image;
}

QPoint pictureCoordinate(QRgb pixel)
{
    return {qRed(pixel) | ((qBlue(pixel) >> 4) << 8), qGreen(pixel) | ((qBlue(pixel) & 15) << 8)};
}

} // namespace

// ---- Identity edits ----

TEST_F(StationIdentity, EditsGoToTheCardAtOnce)
{
    const char *edits[] = {"CallSignEdit1", "NameEdit1", "AddressEdit1", "TownEdit1",
                           "EmailEdit1", "PseQSLEdit1", "PseLoTWEdit1", "Tnx73sEdit1"};
    const char *elements[] = {"alCallSign", "alName", "alAddress", "alTown",
                              "alEmail", "alPseQSL", "alPseLoTW", "al73"};
    for (int i = 0; i < 8; ++i) {
        const QString text = QStringLiteral("line %1").arg(i);
        edit(edits[i])->setText(text);
        EXPECT_EQ(text.toStdString(), element(elements[i])->caption().toStdString()) << edits[i];
    }
}

TEST_F(StationIdentity, SlashedZeroButtonAppendsToTheCallSign)
{
    edit("CallSignEdit1")->setText("DL0AB");
    clickButton("EncartaButton53");
    clickButton("EncartaButton53");
    EXPECT_EQ(QString("DL0AB") + QChar(0xD8) + QChar(0xD8), edit("CallSignEdit1")->text());
    EXPECT_EQ(edit("CallSignEdit1")->text(), element("alCallSign")->caption());
}

TEST_F(StationIdentity, CallSignStyleIsReappliedOnEveryIdentityChange)
{
    form->control<QSlider>("CSFTrackBar1")->setValue(30);
    element("alCallSign")->setFont(QFont("Liberation Sans"));   // as if styled elsewhere
    edit("TownEdit1")->setText("Springfield");
    EXPECT_EQ(40, element("alCallSign")->font().pixelSize());   // 30 pt
}

// An "&" the operator typed shows on the card: the line is as wide as its text with it.
TEST_F(StationIdentity, AmpersandShowsAsTyped)
{
    form->control<QCheckBox>("CBShowEmail1")->setChecked(true);
    edit("EmailEdit1")->setText("RR");
    const int without = element("alEmail")->width();
    edit("EmailEdit1")->setText("R&R");
    EXPECT_GT(element("alEmail")->width(), without);
    EXPECT_FALSE(element("alName")->showAccelChar());
    EXPECT_FALSE(element("alPower")->showAccelChar());
}

// ---- Load Bkg ----

TEST_F(StationIdentity, BitmapOf640By480ShowsItsCentre)
{
    const QString path = dir.path() + "/big.bmp";
    ASSERT_TRUE(coordinatePicture(640, 480).save(path, "BMP"));
    dialogs.fileNames.push_back(path);
    clickButton("EncartaButton6");
    EXPECT_EQ(executableFolder().toStdString(), dialogs.lastInitialDir.toStdString());
    EXPECT_EQ("BMP Files (*.bmp);;Pictures (*.bmp *.png *.jpg *.jpeg)",
              dialogs.lastFilter.toStdString());
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
    EXPECT_EQ((path + "\r\n").toUtf8(), readFile(dataFile("gfile.qec")));

    const QImage shot = card();
    EXPECT_EQ(QPoint(64, 100), pictureCoordinate(shot.pixel(0, 0)));
    EXPECT_EQ(QPoint(574, 100), pictureCoordinate(shot.pixel(510, 0)));
    EXPECT_EQ(QPoint(64, 379), pictureCoordinate(shot.pixel(0, 279)));
    EXPECT_EQ(QPoint(574, 379), pictureCoordinate(shot.pixel(510, 279)));
}

struct PictureFileRow {
    const char *label;
    const char *fileName;
    bool decodable;
    const char *error;
};

class BackgroundFiles : public StationIdentity, public ::testing::WithParamInterface<PictureFileRow> {};

TEST_P(BackgroundFiles, ShowLikeABitmapOrFailCleanly)
{
    const PictureFileRow &row = GetParam();
    const QByteArray gfileBefore = readFile(dataFile("gfile.qec"));
    const QString path = dir.path() + "/" + row.fileName;
    QImage photo(511, 280, QImage::Format_RGB32);
    photo.fill(QColor(200, 60, 20));
    if (!row.decodable)
        writeFile(path, "\xFF\xD8 broken");
    else if (path.endsWith(".png"))
        ASSERT_TRUE(photo.save(path, "PNG"));
    else {
        JpegWriter jpeg;
        jpeg.setQuality(100);
        jpeg.assign(bitmapFromImage(photo));
        jpeg.saveToFile(path);
    }
    dialogs.fileNames.push_back(path);
    clickButton("EncartaButton6");

    const QColor corner = card().pixelColor(2, 200);
    if (row.decodable) {
        EXPECT_TRUE(dialogs.texts("error").isEmpty());
        EXPECT_EQ((path + "\r\n").toUtf8(), readFile(dataFile("gfile.qec")));
        EXPECT_NEAR(200, corner.red(), 4);
        EXPECT_NEAR(60, corner.green(), 4);
        EXPECT_NEAR(20, corner.blue(), 4);
    } else {
        EXPECT_EQ(QStringList{row.error}, dialogs.texts("error"));
        EXPECT_EQ(gfileBefore, readFile(dataFile("gfile.qec")));
        EXPECT_TRUE(form->control<CardPictureElement>("tAlImage1")->picture().isEmpty());
        EXPECT_EQ(QColor(Qt::white), corner);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BackgroundFiles,
    ::testing::Values(PictureFileRow{"Jpeg", "photo.jpg", true, ""},
                      PictureFileRow{"Png", "photo.png", true, ""},
                      PictureFileRow{"BrokenJpeg", "broken.jpg", false, "JPEG image is not valid"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(StationIdentity, CancelledDialogsChangeNothing)
{
    const QByteArray gfile = readFile(dataFile("gfile.qec"));
    setCardFolder(dir.path() + "/cards");
    form->entryOverlay(QsoField::CallSign)->setText("K1ABC");
    dialogs.fileNames = {"", ""};
    clickButton("EncartaButton6");
    clickButton("EncartaButton15");
    // Load Bkg asks with the picture preview, Load QSL with the plain file dialog.
    EXPECT_EQ(1, dialogs.texts("open picture").size());
    EXPECT_EQ(1, dialogs.texts("open").size());
    EXPECT_EQ(gfile, readFile(dataFile("gfile.qec")));
    EXPECT_EQ("K1ABC", form->entryOverlay(QsoField::CallSign)->text().toStdString());
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
}

// ---- Load QSL ----

struct SavedFileRow {
    const char *label;
    QByteArray content;
    QStringList fields;          // the seven QSO fields afterwards
    QString contactEmail;        // the contact e-mail field afterwards
    QStringList errors;
};

const QByteArray kFull = "op@example.org\r\nDL1ABC\r\n4.5.2024\r\n12:30\r\n14.074\r\nFT8\r\n100W\r\n-10\r\n";
const QStringList kFields = {"DL1ABC", "4.5.2024", "12:30", "14.074", "FT8", "100W", "-10"};

class LoadQsl : public StationIdentity, public ::testing::WithParamInterface<SavedFileRow> {};

TEST_P(LoadQsl, PutsTheSavedQsoIntoTheFields)
{
    const QString cards = dir.path() + "/cards";
    setCardFolder(cards);
    form->contactEmailField()->setText("old@example.org");
    const QString path = cards + "/24_05_04_DL1ABC_info.txt";
    writeFile(path, GetParam().content);
    dialogs.fileNames.push_back(path);
    clickButton("EncartaButton15");

    EXPECT_EQ((cards + "/").toStdString(), dialogs.lastInitialDir.toStdString());
    EXPECT_EQ("TXT Files (*.txt)", dialogs.lastFilter.toStdString());
    for (int i = 0; i < card::kQsoFieldCount; ++i)
        EXPECT_EQ(GetParam().fields.value(i).toStdString(),
                  form->entryOverlay(card::qsoFields()[i].field)->text().toStdString())
            << i;
    EXPECT_EQ(GetParam().contactEmail.toStdString(), form->contactEmailField()->text().toStdString());
    EXPECT_EQ(GetParam().errors, dialogs.texts("error"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadQsl,
    ::testing::Values(
        SavedFileRow{"WithAddress", kFull, kFields, "op@example.org", {}},
        // A new call sign resets the e-mail field; a first line without "@" leaves it so.
        SavedFileRow{"PlaceholderLine", QByteArray(kFull).replace("op@example.org", "Contact's Email"),
                     kFields, "Contact's Email", {}},
        // Five lines: the call sign, date and time and frequency are filled, then it fails.
        SavedFileRow{"ShortFile", "a@b\r\nDL1ABC\r\n4.5.2024\r\n12:30\r\n14.074\r\n",
                     {"DL1ABC", "4.5.2024", "12:30", "14.074", "", "", ""}, "Contact's Email",
                     {"List index out of bounds (5)"}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(StationIdentity, LoadQslWithoutCardFolderFileOpensNoDialog)
{
    QFile::remove(dataFile("lfile.qec"));
    clickButton("EncartaButton15");
    EXPECT_EQ(QStringList{"Cannot open file " + dataFile("lfile.qec")}, dialogs.texts("error"));
    EXPECT_TRUE(dialogs.texts("open").isEmpty());
}

// ---- The round trip: style the card, close, start again, same card ----

TEST_F(StationIdentity, StyledCardComesBackPixelForPixel)
{
    const QString picture = dir.path() + "/bkg.bmp";
    ASSERT_TRUE(coordinatePicture(640, 480).save(picture, "BMP"));
    dialogs.fileNames.push_back(picture);
    clickButton("EncartaButton6");

    edit("CallSignEdit1")->setText("DL0R");
    clickButton("EncartaButton53");
    edit("NameEdit1")->setText("R&R Contest Club");
    auto check = [this](const char *name) { form->control<QAbstractButton>(name)->setChecked(true); };
    check("CBShowEmail1");
    check("CSFName3");
    form->control<QSlider>("CSFTrackBar1")->setValue(36);
    check("CSFItalic");
    check("NFSize12");
    check("NFColor000000FF");
    check("NFBold");
    check("IFName7");
    check("IFSize10");
    form->control<RememberedList>("ComboBox3")->chooseItem(52);
    check("RBName1");
    form->control<QSlider>("UDTrackBar2")->setValue(100);
    check("RBCall1");
    for (int i = 0; i < 3; ++i)
        form->control<QToolButton>("Left1")->click();
    check("RBEmail1");
    form->control<QSlider>("LRTrackBar1")->setValue(50);

    const QImage before = card();
    closeAndDestroy();
    const QStringList prefs = QString::fromUtf8(readFile(dataFile("prefs.txt"))).split("\r\n");
    // alName is the 16th text element: left, top, height, width from line 60 on.
    EXPECT_EQ("100", prefs.value(61).toStdString());
    EXPECT_EQ("21", prefs.value(62).toStdString());
    EXPECT_EQ("118", prefs.value(65).toStdString());
    EXPECT_EQ("136", prefs.value(69).toStdString());

    start();
    EXPECT_EQ(QString("DL0R") + QChar(0xD8), element("alCallSign")->caption());
    EXPECT_EQ(16724991, colorToInt(element("alEmail")->fontColor()));
    const QImage after = card();
    ASSERT_EQ(before.size(), after.size());
    int differing = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            differing += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_EQ(0, differing);
}
