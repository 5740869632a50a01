#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>


// What the card outputs (Create JPG, Create GIF, Copy QSL) need of the main window.
class CardOutputHost
{
public:
    virtual ~CardOutputHost() = default;
    // Runs the check before output with an empty purpose; true means stop.
    virtual bool shouldStopOutput() = 0;
    // Takes a fresh snapshot into the picture holder and leaves the entry overlays hidden.
    virtual void snapshotCard() = 0;
    // The picture holder's snapshot.
    virtual QImage snapshot() const = 0;
    virtual QString contactCallSign() const = 0;
    // Shows the seven entry overlays again and gives the focus to the call-sign field.
    virtual void showOverlays() = 0;
    virtual void writeContactsInfo() = 0;
    // The save dialog's file name: the initial name before it opens, the chosen path after.
    // The state file remembers it between runs.
    virtual void setSaveDialogFileName(const QString &) {}
};

// The name of picture files: the call sign as a file name allows it (K1ABC/P gives K1ABC_P),
// or "QSL" + "_hhmmnn_mmddyy" of localNow when the call sign is empty (09:05 on 6 December 2026
// gives QSL_090505_120626; the minute stands twice).
QString cardBaseName(const QString &callSign, const QDateTime &localNow);

// The file Print to File proposes: the card folder, the card's base name and ".pdf", so a
// printed card lands beside its picture (K1ABC/P with "/srv/qsl/" gives /srv/qsl/K1ABC_P.pdf).
QString printFileProposal(const QString &cardFolder, const QString &callSign,
                          const QDateTime &localNow);

// The file Print to File proposes for Print Selected: the card folder, the log's name and
// ".pdf", the name `kartello cards --format pdf` gives the same log ("/logs/field day.adi" with
// "/srv/qsl/" gives /srv/qsl/field day.pdf).
QString batchPrintFileProposal(const QString &cardFolder, const QString &logPath);

// "temp.bmp" (in the executable's folder, or in the operator's cache folder for an installed
// copy), where the snapshot lies while a picture is made.
QString tempBitmapPath();

// Create JPG and Create GIF: check, snapshot, save dialog on the card folder, replace
// question, picture file, card folder, contact info file. However they end after the
// snapshot, "temp.bmp" is removed and the overlays come back with the focus on the call
// sign; an error is passed on to the caller after that.
void exportCardJpeg(CardOutputHost &host);
void exportCardGif(CardOutputHost &host);

// Copy QSL: check, snapshot, exactly one image on the clipboard, overlays back, contact info.
void copyCardToClipboard(CardOutputHost &host);

// The main window's Print: check, snapshot, overlays back, then the print window (shown
// modally by showPrintWindow).
void printCard(CardOutputHost &host, const std::function<void()> &showPrintWindow);

// The batch runs' JPEG: snapshot through "temp.bmp" into a JPEG file at path, asking nothing
// and leaving the card folder alone; "temp.bmp" is removed however it ends.
void saveSnapshotJpg(const QImage &snapshot, const QString &path);
