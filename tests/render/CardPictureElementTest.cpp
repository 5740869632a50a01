#include "KartelloError.h"
#include "RenderTestSupport.h"
#include "CardPictureElement.h"
#include "TestNames.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every pixel tells where it came from: red + green carry x, blue + green carry y.
QImage coordinateBitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, ((x >> 8) << 4) | (y >> 8), y & 0xFF));
    return image;
}

QPoint sourceOf(QRgb pixel)
{
    return QPoint(qRed(pixel) | ((qGreen(pixel) >> 4) << 8), qBlue(pixel) | ((qGreen(pixel) & 0xF) << 8));
}

// The card: a 511 x 280 band with the background element at (-1, -1), 513 x 282,
// stretch off, centre on.
struct CardFixture : BandFixture
{
    CardFixture() : BandFixture(511, 280), image(new CardPictureElement(form.get()))
    {
        image->setParentWidget(band);
        image->setBounds(-1, -1, 513, 282);
        image->setStretch(false);
        image->setCenter(true);
    }
    CardPictureElement *image;
};

struct CropRow
{
    int width, height;
    QPoint firstShown; // the bitmap pixel at card (0, 0); negative when white lies around
};

void PrintTo(const CropRow &row, std::ostream *os)
{
    *os << row.width << "x" << row.height;
}

class CardBackground : public ::testing::TestWithParam<CropRow> {};

TEST_P(CardBackground, BitmapIsCentredAndCroppedEquallyOnBothSides)
{
    const CropRow &row = GetParam();
    CardFixture card;
    card.image->setPicture(Picture::fromImage(coordinateBitmap(row.width, row.height)));
    const QImage shot = card.snapshot();
    int mismatches = 0;
    for (int y = 0; y < 280; ++y) {
        for (int x = 0; x < 511; ++x) {
            const QPoint source(x + row.firstShown.x(), y + row.firstShown.y());
            const bool inside = QRect(0, 0, row.width, row.height).contains(source);
            const QRgb actual = shot.pixel(x, y);
            if (inside ? sourceOf(actual) != source : actual != qRgb(255, 255, 255))
                ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
    if (QRect(0, 0, row.width, row.height).contains(row.firstShown)) {
        EXPECT_EQ(sourceOf(shot.pixel(0, 0)), row.firstShown);
    }
}

INSTANTIATE_TEST_SUITE_P(CardPictureElement, CardBackground,
                         ::testing::Values(CropRow{600, 300, {44, 10}},  // columns 44 to 554
                                           CropRow{640, 480, {64, 100}}, // columns 64 to 574
                                           CropRow{511, 280, {0, 0}},    // exactly the card
                                           CropRow{200, 100, {-155, -90}}),
                         [](const auto &info) {
                             return std::to_string(info.param.width) + "x"
                                    + std::to_string(info.param.height);
                         });

TEST(CardPictureElement, StretchFillsTheElement)
{
    BandFixture fixture(120, 120);
    auto *image = new CardPictureElement(fixture.form.get());
    image->setParentWidget(fixture.band);
    image->setBounds(10, 10, 100, 100);
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(255, 0, 0));
    bitmap.setPixel(1, 0, qRgb(0, 255, 0));
    bitmap.setPixel(0, 1, qRgb(0, 0, 255));
    bitmap.setPixel(1, 1, qRgb(0, 0, 0));
    image->setPicture(Picture::fromImage(bitmap));
    const QImage shot = fixture.snapshot();
    EXPECT_EQ(shot.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(109, 10), qRgb(0, 255, 0));
    EXPECT_EQ(shot.pixel(10, 109), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(109, 109), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(110, 110), qRgb(255, 255, 255));
}

TEST(CardPictureElement, WithoutCentreTheBitmapStartsAtTheCorner)
{
    CardFixture card;
    card.image->setCenter(false);
    card.image->setPicture(Picture::fromImage(coordinateBitmap(600, 300)));
    EXPECT_EQ(sourceOf(card.snapshot().pixel(0, 0)), QPoint(1, 1));
}

TEST(CardPictureElement, AutoSizeTakesThePictureSize)
{
    CardPictureElement image;
    image.setPicture(Picture::fromImage(coordinateBitmap(30, 20)));
    EXPECT_EQ(image.width(), 100);
    image.setAutoSize(true);
    EXPECT_EQ(image.geometry(), QRect(0, 0, 30, 20));
    image.setPicture(Picture::fromImage(coordinateBitmap(40, 50)));
    EXPECT_EQ(image.geometry(), QRect(0, 0, 40, 50));
}

// A picture that is not a bitmap shows as a white box with a black dash-dot outline.
void expectPlaceholder(const QImage &shot, const QRect &element)
{
    const int right = element.right(), bottom = element.bottom();
    EXPECT_EQ(shot.pixel(element.center()), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(element.left() + 1, element.top() + 1), qRgb(255, 255, 255));
    int black = 0, white = 0;
    for (int x = element.left(); x <= right; ++x)
        (shot.pixel(x, element.top()) == qRgb(0, 0, 0) ? black : white)++;
    EXPECT_GT(black, element.width() / 3) << "outline missing";
    EXPECT_GT(white, element.width() / 10) << "outline is not dashed";
    int leftEdge = 0, rightEdge = 0, bottomEdge = 0;
    for (int y = element.top(); y <= bottom; ++y) {
        leftEdge += shot.pixel(element.left(), y) == qRgb(0, 0, 0);
        rightEdge += shot.pixel(right, y) == qRgb(0, 0, 0);
    }
    for (int x = element.left(); x <= right; ++x)
        bottomEdge += shot.pixel(x, bottom) == qRgb(0, 0, 0);
    EXPECT_GT(leftEdge, element.height() / 3);
    EXPECT_GT(rightEdge, element.height() / 3);
    EXPECT_GT(bottomEdge, element.width() / 3);
}

class NotABitmap : public ::testing::TestWithParam<const char *> {};

TEST_P(NotABitmap, ShowsThePlaceholderInsteadOfThePicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bkg.") + GetParam());
    if (QByteArray(GetParam()) == "gif") { // Qt reads GIF but does not write it
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("GIF87a\x50\x00\x3c\x00\x00\x00\x00;");
    } else {
        ASSERT_TRUE(coordinateBitmap(80, 60).save(path));
    }
    BandFixture fixture(120, 100);
    fixture.band->setColor(QColor(0, 128, 0));
    auto *image = new CardPictureElement(fixture.form.get());
    image->setParentWidget(fixture.band);
    image->setBounds(5, 5, 100, 80);
    image->picture().loadFromFile(path);
    expectPlaceholder(fixture.snapshot(), QRect(5, 5, 100, 80));
}

INSTANTIATE_TEST_SUITE_P(CardPictureElement, NotABitmap, ::testing::Values("jpg", "gif", "ico"),
                         [](const auto &info) { return testName(info.param); });

TEST(CardPictureElement, EmptyPictureShowsThePlaceholder)
{
    BandFixture fixture(120, 100);
    auto *image = new CardPictureElement(fixture.form.get());
    image->setParentWidget(fixture.band);
    image->setBounds(0, 0, 100, 80);
    expectPlaceholder(fixture.snapshot(), QRect(0, 0, 100, 80));
}

TEST(CardPictureElement, BitmapFileIsShown)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bkg.bmp"));
    ASSERT_TRUE(coordinateBitmap(513, 282).save(path));
    CardFixture card;
    card.image->picture().loadFromFile(path);
    EXPECT_EQ(sourceOf(card.snapshot().pixel(0, 0)), QPoint(1, 1));
}

