#include "BandPicture.h"
#include "CardOutput.h"
#include "DataFolder.h"
#include "EncoderError.h"
#include "KartelloError.h"
#include "ScriptedDialogs.h"
#include "GifImage.h"
#include "ImageBitmap.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QImage sampleCard(int width = 511, int height = 280)
{
    QImage card(width, height, QImage::Format_RGB32);
    QPainter p(&card);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor(231, 223, 173));
    g.setColorAt(1, QColor(0, 0, 128));
    p.fillRect(card.rect(), g);
    p.setPen(Qt::red);
    p.drawText(20, 40, "K1ABC/P 14.074 FT8");
    return card;
}

// The main window as the outputs see it; records what was done to it.
struct FakeHost : CardOutputHost {
    bool stop = false;
    QString callSign = "K1ABC/P";
    QImage card = sampleCard();
    QImage holder;
    int snapshots = 0, overlaysShown = 0, infosWritten = 0;
    bool overlaysHidden = false;

    bool shouldStopOutput() override { return stop; }
    void snapshotCard() override
    {
        ++snapshots;
        holder = card;
        overlaysHidden = true;
    }
    QImage snapshot() const override { return holder; }
    QString contactCallSign() const override { return callSign; }
    void showOverlays() override
    {
        ++overlaysShown;
        overlaysHidden = false;
    }
    void writeContactsInfo() override { ++infosWritten; }
};

// An installation in a temporary folder with a card folder in "lfile.qec".
struct Install {
    QTemporaryDir dir;
    QString exe, cards, other;
    Install()
    {
        exe = dir.path() + "/";
        cards = exe + "cards/";
        other = exe + "other/";
        QDir(dir.path()).mkpath("system");
        QDir(dir.path()).mkpath("cards");
        QDir(dir.path()).mkpath("other");
        setExecutableFolder(dir.path());
        saveLines(dataFilePath("lfile.qec"), {cards});
    }
    ~Install() { setExecutableFolder(QString()); }
    QStringList lfile() const { return loadLines(dataFilePath("lfile.qec")); }
};

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const KartelloError &e) {
        return e.text();
    } catch (const EncoderError &e) {
        return e.text();
    }
    return QString();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Format {
    const char *name;
    void (*run)(CardOutputHost &);
    const char *extension;
    const char *filter;
};

const Format Jpeg{"jpg", exportCardJpeg, ".jpg", "JPG Files (*.jpg)"};
const Format Gif{"gif", exportCardGif, ".gif", "GIF Files (*.gif)"};

class PictureExport : public ::testing::TestWithParam<Format> {
protected:
    Install install;
    FakeHost host;
    ScriptedDialogs dialogs;
    QString ext = GetParam().extension;

    // Whatever happened, the finishing step ran.
    void expectFinished()
    {
        EXPECT_FALSE(QFile::exists(install.exe + "temp.bmp"));
        EXPECT_EQ(host.overlaysShown, 1);
        EXPECT_FALSE(host.overlaysHidden);
    }
};

TEST_P(PictureExport, SavedUnderTheCallSignInTheChosenFolder)
{
    dialogs.fileNames.push_back(install.other + "typed name" + ext);
    GetParam().run(host);
    expectFinished();
    EXPECT_EQ(dialogs.lastInitialDir, install.cards);
    EXPECT_EQ(dialogs.lastInitialName, "K1ABC_P" + ext);
    EXPECT_EQ(dialogs.lastFilter, GetParam().filter);
    EXPECT_TRUE(QFile::exists(install.other + "K1ABC_P" + ext));
    EXPECT_FALSE(QFile::exists(install.other + "typed name" + ext));
    EXPECT_EQ(install.lfile(), QStringList{install.other});
    EXPECT_EQ(host.infosWritten, 1);
    EXPECT_TRUE(dialogs.texts("question").isEmpty());
}

