#include "PictureOpenDialog.h"

#include "BitmapFile.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {

constexpr int kPreviewSide = 200;

// The picture at path scaled to the pane, or a null image for anything that is not a whole
// picture: a general reader leaves the missing rows of a cut-off bitmap as memory held them.
QImage previewImage(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)
        || !bitmapPixelDataComplete(file.peek(64), file.size()))
        return QImage();
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

PictureOpenDialog::PictureOpenDialog(QWidget *parent, const QString &title,
                                     const QString &initialDir, const QString &filter)
    : QFileDialog(parent, title, initialDir, filter)
{
    setObjectName(QStringLiteral("OpenPictureDialog1"));
    // The pane needs Qt's own dialog: a desktop's native one takes no widget of ours.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("PicturePreview"));
    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::showPreview);
}

void PictureOpenDialog::showPreview(const QString &path)
{
    const QImage image = previewImage(path);
    if (image.isNull())
        m_preview->clear();
    else
        m_preview->setPixmap(QPixmap::fromImage(image));
}
