#include "ReportPrinter.h"

#include "KartelloError.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <cmath>

namespace {

int screenPixelsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

std::unique_ptr<ReportPrinter> &sharedPrinter()
{
    static std::unique_ptr<ReportPrinter> printer;
    return printer;
}

void freeSharedPrinter()
{
    sharedPrinter().reset();
}

} // namespace

QSize paperSizeMM(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A4: return QSize(210, 297);
    case PaperSize::A5: return QSize(148, 210);
    case PaperSize::Legal: return QSize(215, 355);
    case PaperSize::Letter: return QSize(215, 279);
    }
    return QSize(210, 297);
}

QSize pagePixels(PaperSize paper, PrinterOrientation orientation, int ppi)
{
    QSize mm = paperSizeMM(paper);
    if (orientation == PrinterOrientation::Landscape)
        mm.transpose();
    return QSize(roundHalfEven(ppi * mm.width() / 25.4), roundHalfEven(ppi * mm.height() / 25.4));
}

ReportPrinter::ReportPrinter()
{
    updatePageMetrics();
}

ReportPrinter::~ReportPrinter()
{
    endDoc();
    clearPages();
}

void ReportPrinter::setPreviewMode(bool preview)
{
    if (m_previewMode == preview)
        return;
    m_previewMode = preview;
    updatePageMetrics();
}

QPrinter &ReportPrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageOrientation(m_orientation == PrinterOrientation::Landscape
                                          ? QPageLayout::Landscape
                                          : QPageLayout::Portrait);
    }
    return *m_printer;
}

void ReportPrinter::updatePageMetrics()
{
    if (m_previewMode) {
        m_ppiX = m_ppiY = screenPixelsPerInch();
        m_offset = QPoint(0, 0);
        const QSize page = pagePixels(m_paperSize, m_orientation, m_ppiX);
        m_pageWidth = page.width();
        m_pageHeight = page.height();
        return;
    }
    QPrinter &p = printer();
    m_ppiX = p.logicalDpiX();
    m_ppiY = p.logicalDpiY();
    const QRectF paper = p.paperRect(QPrinter::DevicePixel);
    const QRectF page = p.pageRect(QPrinter::DevicePixel);
    m_offset = (page.topLeft() - paper.topLeft()).toPoint();
    m_pageWidth = qRound(paper.width());
    m_pageHeight = qRound(paper.height());
}

void ReportPrinter::newPage()
{
    if (m_previewMode) {
        if (m_currentPage)
            m_currentPage->closeDrawing();
        m_pages.push_back(std::make_unique<RecordedPage>(m_pageWidth, m_pageHeight));
        m_currentPage = m_pages.back().get();
        return;
    }
    if (!m_printerPainter) {
        m_printerPainter = std::make_unique<QPainter>();
        if (!m_printerPainter->begin(&printer())) {
            m_printerPainter.reset();
            throw KartelloError(QStringLiteral("AlPrinter could not assign the Canvas"));
        }
    } else {
        printer().newPage();
    }
    ++m_printerPages;
}

QPainter &ReportPrinter::canvas()
{
    if (m_previewMode) {
        if (!m_currentPage)
            newPage();
        if (!m_currentPage || !m_currentPage->canvas())
            throw KartelloError(QStringLiteral("AlPrinter could not assign the Canvas"));
        return *m_currentPage->canvas();
    }
    if (!m_printerPainter)
        newPage();
    return *m_printerPainter;
}

int ReportPrinter::pageCount() const
{
    return m_previewMode ? static_cast<int>(m_pages.size()) : m_printerPages;
}

void ReportPrinter::endDoc()
{
    if (m_currentPage)
        m_currentPage->closeDrawing();
    if (m_printerPainter) {
        m_printerPainter->end();
        m_printerPainter.reset();
        m_printerPages = 0;
    }
}

void ReportPrinter::setOrientation(PrinterOrientation orientation)
{
    m_orientation = orientation;
    if (!m_previewMode)
        printer().setPageOrientation(orientation == PrinterOrientation::Landscape
                                         ? QPageLayout::Landscape
                                         : QPageLayout::Portrait);
    updatePageMetrics();
}

void ReportPrinter::setPaperSize(PaperSize paper)
{
    m_paperSize = paper;
    updatePageMetrics();
}

void ReportPrinter::clearPages()
{
    if (m_currentPage)
        m_currentPage->closeDrawing();
    m_currentPage = nullptr;
    m_pages.clear();
}

ReportPrinter &reportPrinter()
{
    std::unique_ptr<ReportPrinter> &printer = sharedPrinter();
    if (!printer) {
        printer = std::make_unique<ReportPrinter>();
        qAddPostRoutine(freeSharedPrinter);
    }
    return *printer;
}
