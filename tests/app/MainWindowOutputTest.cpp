#include "MainWindowFixture.h"

#include "BandPicture.h"
#include "CardOutput.h"
#include "CardLabel.h"
#include "FlatButton.h"
#include "FileDialogMemory.h"
#include "PrintWindow.h"
#include "GifImage.h"
#include "EntryEdit.h"
#include "CardBand.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>

namespace {

class MainWindowOutput : public MainWindowFixture
{
protected:
    QString cards, other;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        cards = dir.path() + "/cards/";
        other = dir.path() + "/other/";
        QDir().mkpath(cards);
        QDir().mkpath(other);
        writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
        start();
        const char *texts[][2] = {{"ContactCallSign", "K1ABC/P"}, {"UTCDate", "12.6.2026"},
                                  {"UTCTime", "09:05"}, {"Freq", "14.074"}, {"Mode", "FT8"},
                                  {"Power", "100W"}, {"Signal", "-10"},
                                  {"ContactsEmail", "k1abc@example.org"}};
        for (const auto &t : texts)
            form->control<EntryEdit>(t[0])->setText(t[1]);
    }
    void click(const char *button)
    {
        form->entryOverlay(QsoField::UtcDate)->setFocus();   // the outputs must bring the focus back
        emit form->control<FlatButton>(button)->clicked();
    }
    QString infoFile(const QString &folder) const
    {
        return folder + QDate::currentDate().toString("yy_MM_dd_") + "K1ABC_P_info.txt";
    }
    void expectFinished()
    {
        EXPECT_FALSE(QFile::exists(dir.path() + "/temp.bmp"));
        for (EntryEdit *overlay : {form->entryOverlay(QsoField::CallSign), form->entryOverlay(QsoField::UtcDate), form->entryOverlay(QsoField::UtcTime), form->entryOverlay(QsoField::Frequency),
                                 form->entryOverlay(QsoField::Mode), form->entryOverlay(QsoField::Power), form->entryOverlay(QsoField::Signal)})
            EXPECT_FALSE(overlay->isHidden()) << overlay->objectName().toStdString();
        EXPECT_EQ(form->focusWidget(), form->entryOverlay(QsoField::CallSign));
    }
    QStringList lfile() const { return loadLines(dataFile("lfile.qec")); }
};

TEST_F(MainWindowOutput, CreateJpgWritesCjpegBytesOfTheClipboardSnapshot)
{
    click("ClipBoardButton1");
    expectFinished();
    const QImage clip = QGuiApplication::clipboard()->image();
    ASSERT_EQ(clip.size(), QSize(511, 280));
    EXPECT_TRUE(QFile::exists(infoFile(cards)));
    EXPECT_EQ(QDir(cards).entryList({"*.jpg"}, QDir::Files), QStringList());
    QFile::remove(infoFile(cards));

    dialogs.fileNames.push_back(other + "whatever.jpg");
    click("JPGButton1");
    expectFinished();
    EXPECT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("").toStdString();
    EXPECT_EQ(dialogs.lastInitialName, "K1ABC_P.jpg");
    EXPECT_EQ(form->control<FileDialogMemory>("SaveDialog1")->fileName().toStdString(), (other + "whatever.jpg").toStdString());
    EXPECT_EQ(lfile(), QStringList{other});
    EXPECT_TRUE(QFile::exists(infoFile(other)));
    EXPECT_EQ(form->cardOutputs().snapshotImage(), clip.convertToFormat(QImage::Format_RGB32));

    const QString ppm = dir.path() + "/clip.ppm";
    ASSERT_TRUE(clip.convertToFormat(QImage::Format_RGB888).save(ppm, "PPM"));
    QProcess cjpeg;
    cjpeg.start("/usr/bin/cjpeg", {"-quality", "100", "-baseline", ppm});
    ASSERT_TRUE(cjpeg.waitForFinished(30000));
    QByteArray reference = cjpeg.readAllStandardOutput();
    QByteArray ours = readFile(other + "K1ABC_P.jpg");
    ASSERT_GT(ours.size(), 1000);
    reference.replace(13, 5, QByteArray(5, '\0'));
    ours.replace(13, 5, QByteArray(5, '\0'));
    EXPECT_TRUE(ours == reference) << "Create JPG differs from cjpeg of the same snapshot";
}

TEST_F(MainWindowOutput, SnapshotShowsTheValueElementsWithTheOverlaysHidden)
{
    form->cardOutputs().snapshotCard();
    EXPECT_TRUE(form->entryOverlay(QsoField::CallSign)->isHidden());
    EXPECT_EQ(form->valueElement(QsoField::CallSign)->caption(), "K1ABC/P");
    EXPECT_EQ(form->cardOutputs().snapshotImage(), snapshotOfBand(form->cardBand()));
    EXPECT_EQ(form->control<QLabel>("Image1")->pixmap().size(), QSize(511, 280));
    form->cardOutputs().showEntryOverlays();
}

struct PathRow {
    const char *name;
    const char *button;
    bool cancel;
    bool existing;
    UserDialogs::Answer answer;
    bool missingFolder;
};

class MainWindowOutputPaths : public MainWindowOutput, public ::testing::WithParamInterface<PathRow> {};