struct LoadErrorRow
{
    const char *fileName;
    const char *content; // nullptr: the file does not exist
    const char *error;   // %1 is the path, %2 the suffix
};

void PrintTo(const LoadErrorRow &row, std::ostream *os)
{
    *os << row.fileName;
}

class PictureLoadErrors : public ::testing::TestWithParam<LoadErrorRow> {};

TEST_P(PictureLoadErrors, FailsWithItsTextAndKeepsThePicture)
{
    QTemporaryDir dir;
    const LoadErrorRow &row = GetParam();
    const QString path = dir.filePath(QString::fromUtf8(row.fileName));
    if (row.content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.content);
    }
    Picture picture = Picture::fromImage(coordinateBitmap(3, 3));
    try {
        picture.loadFromFile(path);
        FAIL() << "no error";
    } catch (const KartelloError &error) {
        QString expected = QString::fromUtf8(row.error);
        expected.replace(QStringLiteral("%1"), path).replace(QStringLiteral("%2"), QFileInfo(path).suffix());
        EXPECT_EQ(error.text().toStdString(), expected.toStdString());
    }
    EXPECT_TRUE(picture.isBitmap());
    EXPECT_EQ(picture.width(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Picture, PictureLoadErrors,
    ::testing::Values(LoadErrorRow{"missing.bmp", nullptr, "Cannot open file %1"},
                      LoadErrorRow{"card.txt", "text", "Unknown picture file extension (.%2)"},
                      LoadErrorRow{"broken.bmp", "BMnot really", "Bitmap image is not valid"}),
    [](const auto &info) { return testName(info.param.fileName); });

} // namespace
