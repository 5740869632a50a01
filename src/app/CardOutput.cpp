#include "CardOutput.h"

#include "CardPictureFiles.h"
#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "GifImage.h"
#include "JpegWriter.h"
#include "UserDialogs.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <functional>

namespace {

const QString ReplaceQuestion = QStringLiteral("File aready exist.  Replace it?");

// One picture format of the export: the file extension, the dialog filter and how the
// picture made before the dialog is written once the target is known.
struct PictureExport {
    QString extension;
    QString filter;
    std::function<void(const QString &target)> write;
};

// Dialog, replace question, file, card folder and contact info (steps after the picture is
// made). Returns without writing anything when the operator cancels or declines.
void saveThroughDialog(CardOutputHost &host, const QString &baseName, const PictureExport &format)
{
    const QString folder = cardFolder();
    host.setSaveDialogFileName(folder + baseName + format.extension);
    const QString chosen = userDialogs().saveFileName(QStringLiteral("Save As"), folder,
                                                      baseName + format.extension, format.filter);
    if (chosen.isEmpty())
        return;
    host.setSaveDialogFileName(chosen);
    // The file is always named after the call sign, whatever name was typed: Send QSL finds
    // the picture by that name.
    const QString target = folderPart(chosen) + baseName + format.extension;
    if (QFile::exists(target)) {
        userDialogs().placePointer(-20, 35);
        if (userDialogs().question(ReplaceQuestion, UserDialogs::Buttons::YesNo)
            != UserDialogs::Answer::Yes)
            return;
    }
    format.write(target);
    setCardFolderFromFile(target);
    host.writeContactsInfo();
}

// Runs body after the snapshot and then the finishing step, whatever body does.
void withFinishingStep(CardOutputHost &host, const std::function<void()> &body)
{
    auto finish = [&host] {
        QFile::remove(tempBitmapPath());
        host.showOverlays();
    };
    try {
        body();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

} // namespace

QString cardBaseName(const QString &callSign, const QDateTime &localNow)
{
    if (!callSign.isEmpty())
        return callSignFilePart(callSign);
    const QTime t = localNow.time();
    const QDate d = localNow.date();
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("QSL_") + two(t.hour()) + two(t.minute()) + two(t.minute())
           + QLatin1Char('_') + two(d.month()) + two(d.day()) + two(d.year() % 100);
}

QString printFileProposal(const QString &cardFolder, const QString &callSign,
                          const QDateTime &localNow)
{
    return cardFolder + cardBaseName(callSign, localNow) + QStringLiteral(".pdf");
}

QString batchPrintFileProposal(const QString &cardFolder, const QString &logPath)
{
    return cardFolder + QFileInfo(logPath).completeBaseName() + QStringLiteral(".pdf");
}

QString tempBitmapPath()
{
    return filePlaces().scratchPicture;
}

void exportCardJpeg(CardOutputHost &host)
{
    if (host.shouldStopOutput())
        return;
    host.snapshotCard();
    withFinishingStep(host, [&host] {
        const QString baseName = cardBaseName(host.contactCallSign(), QDateTime::currentDateTime());
        JpegWriter jpeg;
        jpeg.setQuality(100);
        jpeg.assign(throughBitmapFile(host.snapshot(), tempBitmapPath()));
        saveThroughDialog(host, baseName,
                          {QStringLiteral(".jpg"), QStringLiteral("JPG Files (*.jpg)"),
                           [&jpeg](const QString &target) { jpeg.saveToFile(target); }});
    });
}

void exportCardGif(CardOutputHost &host)
{
    if (host.shouldStopOutput())
        return;
    host.snapshotCard();
    withFinishingStep(host, [&host] {
        const QString baseName = cardBaseName(host.contactCallSign(), QDateTime::currentDateTime());
        GifImage gif;
        gif.assign(throughBitmapFile(host.snapshot(), tempBitmapPath()));
        saveThroughDialog(host, baseName,
                          {QStringLiteral(".gif"), QStringLiteral("GIF Files (*.gif)"),
                           [&gif](const QString &target) { gif.saveToFile(target); }});
    });
}

void copyCardToClipboard(CardOutputHost &host)
{
    if (host.shouldStopOutput())
        return;
    host.snapshotCard();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(host.snapshot());
    host.showOverlays();
    host.writeContactsInfo();
}

void printCard(CardOutputHost &host, const std::function<void()> &showPrintWindow)
{
    if (host.shouldStopOutput())
        return;
    host.snapshotCard();
    host.showOverlays();
    showPrintWindow();
}

void saveSnapshotJpg(const QImage &snapshot, const QString &path)
{
    const QString bmp = tempBitmapPath();
    try {
        writeCardJpeg(throughBitmapFile(snapshot, bmp), path);
    } catch (...) {
        QFile::remove(bmp);
        throw;
    }
    QFile::remove(bmp);
}