TEST_P(PictureExport, CancelWritesNothing)
{
    dialogs.fileNames.push_back(QString());
    GetParam().run(host);
    expectFinished();
    EXPECT_EQ(QDir(install.other).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(install.cards).entryList(QDir::Files), QStringList());
    EXPECT_EQ(install.lfile(), QStringList{install.cards});
    EXPECT_EQ(host.infosWritten, 0);
}

struct ReplaceRow {
    UserDialogs::Answer answer;
    bool replaced;
};

TEST_P(PictureExport, ExistingFileIsReplacedOnlyOnYes)
{
    const ReplaceRow rows[] = {{UserDialogs::Answer::No, false}, {UserDialogs::Answer::Yes, true}};
    for (const ReplaceRow &row : rows) {
        const QString target = install.other + "K1ABC_P" + ext;
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
        old.close();
        saveLines(dataFilePath("lfile.qec"), {install.cards});
        host.overlaysShown = host.infosWritten = 0;
        dialogs.shown.clear();
        dialogs.fileNames.push_back(install.other + "x" + ext);
        dialogs.answers.push_back(row.answer);
        GetParam().run(host);
        expectFinished();
        EXPECT_EQ(dialogs.texts("question"), QStringList{"File aready exist.  Replace it?"});
        EXPECT_EQ(dialogs.texts("pointer"), QStringList{"-20,35"});
        EXPECT_EQ(fileBytes(target) != QByteArray("old picture"), row.replaced);
        EXPECT_EQ(install.lfile(), QStringList{row.replaced ? install.other : install.cards});
        EXPECT_EQ(host.infosWritten, row.replaced ? 1 : 0);
    }
}

TEST_P(PictureExport, StoppedCheckDoesNothingAtAll)
{
    host.stop = true;
    GetParam().run(host);
    EXPECT_EQ(host.snapshots, 0);
    EXPECT_EQ(host.overlaysShown, 0);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(host.infosWritten, 0);
}

TEST_P(PictureExport, TargetThatCannotBeCreatedStillFinishes)
{
    const QString missing = install.exe + "gone/";
    dialogs.fileNames.push_back(missing + "a" + ext);
    const QString error = errorOf([&] { GetParam().run(host); });
    EXPECT_EQ(error, "Cannot create file " + missing + "K1ABC_P" + ext);
    expectFinished();
    EXPECT_EQ(install.lfile(), QStringList{install.cards});
    EXPECT_EQ(host.infosWritten, 0);
}

TEST_P(PictureExport, MissingCardFolderFileEndsBeforeTheDialog)
{
    QFile::remove(dataFilePath("lfile.qec"));
    const QString error = errorOf([&] { GetParam().run(host); });
    EXPECT_EQ(error, "Cannot open file " + dataFilePath("lfile.qec"));
    EXPECT_TRUE(dialogs.texts("save").isEmpty());
    expectFinished();
}

TEST_P(PictureExport, EmptyCallSignNamesTheFileByTheClock)
{
    host.callSign.clear();
    dialogs.fileNames.push_back(install.cards + "x" + ext);
    GetParam().run(host);
    expectFinished();
    const QStringList files = QDir(install.cards).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^QSL_(\\d\\d)(\\d\\d)\\2_\\d{6}\\" + ext + "$")
                    .match(files[0]).hasMatch()) << files[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureExport, ::testing::Values(Jpeg, Gif),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CardOutput, JpegIsWhatCjpegMakesOfTheSnapshot)
{
    Install install;
    FakeHost host;
    ScriptedDialogs dialogs;
    dialogs.fileNames.push_back(install.cards + "K1ABC_P.jpg");
    exportCardJpeg(host);
    const QString ppm = install.exe + "card.ppm";
    ASSERT_TRUE(host.card.convertToFormat(QImage::Format_RGB888).save(ppm, "PPM"));
    QProcess cjpeg;
    cjpeg.start("/usr/bin/cjpeg", {"-quality", "100", "-baseline", ppm});
    ASSERT_TRUE(cjpeg.waitForFinished(30000));
    QByteArray reference = cjpeg.readAllStandardOutput();
    QByteArray ours = fileBytes(install.cards + "K1ABC_P.jpg");
    ASSERT_GT(reference.size(), 1000);
    reference.replace(13, 5, QByteArray(5, '\0'));   // JFIF density
    ours.replace(13, 5, QByteArray(5, '\0'));
    EXPECT_TRUE(ours == reference) << "differs from cjpeg";
}

