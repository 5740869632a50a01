// A card of `kartello cards` is the card the window's JPG Selected makes for the same row with
// the same stored design: the same JPEG bytes, the same contact info file.
#include "AdifPanelFixture.h"

#include "CardsRunner.h"

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

} // namespace
