#pragma once

#include <QImage>
#include <QObject>

#include <memory>

class ControlLookup;
class KeyboardFocusHost;
class QsoEntryParts;
class QsoEntryController;
class PrintWindow;
class QLabel;

// Card outputs: Create JPG, Create GIF, Copy QSL and Print, and the snapshot of the card they
// share (also taken by the batch runs).
class CardOutputsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers and creates the hidden print window.
    // The card is that of qso, checked and written down by qsoEntry.
    CardOutputsController(ControlLookup &controls, QsoEntryParts &qso, KeyboardFocusHost &focus,
                          QsoEntryController &qsoEntry);
    ~CardOutputsController() override;

    // Create JPG: check, snapshot, save dialog, JPEG file, contact info file.
    void createJpeg();
    // Copy QSL: check, snapshot, the card on the clipboard, contact info file.
    void copyToClipboard();
    // Create GIF: as Create JPG, as a GIF file.
    void createGif();
    // Print: check, snapshot, then the print window.
    void printCard();

    // Takes the card as it is painted into the picture holder `Image1`; the entry overlays
    // are left hidden.
    void snapshotCard();
    // The picture holder's latest snapshot.
    QImage snapshotImage() const;
    // Shows the seven entry overlays again and focuses the call sign.
    void showEntryOverlays();
    // The batch runs' JPEG of the latest snapshot, written to path without questions.
    void saveSnapshotJpeg(const QString &path);
    // The print window, hidden until Print shows it.
    PrintWindow &printWindow() const { return *m_printWindow; }

private:
    QLabel *snapshotHolder() const;
    // The card folder and the call sign's file name as a PDF, for Print to File.
    QString proposedPrintFile() const;

    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    KeyboardFocusHost &m_focus;
    QsoEntryController &m_qsoEntry;
    mutable QLabel *m_snapshotHolder = nullptr;
    // A window of its own rather than a child of the main window, kept for exactly the
    // main window's lifetime.
    std::unique_ptr<PrintWindow> m_printWindow;
};
