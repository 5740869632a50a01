#pragma once

#include <QImage>
#include <QPageLayout>
#include <QObject>
#include <QRectF>
#include <QString>

#include <array>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

// The print page of the print window ("QuickRep1"): a US Letter portrait page with 12.7 mm
// margins and one title band ("QRBand1", 190.5 x 224.37 mm, white) holding three card slots
// ("QRImage1".."QRImage3") one below the other at its left edge. A slot holds a copy of the
// card snapshot or nothing; a picture prints at its natural size, one pixel per 1/96 inch,
// from the slot's top-left corner and clipped to the slot. An empty slot prints nothing.
class LetterSheet : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ReportTitle READ reportTitle WRITE setReportTitle)

public:
    static constexpr int SlotCount = 3;
    static constexpr double MarginMm = 12.7;
    static constexpr double BandWidthMm = 190.5;
    static constexpr double BandHeightMm = 224.37;
    static constexpr double PixelsPerInch = 96.0;

    explicit LetterSheet(QObject *parent = nullptr);
    ~LetterSheet() override;

    QString reportTitle() const { return m_title; }
    void setReportTitle(const QString &title) { m_title = title; }

    // slot is 0, 1 or 2 (QRImage1..QRImage3).
    void setSlotPicture(int slot, const QImage &picture);
    void clearSlot(int slot);
    void clearSlots();
    QImage slotPicture(int slot) const;

    // A slot's place on the band, in millimetres from the band's top-left corner.
    static QRectF slotRectMm(int slot);

    // Letter, portrait, 12.7 mm margins.
    static QPageLayout pageLayout();

    // Puts the page set-up on the printer: Letter, portrait, margins, one copy, no duplex,
    // all pages.
    void setupPrinter(QPrinter &printer) const;

    // Paints the band with its slots at the painter's origin (the top-left corner of the
    // margins) on a device of the given dots per inch. Pictures are drawn losslessly where
    // the device can (a PDF keeps the card's exact pixels).
    void paintBand(QPainter &painter, double resolution) const;

    // Sets the page up, titles the job with the report title and prints the one page while
    // the "Printing progress" window is shown over progressParent. Throws KartelloError when
    // the printer cannot be opened ("Cannot create file %s" for output to a file).
    void print(QPrinter &printer, QWidget *progressParent = nullptr);

    // One print job of several pages under the report title, as the batch print makes it: a
    // PDF or a printer gets every page, not only the last. beginJob() opens the job (throws
    // as print() does), printPage() adds a page with the slots as they are then, endJob()
    // closes it; a job not ended is closed with the page object.
    void beginJob(QPrinter &printer);
    void printPage();
    void endJob();
    int jobPages() const { return m_jobPages; }

private:
    void paintPage(QPrinter &printer);
    static std::unique_ptr<QPainter> openPainter(QPrinter &printer);

    std::array<QImage, SlotCount> m_slots;
    QString m_title;
    QPrinter *m_jobPrinter = nullptr;
    std::unique_ptr<QPainter> m_jobPainter;
    int m_jobPages = 0;
};
