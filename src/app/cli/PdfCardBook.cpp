#include "PdfCardBook.h"

#include "KartelloError.h"

#include <QPdfWriter>

PdfCardBook::PdfCardBook(const QString &path)
    : m_file(path)
{
}

PdfCardBook::~PdfCardBook()
{
    cancel();
}

void PdfCardBook::start()
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw KartelloError::cannotCreate(m_file.fileName());
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setPageLayout(LetterSheet::pageLayout());
    m_writer->setTitle(QStringLiteral("Batch QSL print"));
    m_writer->setCreator(QStringLiteral("Kartello"));
    if (!m_painter.begin(m_writer.get()))
        throw KartelloError::cannotCreate(m_file.fileName());
}

void PdfCardBook::addCard(const QImage &card)
{
    if (m_done)
        return;
    if (!m_writer)
        start();
    if (m_onPage == 0)
        m_page.clearSlots();
    m_page.setSlotPicture(m_onPage, card);
    ++m_cards;
    if (++m_onPage == LetterSheet::SlotCount)
        putPageOut();
}

void PdfCardBook::putPageOut()
{
    if (m_pages > 0)
        m_writer->newPage();
    m_page.paintBand(m_painter, m_writer->resolution());
    ++m_pages;
    m_onPage = 0;
}

void PdfCardBook::finish()
{
    if (m_done || !m_writer)
        return;
    if (m_onPage > 0)
        putPageOut();
    m_painter.end();
    m_done = true;
    if (!m_file.commit())
        throw KartelloError::cannotCreate(m_file.fileName());
}

void PdfCardBook::cancel()
{
    if (m_done)
        return;
    m_done = true;
    if (m_painter.isActive())
        m_painter.end();
    m_file.cancelWriting();
}
