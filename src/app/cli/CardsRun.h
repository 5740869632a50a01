#pragma once

#include "CardsOptions.h"
#include "CardsProgress.h"
#include "features/BatchCard.h"
#include "QsoRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QHash>
#include <QSet>
#include <QTextStream>

#include <atomic>
#include <memory>
#include <vector>

class CardWriterPool;
class PdfCardBook;

// What a command-line run needs of the window: the power of rows whose record has none, and
// each card drawn exactly as JPG Selected draws it.
class CardPainter
{
public:
    virtual ~CardPainter() = default;
    // The power field's text as the window starts.
    virtual QString defaultPower() const = 0;
    // The card of one QSO list row, and the QSO fields the row filled in.
    virtual QImage paintCard(const QString &row, QsoRecord &filled) = 0;
    // The card of the rows of one call sign, one QSO each, in the order given (at most
    // card::kMaxQsosPerCard), and the fields each row filled in; one row gives the card
    // paintCard(row) gives. A painter that draws one QSO a card draws the first row only.
    virtual QImage paintCard(const std::vector<QString> &rows, std::vector<QsoRecord> &filled)
    {
        filled.assign(1, QsoRecord());
        return paintCard(rows.empty() ? QString() : rows.front(), filled.front());
    }
    // The QSOs the design's card lists at most ("QSOs per card").
    virtual int qsosPerCard() const { return 1; }
};

// One `kartello cards` run over its logs: reads them, selects the QSOs, draws each card on
// this thread and hands it to a pool of writers. Messages go to err; progress goes there too
// when showProgress is set (a terminal).
class CardsRun
{
public:
    CardsRun(const CardsOptions &options, CardPainter &painter, QTextStream &err,
             bool showProgress);
    ~CardsRun();

    // Makes the cards; the outcome says what was written. Stops between two cards once
    // stopRequested() turns true.
    CardsOutcome run();

private:
    // A QSO that the selection took.
    struct Selected
    {
        int row = 0;       // counted from 1 over all logs, as `kartello rows` prints them
        int log = 0;       // index into the options' logs
        QString rowText;   // the QSO list row
    };

    void readLogs();
    // Creates the output folder and makes sure it takes a file; false (and said) when it
    // does not, so that no card is drawn only to fail.
    bool prepareOutFolder();
    // Why the output folder takes no file now (full, read-only, gone), or empty.
    QString folderRefusal() const;
    // Reports the writers' new failures once each; true once one of them is a failure every
    // later card would repeat, which ends the run.
    bool failureEndsRun();
    void makeCards();
    // The card of the selected QSOs at indexes (one, or several of one call sign).
    void makeCard(const std::vector<int> &qsos, const std::shared_ptr<PdfCardBook> &book);
    // "K1ABC (row 3 of log.adi)", or "K1ABC (rows 3, 9 of log.adi)" for a grouped card.
    QString cardLabel(const QString &callSign, const std::vector<int> &qsos) const;
    QString pdfTarget(int log);
    void closeBook(std::shared_ptr<PdfCardBook> &book, int log);
    void drawProgress(bool force);

    const CardsOptions &m_options;
    CardPainter &m_painter;
    QTextStream &m_err;
    const bool m_showProgress;
    QString m_outFolder;
    std::vector<Selected> m_selected;
    std::vector<std::vector<int>> m_cards;   // indexes into m_selected, one list per card
    QSet<QString> m_names;   // the PDF files of the run
    BatchCardNames m_cardNames;
    QHash<int, QString> m_pdfNames;
    std::unique_ptr<CardWriterPool> m_pool;
    std::shared_ptr<std::atomic<int>> m_written;
    std::shared_ptr<std::atomic<int>> m_failed;
    CardsOutcome m_outcome;
    QElapsedTimer m_clock;
    qint64 m_progressDrawnMs = -1000;
    size_t m_reportedFailures = 0;
    int m_rowsRead = 0;
};