TEST(CardOutput, GifHoldsTheCubeIndicesOfTheSnapshot)
{
    Install install;
    FakeHost host;
    ScriptedDialogs dialogs;
    dialogs.fileNames.push_back(install.cards + "K1ABC_P.gif");
    exportCardGif(host);
    const QImage gif(install.cards + "K1ABC_P.gif", "GIF");
    ASSERT_EQ(gif.size(), QSize(511, 280));
    for (int y = 0; y < 280; y += 7)
        for (int x = 0; x < 511; x += 5) {
            const QRgb c = host.card.pixel(x, y);
            const BitmapColor cube = NetscapeColorLookup::color(
                NetscapeColorLookup::lookup(qRed(c), qGreen(c), qBlue(c)));
            ASSERT_EQ(gif.pixel(x, y), qRgb(cube.red, cube.green, cube.blue)) << x << "," << y;
        }
}

TEST(CardOutput, LibjpegErrorStillFinishes)
{
    Install install;
    FakeHost host;
    host.card = QImage(70000, 1, QImage::Format_RGB32);
    host.card.fill(Qt::white);
    ScriptedDialogs dialogs;
    dialogs.fileNames.push_back(install.cards + "x.jpg");
    const QString error = errorOf([&] { exportCardJpeg(host); });
    EXPECT_TRUE(error.startsWith("JPEG error #")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(install.cards + "K1ABC_P.jpg"));
    EXPECT_FALSE(QFile::exists(install.exe + "temp.bmp"));
    EXPECT_EQ(host.overlaysShown, 1);
    EXPECT_EQ(install.lfile(), QStringList{install.cards});
}

TEST(CardOutput, ClipboardGetsExactlyTheSnapshotAndNoFile)
{
    Install install;
    FakeHost host;
    ScriptedDialogs dialogs;
    copyCardToClipboard(host);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{"application/x-qt-image"});
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              host.card);
    EXPECT_EQ(host.overlaysShown, 1);
    EXPECT_EQ(host.infosWritten, 1);
    EXPECT_EQ(install.lfile(), QStringList{install.cards});
    EXPECT_EQ(QDir(install.cards).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFile::exists(install.exe + "temp.bmp"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(CardOutput, SaveSnapshotJpgAsksNothingAndLeavesTheCardFolder)
{
    Install install;
    ScriptedDialogs dialogs;
    saveSnapshotJpg(sampleCard(), install.other + "batch.jpg");
    EXPECT_TRUE(fileBytes(install.other + "batch.jpg").startsWith("\xFF\xD8"));
    EXPECT_FALSE(QFile::exists(install.exe + "temp.bmp"));
    EXPECT_EQ(install.lfile(), QStringList{install.cards});
    EXPECT_TRUE(dialogs.shown.empty());
    const QString error = errorOf([&] { saveSnapshotJpg(sampleCard(), install.exe + "gone/b.jpg"); });
    EXPECT_EQ(error, "Cannot create file " + install.exe + "gone/b.jpg");
    EXPECT_FALSE(QFile::exists(install.exe + "temp.bmp"));
}

TEST(CardOutput, PrintShowsTheWindowAfterTheSnapshotWithOverlaysBack)
{
    FakeHost host;
    const struct {
        bool stop;
        int snapshots;
        int windows;
    } rows[] = {{false, 1, 1}, {true, 0, 0}};
    for (const auto &row : rows) {
        host.stop = row.stop;
        host.snapshots = host.overlaysShown = 0;
        int windows = 0;
        bool overlaysHiddenWhileShown = true;
        printCard(host, [&] {
            ++windows;
            overlaysHiddenWhileShown = host.overlaysHidden;
        });
        EXPECT_EQ(host.snapshots, row.snapshots);
        EXPECT_EQ(windows, row.windows);
        EXPECT_EQ(host.overlaysShown, row.snapshots);
        if (windows)
            EXPECT_FALSE(overlaysHiddenWhileShown);
        EXPECT_EQ(host.infosWritten, 0);
    }
}

// A band that paints a known pattern, with an overlay child that must not show.
class PatternBand : public QWidget
{
public:
    PatternBand()
    {
        resize(600, 320);
        overlay = new QWidget(this);
        overlay->setGeometry(10, 10, 50, 20);
        overlay->setAutoFillBackground(true);
        QPalette p = overlay->palette();
        p.setColor(QPalette::Window, Qt::green);
        overlay->setPalette(p);
    }
    QWidget *overlay;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(231, 223, 173));
        p.fillRect(QRect(510, 279, 1, 1), Qt::red);
        p.fillRect(QRect(511, 280, 5, 5), Qt::blue);
    }
};

