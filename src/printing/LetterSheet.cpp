#include "LetterSheet.h"

#include "KartelloError.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

namespace {

constexpr double SlotTopsMm[LetterSheet::SlotCount] = {0.0, 74.88, 149.75};
constexpr double SlotWidthMm = 135.47;
constexpr double SlotHeightMm = 74.08;
constexpr double MmPerInch = 25.4;

} // namespace

LetterSheet::LetterSheet(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("QuickRep1"));
}

LetterSheet::~LetterSheet() = default;

void LetterSheet::setSlotPicture(int slot, const QImage &picture)
{
    m_slots.at(slot) = picture.copy();
}

void LetterSheet::clearSlot(int slot)
{
    m_slots.at(slot) = QImage();
}

void LetterSheet::clearSlots()
{
    for (QImage &picture : m_slots)
        picture = QImage();
}

QImage LetterSheet::slotPicture(int slot) const
{
    return m_slots.at(slot);
}

QRectF LetterSheet::slotRectMm(int slot)
{
    return QRectF(0.0, SlotTopsMm[slot], SlotWidthMm, SlotHeightMm);
}

QPageLayout LetterSheet::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

void LetterSheet::setupPrinter(QPrinter &printer) const
{
    printer.setPageLayout(pageLayout());
    printer.setFullPage(false);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setFromTo(0, 0);
}

void LetterSheet::print(QPrinter &printer, QWidget *progressParent)
{
    setupPrinter(printer);
    printer.setDocName(m_title);

    QProgressDialog progress(progressParent);
    progress.setWindowTitle(QStringLiteral("Printing progress"));
    progress.setLabelText(QStringLiteral("Page 1"));
    progress.setCancelButton(nullptr);
    progress.setRange(0, 1);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    paintPage(printer);
    progress.setValue(1);
}

std::unique_ptr<QPainter> LetterSheet::openPainter(QPrinter &printer)
{
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer)) {
        if (!printer.outputFileName().isEmpty())
            throw KartelloError::cannotCreate(printer.outputFileName());
        throw KartelloError(QStringLiteral("Printer \"%1\" is not ready").arg(printer.printerName()));
    }
    return painter;
}

void LetterSheet::paintPage(QPrinter &printer)
{
    const std::unique_ptr<QPainter> painter = openPainter(printer);
    paintBand(*painter, printer.resolution());
    painter->end();
}

void LetterSheet::paintBand(QPainter &painter, double resolution) const
{
    const double dotsPerMm = resolution / MmPerInch;
    const double dotsPerPixel = resolution / PixelsPerInch;
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.fillRect(QRectF(0, 0, BandWidthMm * dotsPerMm, BandHeightMm * dotsPerMm), Qt::white);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QImage &picture = m_slots[slot];
        if (picture.isNull())
            continue;
        const QRectF mm = slotRectMm(slot);
        const QRectF area(mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm,
                          mm.height() * dotsPerMm);
        painter.save();
        painter.setClipRect(area);
        // The card goes to the page pixel for pixel: without this hint the PDF engine (and
        // what Qt hands a printer) stores it as a JPEG, with colour fringes on fine text.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(QRectF(area.topLeft(), QSizeF(picture.width() * dotsPerPixel,
                                                        picture.height() * dotsPerPixel)),
                          picture);
        painter.restore();
    }
}

void LetterSheet::beginJob(QPrinter &printer)
{
    endJob();
    setupPrinter(printer);
    printer.setDocName(m_title);
    m_jobPrinter = &printer;
    m_jobPages = 0;
}

void LetterSheet::printPage()
{
    if (!m_jobPrinter)
        return;
    // The job opens with its first page, so a run that prints nothing leaves no empty job.
    if (!m_jobPainter)
        m_jobPainter = openPainter(*m_jobPrinter);
    else if (!m_jobPrinter->newPage())
        throw KartelloError(QStringLiteral("Printer \"%1\" is not ready").arg(m_jobPrinter->printerName()));
    paintBand(*m_jobPainter, m_jobPrinter->resolution());
    ++m_jobPages;
}

void LetterSheet::endJob()
{
    if (m_jobPainter)
        m_jobPainter->end();
    m_jobPainter.reset();
    m_jobPrinter = nullptr;
}
