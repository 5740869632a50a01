// A card of `kartello cards` is the card the window's JPG Selected makes for the same row with
// the same stored design: the same JPEG bytes, the same contact info file.
#include "AdifPanelFixture.h"

#include "CardsRunner.h"
#include "EntryEdit.h"
#include "ListRow.h"
#include "features/BatchCard.h"

#include <QLinearGradient>
#include <QPainter>
#include <QProcess>

namespace {

class CardsSameAsWindow : public AdifPanelFixture
{
protected:
    // The stored design is written before the window starts: a background picture in
    // "gfile.qec", and card options, styles and the power choice in Kartello.ini.
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        QImage background(511, 280, QImage::Format_RGB32);
        QPainter painter(&background);
        QLinearGradient gradient(0, 0, 511, 280);
        gradient.setColorAt(0, QColor(250, 240, 200));
        gradient.setColorAt(1, QColor(90, 140, 200));
        painter.fillRect(background.rect(), gradient);
        painter.end();
        const QString picture = dir.path() + "/background.jpg";
        background.save(picture);
        writeFile(dataFile("gfile.qec"), (picture + "\r\n").toUtf8());
        writeFile(stateFile(), "[Form1]\r\nRBPower3.Checked=TRUE\r\nCSFItalic.Checked=TRUE\r\n"
                               "IFBold.Checked=TRUE\r\nCBFrameCard1.Checked=TRUE\r\n"
                               "CBShow73.Checked=FALSE\r\nRBBkgClr6.Checked=TRUE\r\n");
        QByteArray log = "<adif_ver:5>3.1.4 <eoh>\n";
        log += adifRecord("DL/K1ABC/P", "20240504", "0930", "7.1", "CW", "50W", "599", "k1@mail.org");
        log += adifRecord("ABC", "20241231", "2359", "14.074", "FT8", "", "-10");
        log += adifRecord("Jürgen", "20250101", "000000", "1296", "SSB", "5", "59");
        logPath = writeLog("log.adi", log);
        program = dir.path() + "/kartello";
        ASSERT_TRUE(QFile::copy(QStringLiteral(KARTELLO_EXECUTABLE), program));
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    }

    QString logPath;
    QString program;
};

TEST_F(CardsSameAsWindow, JpegAndContactInfoAreJpgSelectedsByteForByte)
{
    const QString out = dir.path() + "/out/";
    QProcess run;
    run.start(program, {"cards", logPath, "--out", out});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    start();
    loadLog(logPath);
    ASSERT_EQ(adif().rows().rowCount(), 3);
    selectRows({0, 1, 2});
    adif().saveSelectedAsJpeg();
    const QString batch = dir.path() + "/BatchJPG/";
    const QStringList made = QDir(batch).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(made.size(), 6) << made.join(' ').toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), made);
    for (const QString &name : made) {
        const QByteArray window = readFile(batch + name);
        ASSERT_GT(window.size(), 0) << name.toStdString();
        EXPECT_TRUE(readFile(out + name) == window) << name.toStdString() << " differs";
    }
}

// GIF as Create GIF writes it for the QSO the row fills in, PNG with the very pixels of the
// window's batch card.
TEST_F(CardsSameAsWindow, GifIsCreateGifsAndPngHoldsTheBatchCard)
{
    const QString out = dir.path() + "/out/";
    for (const char *format : {"gif", "png"}) {
        QProcess run;
        run.start(program, {"cards", logPath, "--out", out, "--rows", "1", "--format", format});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    }
    start();
    const QImage batch = batchCard(*form, parseListRow(
        "DL/K1ABC/P, 05.04.2024, 0930, 7.100, 50W, CW, 599, k1@mail.org"));
    emptyQsoAfterBatchCard(*form);
    EXPECT_TRUE(QImage(out + "DL_K1ABC_P.png").convertToFormat(QImage::Format_RGB32)
                == batch.convertToFormat(QImage::Format_RGB32));

    const QString cards = dir.path() + "/cards/";
    QDir().mkpath(cards);
    writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
    const char *texts[][2] = {{"ContactCallSign", "DL/K1ABC/P"}, {"UTCDate", "5.4.2024"},
                              {"UTCTime", "09:30"}, {"Freq", "7.100"}, {"Mode", "CW"},
                              {"Power", "50W"}, {"Signal", "599"}, {"ContactsEmail", "k1@mail.org"}};
    for (const auto &t : texts)
        form->control<EntryEdit>(t[0])->setText(t[1]);
    dialogs.fileNames.push_back(cards + "DL_K1ABC_P.gif");
    click("GIFButton1");
    ASSERT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    const QByteArray window = readFile(cards + "DL_K1ABC_P.gif");
    ASSERT_GT(window.size(), 1000);
    EXPECT_TRUE(readFile(out + "DL_K1ABC_P.gif") == window) << "differs from Create GIF";
}

} // namespace
