#pragma once

#include "LetterSheet.h"

#include <QPainter>
#include <QSaveFile>

#include <memory>

class QPdfWriter;

// One PDF file of cards, three to a Letter page in the slots of the print page and the last
// page with the one or two cards left, as Print Selected lays them out; the cards keep their
// exact pixels. The file appears only when finish() succeeds: until then it is written
// beside its name, and a book that is cancelled or destroyed unfinished leaves a previous
// file of that name as it was.
class PdfCardBook
{
public:
    explicit PdfCardBook(const QString &path);
    ~PdfCardBook();
    PdfCardBook(const PdfCardBook &) = delete;
    PdfCardBook &operator=(const PdfCardBook &) = delete;

    // Throws "Cannot create file <path>" when the file cannot be started.
    void addCard(const QImage &card);
    // Puts the last page out and the file in place. Throws "Cannot create file <path>".
    void finish();
    void cancel();

    int cardCount() const { return m_cards; }
    int pageCount() const { return m_pages; }

private:
    void start();
    void putPageOut();

    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    LetterSheet m_page;
    int m_onPage = 0;
    int m_cards = 0;
    int m_pages = 0;
    bool m_done = false;
};
