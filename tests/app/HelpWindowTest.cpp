#include "MainWindowFixture.h"

#include "FlatButton.h"
#include "HelpWindow.h"
#include "features/HelpController.h"

#include <QApplication>
#include <QDesktopServices>
#include <QRegularExpression>
#include <QTextBlock>
#include <QtTest/QTest>

namespace {

const QString kGuideFolder = QStringLiteral(KARTELLO_SOURCE_DIR "/data/help/");

// Receives the URLs the guide hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// The pictures the guide shows, as its <img> elements name them.
QStringList guidePictures()
{
    QFile page(kGuideFolder + "Kartello.html");
    EXPECT_TRUE(page.open(QIODevice::ReadOnly));
    QStringList names;
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
    for (const QRegularExpressionMatch &m : img.globalMatch(QString::fromUtf8(page.readAll())))
        names << m.captured(1);
    return names;
}

// What lies beside the program: the guide and its pictures, the guide alone, or nothing.
struct GuideRow {
    const char *name;
    bool page;
    bool pictures;
};

void PrintTo(const GuideRow &row, std::ostream *os) { *os << row.name; }

class HelpGuide : public MainWindowFixture, public ::testing::WithParamInterface<GuideRow>
{
};

// Help shows the guide in Kartello's own window, with its title, its text and every picture,
// whatever a copy of the program carries beside it; no browser is asked.
TEST_P(HelpGuide, HelpShowsTheGuideWithItsPictures)
{
    const GuideRow &row = GetParam();
    if (row.page)
        QFile::copy(kGuideFolder + "Kartello.html", dir.filePath("Kartello.html"));
    if (row.pictures)
        for (const QString &picture : guidePictures())
            QFile::copy(kGuideFolder + picture, dir.filePath(picture));
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler("file", &desktop, "open");
    start();
    emit form->control<FlatButton>("EncartaButton4")->clicked();
    QDesktopServices::unsetUrlHandler("file");
    HelpWindow *help = form->help().window();
    ASSERT_NE(nullptr, help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ("Kartello - making and sending QSL cards", help->windowTitle());
    EXPECT_TRUE(help->browser()->toPlainText().contains("4. Sending a card by e-mail"));
    ASSERT_EQ(3, guidePictures().size());
    for (const QString &picture : guidePictures()) {
        const QVariant image = help->browser()->loadResource(QTextDocument::ImageResource, QUrl(picture));
        EXPECT_FALSE(image.value<QByteArray>().isEmpty() && image.value<QImage>().isNull())
            << picture.toStdString();
    }
    EXPECT_EQ(QList<QUrl>(), desktop.opened);
}

INSTANTIATE_TEST_SUITE_P(Copies, HelpGuide,
                         ::testing::Values(GuideRow{"PageAndPictures", true, true},
                                           GuideRow{"PageWithoutPictures", true, false},
                                           GuideRow{"NoPage", false, false}),
                         [](const auto &info) { return std::string(info.param.name); });

// The guide beside the program is the one shown (an operator's or a packager's edit), and
// both Help buttons show it in one window, read anew each time.
TEST_F(MainWindowFixture, HelpButtonsShowThePageBesideTheProgramInOneWindow)
{
    writeFile(dir.filePath("Kartello.html"), "<html><head><title>Own guide</title></head><body>One</body></html>");
    start();
    emit form->control<FlatButton>("EncartaButton3")->clicked();
    HelpWindow *help = form->help().window();
    ASSERT_NE(nullptr, help);
    EXPECT_EQ("Own guide", help->windowTitle());
    EXPECT_EQ("One", help->browser()->toPlainText());
    writeFile(dir.filePath("Kartello.html"), "<html><head><title>Own guide</title></head><body>Two</body></html>");
    emit form->control<FlatButton>("EncartaButton4")->clicked();
    EXPECT_EQ(help, form->help().window());
    EXPECT_EQ("Two", help->browser()->toPlainText());
    EXPECT_EQ(1, form->findChildren<HelpWindow *>().size());
}

// A link out of the guide, followed with the keyboard, goes to the desktop's browser; the
// guide stays in its window.
TEST_F(MainWindowFixture, LinksOutOfTheGuideGoToTheDesktop)
{
    writeFile(dir.filePath("Kartello.html"),
              "<html><head><title>Own guide</title></head><body><p><a href=\"#files\">Files</a> and "
              "<a href=\"https://adif.org.uk/\">ADIF</a></p><h2 id=\"files\">Files</h2></body></html>");
    start();
    emit form->control<FlatButton>("EncartaButton4")->clicked();
    HelpWindow *help = form->help().window();
    ASSERT_NE(nullptr, help);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    help->activateWindow();
    help->browser()->setFocus();
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler("https", &desktop, "open");
    for (int i = 0; i < 4 && !help->browser()->textCursor().charFormat().anchorHref().startsWith("https"); ++i)
        QTest::keyClick(help->browser(), Qt::Key_Tab);
    QTest::keyClick(help->browser(), Qt::Key_Return);
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(QList<QUrl>({QUrl("https://adif.org.uk/")}), desktop.opened);
    EXPECT_EQ("Own guide", help->windowTitle());
}

// Every picture the guide names ships with it and is built into the program.
TEST(HelpGuidePictures, ShippedAndBuiltIn)
{
    for (const QString &picture : guidePictures()) {
        EXPECT_TRUE(QFile::exists(kGuideFolder + picture)) << picture.toStdString();
        EXPECT_TRUE(QFile::exists(":/help/" + picture)) << picture.toStdString();
    }
    EXPECT_TRUE(QFile::exists(":/help/Kartello.html"));
}

} // namespace

#include "HelpWindowTest.moc"