TEST(CardOutput, SnapshotIsTheBandsTopLeftCardArea)
{
    PatternBand band;
    band.overlay->hide();
    const QImage shot = snapshotOfBand(&band);
    EXPECT_EQ(shot.size(), QSize(511, 280));
    EXPECT_EQ(shot.devicePixelRatio(), 1.0);
    EXPECT_EQ(shot.pixelColor(20, 15), QColor(231, 223, 173));
    EXPECT_EQ(shot.pixelColor(510, 279), QColor(Qt::red));
    band.overlay->show();
    EXPECT_EQ(snapshotOfBand(&band).pixelColor(20, 15), QColor(Qt::green));
}

struct NameRow {
    QString callSign;
    QDateTime now;
    QString baseName;
};

TEST(CardOutput, BaseNames)
{
    const NameRow rows[] = {
        {"K1ABC", QDateTime(QDate(2026, 12, 6), QTime(9, 5)), "K1ABC"},
        {"K1ABC/P", QDateTime(QDate(2026, 12, 6), QTime(9, 5)), "K1ABC_P"},
        {" DL1XYZ", QDateTime(QDate(2026, 12, 6), QTime(9, 5)), " DL1XYZ"},
        {"", QDateTime(QDate(2026, 12, 6), QTime(9, 5, 59)), "QSL_090505_120626"},
        {"", QDateTime(QDate(2031, 1, 2), QTime(23, 59)), "QSL_235959_010231"},
    };
    for (const NameRow &row : rows)
        EXPECT_EQ(cardBaseName(row.callSign, row.now), row.baseName);
}

struct ProposalRow {
    const char *name;
    const char *folder;
    const char *callSign;
    const char *expected;
};

class PrintFileProposals : public ::testing::TestWithParam<ProposalRow> {};

// Print to File proposes the card folder and the call sign's file name, like the pictures.
TEST_P(PrintFileProposals, CardFolderAndFileName)
{
    const ProposalRow &row = GetParam();
    const QDateTime now(QDate(2026, 12, 6), QTime(9, 5));
    EXPECT_EQ(std::string(row.expected),
              printFileProposal(row.folder, row.callSign, now).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Names, PrintFileProposals,
    ::testing::Values(ProposalRow{"plain", "/srv/qsl/", "K1ABC", "/srv/qsl/K1ABC.pdf"},
                      ProposalRow{"portable", "/srv/qsl/", "K1ABC/P", "/srv/qsl/K1ABC_P.pdf"},
                      ProposalRow{"noCallSign", "/srv/qsl/", "", "/srv/qsl/QSL_090505_120626.pdf"},
                      ProposalRow{"currentFolder", "", "DL1XYZ", "DL1XYZ.pdf"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
