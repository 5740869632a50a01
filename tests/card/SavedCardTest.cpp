#include "SavedCard.h"

#include "ImageBitmap.h"
#include "JpegWriter.h"
#include "KartelloError.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace card;

// ---- Load QSL: the lines of a contact info file into the QSO fields ----

struct SavedLinesRow {
    const char *label;
    QStringList lines;
    QStringList fields;
    std::optional<QString> email;
    std::optional<int> missingLine;
};

const QStringList kSeven = {"DL1ABC", "4.5.2024", "12:30", "14.074", "FT8", "100W", "-10"};

class SavedQsoLines : public ::testing::TestWithParam<SavedLinesRow> {};

TEST_P(SavedQsoLines, FillTheFieldsInOrder)
{
    const SavedQso qso = savedQsoFromLines(GetParam().lines);
    EXPECT_EQ(GetParam().fields, qso.fields);
    EXPECT_EQ(GetParam().email, qso.contactEmail);
    EXPECT_EQ(GetParam().missingLine, qso.missingLine);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SavedQsoLines,
    ::testing::Values(
        SavedLinesRow{"WithAddress", QStringList{"op@example.org"} + kSeven, kSeven,
                      QString("op@example.org"), std::nullopt},
        SavedLinesRow{"PlaceholderKept", QStringList{"Contact's Email"} + kSeven, kSeven,
                      std::nullopt, std::nullopt},
        SavedLinesRow{"ExtraLinesIgnored", QStringList{"a@b"} + kSeven + QStringList{"x"},
                      kSeven, QString("a@b"), std::nullopt},
        // A short file fills what it has; the e-mail field is not touched.
        SavedLinesRow{"FiveLines", QStringList{"a@b"} + kSeven.mid(0, 4), kSeven.mid(0, 4),
                      std::nullopt, 5},
        SavedLinesRow{"OneLine", QStringList{"a@b"}, QStringList{}, std::nullopt, 1},
        SavedLinesRow{"Empty", QStringList{}, QStringList{}, std::nullopt, 1}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- Load Bkg: pictures decoded into a bitmap ----

// A 640 x 480 picture in four flat quadrants, so that a lossy copy keeps each colour.
QImage quadrants()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 320, 240, QColor(200, 30, 30));
    p.fillRect(320, 0, 320, 240, QColor(30, 200, 30));
    p.fillRect(0, 240, 320, 240, QColor(30, 30, 200));
    p.fillRect(320, 240, 320, 240, QColor(230, 230, 30));
    return image;
}

enum class Writer { QtBmp, QtBmpHalf, QtBmpHundredBytes, QtBmpHalfAsPng, QtPng, Libjpeg, Garbage, Nothing };

struct PictureRow {
    const char *label;
    const char *fileName;
    Writer writer;
    Picture::Kind kind;   // what a good file loads as
    const char *error;        // the failure's text ("%1" = path), or "" for none
};

class BackgroundPictures : public ::testing::TestWithParam<PictureRow> {};

TEST_P(BackgroundPictures, LoadAsTheOperatorExpects)
{
    const PictureRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(row.fileName);
    const QImage source = quadrants();
    switch (row.writer) {
    case Writer::QtBmp: ASSERT_TRUE(source.save(path, "BMP")); break;
    case Writer::QtPng: ASSERT_TRUE(source.save(path, "PNG")); break;
    case Writer::QtBmpHalf:
    case Writer::QtBmpHalfAsPng:
    case Writer::QtBmpHundredBytes: {
        // A 24-bit bitmap cut to half its pixel data, or to 100 bytes.
        ASSERT_TRUE(source.save(path, "BMP"));
        QFile f(path);
        ASSERT_TRUE(f.resize(row.writer == Writer::QtBmpHundredBytes ? 100 : 54 + 640 * 3 * 240));
        break;
    }
    case Writer::Libjpeg: {
        JpegWriter jpeg;
        jpeg.setQuality(95);
        jpeg.assign(bitmapFromImage(source));
        jpeg.saveToFile(path);
        break;
    }
    case Writer::Garbage: {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
        break;
    }
    case Writer::Nothing: break;
    }

    const QString expectedError = QString::fromLatin1(row.error).arg(path);
    try {
        const Picture picture = loadBackgroundPicture(path);
        EXPECT_EQ("", expectedError.toStdString());
        EXPECT_EQ(row.kind, picture.kind());
        if (picture.isBitmap()) {
            ASSERT_EQ(QSize(640, 480), picture.image().size());
            const QImage image = picture.image();
            for (QPoint at : {QPoint(10, 10), QPoint(630, 10), QPoint(10, 470), QPoint(630, 470)}) {
                const QColor want = source.pixelColor(at), got = image.pixelColor(at);
                EXPECT_NEAR(want.red(), got.red(), 6) << at.x() << "," << at.y();
                EXPECT_NEAR(want.green(), got.green(), 6);
                EXPECT_NEAR(want.blue(), got.blue(), 6);
            }
        }
    } catch (const KartelloError &e) {
        EXPECT_EQ(expectedError, e.text());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BackgroundPictures,
    ::testing::Values(
        PictureRow{"Bitmap", "bkg.bmp", Writer::QtBmp, Picture::Bitmap, ""},
        PictureRow{"Png", "photo.png", Writer::QtPng, Picture::Bitmap, ""},
        PictureRow{"Jpeg", "photo.jpg", Writer::Libjpeg, Picture::Bitmap, ""},
        PictureRow{"JpegLongSuffix", "photo.JPEG", Writer::Libjpeg, Picture::Bitmap, ""},
        PictureRow{"BrokenBitmap", "bad.bmp", Writer::Garbage, Picture::Empty,
                   "Bitmap image is not valid"},
        PictureRow{"BitmapCutToHalf", "half.bmp", Writer::QtBmpHalf, Picture::Empty,
                   "Bitmap image is not valid"},
        PictureRow{"BitmapCutTo100Bytes", "short.bmp", Writer::QtBmpHundredBytes,
                   Picture::Empty, "Bitmap image is not valid"},
        PictureRow{"CutBitmapNamedPng", "half.png", Writer::QtBmpHalfAsPng, Picture::Empty,
                   "PNG image is not valid"},
        PictureRow{"BrokenJpeg", "bad.jpg", Writer::Garbage, Picture::Empty,
                   "JPEG image is not valid"},
        PictureRow{"BrokenPng", "bad.png", Writer::Garbage, Picture::Empty,
                   "PNG image is not valid"},
        PictureRow{"Missing", "gone.bmp", Writer::Nothing, Picture::Empty,
                   "Cannot open file %1"},
        PictureRow{"UnknownExtension", "notes.txt", Writer::Garbage, Picture::Empty,
                   "Unknown picture file extension (.txt)"}),
    [](const auto &info) { return std::string(info.param.label); });

// A transparent part of a PNG shows the card's white, as a bitmap of it would.
TEST(BackgroundPictures, TransparentPngPartsAreWhite)
{
    QTemporaryDir dir;
    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(5, 5, QColor(10, 20, 30));
    ASSERT_TRUE(image.save(dir.filePath("a.png")));
    const Picture picture = loadBackgroundPicture(dir.filePath("a.png"));
    EXPECT_FALSE(picture.image().hasAlphaChannel());
    EXPECT_EQ(QColor(Qt::white), picture.image().pixelColor(0, 0));
    EXPECT_EQ(QColor(10, 20, 30), picture.image().pixelColor(5, 5));
}
