#pragma once

#include "RecordedPage.h"

#include <QPoint>
#include <QSize>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;

enum class PaperSize { A4, A5, Legal, Letter };
enum class PrinterOrientation { Portrait, Landscape };

// Paper size in millimetres, portrait (A4 210 x 297, A5 148 x 210, Legal 215 x 355,
// Letter 215 x 279).
QSize paperSizeMM(PaperSize paper);
// A page of the paper in pixels at ppi: each side round(ppi x mm / 25.4), halves to even;
// width and height swapped for landscape.
QSize pagePixels(PaperSize paper, PrinterOrientation orientation, int ppi);

// The report printer's pages, owned.
using RecordedPages = std::vector<std::unique_ptr<RecordedPage>>;

// The report printer: draws either into preview pages (preview mode, the default) or onto
// the system printer. One shared object, see reportPrinter().
class ReportPrinter
{
public:
    ReportPrinter();
    ~ReportPrinter();

    bool previewMode() const { return m_previewMode; }
    void setPreviewMode(bool preview);

    // Preview mode: the screen's pixels per inch, offset (0, 0), the paper's size at that
    // resolution. Printer mode: the printer's resolution, printable offset and page size.
    void updatePageMetrics();
    // Preview: closes the current page and starts a new one. Printer: a new printer page.
    void newPage();
    // Where elements print. Preview mode creates the first page when there is none.
    // Raises "AlPrinter could not assign the Canvas" when no canvas can be had.
    QPainter &canvas();
    int pageCount() const;
    // Finishes the printed document (printer mode) or the current page's drawing (preview).
    void endDoc();

    PrinterOrientation orientation() const { return m_orientation; }
    void setOrientation(PrinterOrientation orientation);
    PaperSize paperSize() const { return m_paperSize; }
    void setPaperSize(PaperSize paper);

    const RecordedPages &pages() const { return m_pages; }
    RecordedPage *currentPage() const { return m_currentPage; }
    QPoint printingOffset() const { return m_offset; }
    int pageWidth() const { return m_pageWidth; }
    int pageHeight() const { return m_pageHeight; }
    int pixelsPerInchX() const { return m_ppiX; }
    int pixelsPerInchY() const { return m_ppiY; }
    // The printer used in printer mode (created on first use), e.g. to print to a PDF file.
    QPrinter &printer();
    // Drops every preview page.
    void clearPages();

private:
    bool m_previewMode = true;
    RecordedPages m_pages;
    RecordedPage *m_currentPage = nullptr;
    PrinterOrientation m_orientation = PrinterOrientation::Portrait;
    PaperSize m_paperSize = PaperSize::A4;
    QPoint m_offset;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    int m_ppiX = 96;
    int m_ppiY = 96;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_printerPainter;
    int m_printerPages = 0;
};

// The shared report printer, created on first use and freed as the application ends.
ReportPrinter &reportPrinter();