TEST_P(MainWindowOutputPaths, FinishingStepRunsAndNothingIsSaved)
{
    const PathRow row = GetParam();
    const QString ext = QString(row.button) == "GIFButton1" ? ".gif" : ".jpg";
    const QString folder = row.missingFolder ? dir.path() + "/gone/" : other;
    if (row.existing)
        writeFile(other + "K1ABC_P" + ext, "old");
    dialogs.fileNames.push_back(row.cancel ? QString() : folder + "x" + ext);
    if (row.existing)
        dialogs.answers.push_back(row.answer);
    click(row.button);
    expectFinished();
    EXPECT_EQ(lfile(), QStringList{cards});
    EXPECT_FALSE(QFile::exists(infoFile(other)));
    EXPECT_FALSE(QFile::exists(infoFile(cards)));
    if (row.existing)
        EXPECT_EQ(readFile(other + "K1ABC_P" + ext), QByteArray("old"));
    EXPECT_EQ(dialogs.texts("error"),
              row.missingFolder ? QStringList{"Cannot create file " + folder + "K1ABC_P" + ext}
                                : QStringList());
}

INSTANTIATE_TEST_SUITE_P(Paths, MainWindowOutputPaths, ::testing::Values(
    PathRow{"jpgCancel", "JPGButton1", true, false, {}, false},
    PathRow{"jpgNo", "JPGButton1", false, true, UserDialogs::Answer::No, false},
    PathRow{"jpgMissingFolder", "JPGButton1", false, false, {}, true},
    PathRow{"gifCancel", "GIFButton1", true, false, {}, false},
    PathRow{"gifNo", "GIFButton1", false, true, UserDialogs::Answer::No, false},
    PathRow{"gifMissingFolder", "GIFButton1", false, false, {}, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowOutput, CreateGifHoldsTheCubeColoursOfTheSnapshot)
{
    dialogs.fileNames.push_back(cards + "x.gif");
    click("GIFButton1");
    expectFinished();
    EXPECT_TRUE(readFile(cards + "K1ABC_P.gif").startsWith("GIF87a"));
    EXPECT_TRUE(QFile::exists(infoFile(cards)));
    const QImage gif(cards + "K1ABC_P.gif", "GIF");
    const QImage shot = form->cardOutputs().snapshotImage();
    ASSERT_EQ(gif.size(), shot.size());
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3) {
            const QRgb c = shot.pixel(x, y);
            const BitmapColor cube = NetscapeColorLookup::color(
                NetscapeColorLookup::lookup(qRed(c), qGreen(c), qBlue(c)));
            ASSERT_EQ(gif.pixel(x, y), qRgb(cube.red, cube.green, cube.blue)) << x << "," << y;
        }
}

TEST_F(MainWindowOutput, PrintOpensThePrintWindowOnTheFreshSnapshot)
{
    dialogs.printAnswers.push_back(false);
    QImage preview;
    QTimer::singleShot(0, form.get(), [&] {
        preview = form->cardOutputs().printWindow().previewImage();
        form->cardOutputs().printWindow().printPage();
    });
    click("PrintButton1");
    expectFinished();
    EXPECT_EQ(preview.convertToFormat(QImage::Format_RGB32), form->cardOutputs().snapshotImage());
    EXPECT_FALSE(form->cardOutputs().printWindow().isVisible());
    EXPECT_EQ(dialogs.texts("print").size(), 1);
    EXPECT_EQ((cards + "K1ABC_P.pdf").toStdString(), dialogs.lastProposedPrintFile.toStdString());
    EXPECT_TRUE(QFile::exists(infoFile(cards)));
    EXPECT_EQ(form->cardOutputs().printWindow().choice(), PrintWindow::Position1);
}

TEST_F(MainWindowOutput, SaveSnapshotJpgForTheBatch)
{
    form->cardOutputs().snapshotCard();
    form->cardOutputs().showEntryOverlays();
    form->cardOutputs().saveSnapshotJpeg(other + "batch.jpg");
    EXPECT_EQ(QImage(other + "batch.jpg").size(), QSize(511, 280));
    EXPECT_FALSE(QFile::exists(dir.path() + "/temp.bmp"));
    EXPECT_EQ(lfile(), QStringList{cards});
}

} // namespace

namespace {

// A date typed the European way stops every output before anything is saved or copied.
struct DayFirstRow
{
    const char *name;
    const char *button;
};

void PrintTo(const DayFirstRow &row, std::ostream *os) { *os << row.name; }

class DayFirstDate : public MainWindowOutput, public ::testing::WithParamInterface<DayFirstRow>
{
};

TEST_P(DayFirstDate, StopsTheOutputWithAMessage)
{
    form->entryOverlay(QsoField::UtcDate)->setText("06.12.2026");
    dialogs.fileNames.push_back(cards + "K1ABC_P" + QString::fromLatin1(GetParam().name));
    click(GetParam().button);
    const QStringList warnings = dialogs.texts("warning");
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains("\"06.12.2026\"")) << warnings[0].toStdString();
    EXPECT_EQ(QDir(cards).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(dialogs.texts("error").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Outputs, DayFirstDate,
                         ::testing::Values(DayFirstRow{"Jpg", "JPGButton1"}, DayFirstRow{"Gif", "GIFButton1"},
                                           DayFirstRow{"Clipboard", "ClipBoardButton1"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
