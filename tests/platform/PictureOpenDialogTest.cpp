// The picture-open dialog's preview pane: whole pictures show, scaled to the pane; anything
// else, a bitmap cut short among them, leaves the pane empty.
#include "PictureOpenDialog.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

enum class Content { Bitmap, CutBitmap, Png, Text };

struct PreviewRow {
    const char *name;
    const char *fileName;
    Content content;
    QSize shown;   // the preview's size; 0 x 0 when nothing shows
};

void PrintTo(const PreviewRow &row, std::ostream *os) { *os << row.name; }

class PicturePreview : public ::testing::TestWithParam<PreviewRow> {};

TEST_P(PicturePreview, ShowsWholePicturesOnly)
{
    const PreviewRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(row.fileName));
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    switch (row.content) {
    case Content::Bitmap: ASSERT_TRUE(picture.save(path, "BMP")); break;
    case Content::Png: ASSERT_TRUE(picture.save(path, "PNG")); break;
    case Content::CutBitmap: {
        ASSERT_TRUE(picture.save(path, "BMP"));
        QFile file(path);
        ASSERT_TRUE(file.resize(54 + 640 * 3 * 240));
        break;
    }
    case Content::Text: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no picture");
        break;
    }
    }
    PictureOpenDialog dialog(nullptr, QStringLiteral("Open"), dir.path(),
                             QStringLiteral("Pictures (*.bmp *.png *.txt)"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.preview()->parentWidget(), &dialog);
    dialog.showPreview(QStringLiteral("/no/such/picture.bmp"));
    dialog.showPreview(path);
    EXPECT_EQ(dialog.preview()->pixmap().size(), row.shown);
    if (!row.shown.isEmpty()) {
        EXPECT_EQ(dialog.preview()->pixmap().toImage().pixelColor(100, 75), QColor(200, 30, 30));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PicturePreview,
    ::testing::Values(PreviewRow{"Bitmap", "bkg.bmp", Content::Bitmap, QSize(200, 150)},
                      PreviewRow{"Png", "photo.png", Content::Png, QSize(200, 150)},
                      PreviewRow{"CutBitmap", "half.bmp", Content::CutBitmap, QSize(0, 0)},
                      PreviewRow{"NoPicture", "notes.txt", Content::Text, QSize(0, 0)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
