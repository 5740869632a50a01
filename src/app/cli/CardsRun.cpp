#include "CardsRun.h"

#include "AdifReader.h"
#include "CardFiles.h"
#include "CardOutput.h"
#include "CardWriterPool.h"
#include "DataFolder.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "LogRecords.h"
#include "PdfCardBook.h"
#include "QsoGroups.h"
#include "StopSignals.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Cards each writer may hold waiting: enough to keep it busy while the next card is drawn,
// few enough that a run of any length stays within a few megabytes.
constexpr int QueuedCardsPerWriter = 4;

// Every card (about 0.6 MB) is drawn on this thread and freed by a writer. By default glibc
// gives such blocks back to the system as soon as they are freed at the top of the heap, and
// the next card takes fresh pages again, a page fault and a page cleared for every 4 KB: more
// than the copy of the card itself. Freed memory up to a few dozen cards is kept instead; the
// run's memory still follows the cards in flight, which the pool's queues bound.
void keepFreedCardMemory()
{
#ifdef __GLIBC__
    // Blocks up to a few cards' size come from the heap rather than from pages of their own;
    // freed memory up to the trim threshold stays in the heap.
    constexpr int HeapBlockBytes = 4 * 1024 * 1024;
    constexpr int KeptBytes = 32 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, HeapBlockBytes);
    mallopt(M_TRIM_THRESHOLD, KeptBytes);
#endif
}

QString withSlash(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

CardsRun::CardsRun(const CardsOptions &options, CardPainter &painter, QTextStream &err,
                   bool showProgress)
    : m_options(options)
    , m_painter(painter)
    , m_err(err)
    , m_showProgress(showProgress)
    , m_outFolder(withSlash(options.outFolder))
    , m_written(std::make_shared<std::atomic<int>>(0))
    , m_failed(std::make_shared<std::atomic<int>>(0))
{
}

CardsRun::~CardsRun() = default;

CardsOutcome CardsRun::run()
{
    m_clock.start();
    keepFreedCardMemory();
    readLogs();
    std::vector<QsoRecord> qsos;
    qsos.reserve(m_selected.size());
    for (const Selected &s : m_selected)
        qsos.push_back(parseListRow(s.rowText));
    const int perCard = m_options.perCard > 0 ? m_options.perCard : m_painter.qsosPerCard();
    m_cards = qsoCards(qsos, perCard, m_options.groupByCall);
    m_outcome.selected = static_cast<int>(m_cards.size());
    if (m_selected.empty() && m_outcome.unreadableLogs < int(m_options.logs.size())) {
        m_err << (m_rowsRead == 0 ? "kartello cards: no QSO with a call sign in the logs; no card made\n"
                                  : "kartello cards: no QSO matches the selection; no card made\n");
    }
    if (!m_selected.empty() && !prepareOutFolder()) {
        m_outcome.failed = m_outcome.selected;
        m_outcome.stoppedByFailure = true;
        m_err.flush();
        return m_outcome;
    }
    const int workers = m_options.jobs > 0 ? m_options.jobs : CardWriterPool::defaultWorkers();
    m_pool = std::make_unique<CardWriterPool>(workers, QueuedCardsPerWriter);
    makeCards();
    m_pool->waitForAll();
    m_outcome.written = m_written->load();
    m_outcome.failed = m_failed->load();
    // A stop that came only after the last card was handed over left nothing undone.
    m_outcome.interrupted = stopRequested() && !m_outcome.stoppedByFailure
                            && m_outcome.written < m_outcome.selected;
    m_outcome.stopSignal = stopSignal();
    m_outcome.elapsedMs = m_clock.elapsed();
    drawProgress(true);
    if (m_showProgress)
        m_err << '\n';
    failureEndsRun();
    m_err << summaryLine(m_outcome, m_outFolder.isEmpty() ? QStringLiteral(".") : m_outFolder)
          << '\n';
    m_err.flush();
    return m_outcome;
}

void CardsRun::readLogs()
{
    const QString power = m_painter.defaultPower();
    const LogsRead read = readSelectedRecords(
        m_options.logs, m_options.selection,
        [this](const QString &log, const QString &reason) {
            m_err << "kartello cards: " << KartelloError::cannotOpen(log).text() << ": " << reason
                  << '\n';
            ++m_outcome.unreadableLogs;
        },
        [&](int row, int log, const AdifRecord &record) {
            m_selected.push_back({row, log, listRow(record, power)});
        });
    const SkippedRecords &skipped = read.skipped;
    m_rowsRead = read.rows;
    m_outcome.skippedRecords = skipped.total();
    if (skipped.total() > 0 || skipped.lengthIntoNextField > 0)
        m_err << "kartello cards: " << skippedSummary(skipped) << '\n';
}

bool CardsRun::prepareOutFolder()
{
    if (!m_outFolder.isEmpty() && !QDir().mkpath(m_outFolder)) {
        const QString reason = qt_error_string(errno);
        m_err << "kartello cards: " << KartelloError::cannotCreate(m_outFolder).text() << ": "
              << reason << "; no card made\n";
        return false;
    }
    const QString refusal = folderRefusal();
    if (refusal.isEmpty())
        return true;
    m_err << "kartello cards: " << refusal << "; no card made\n";
    return false;
}

QString CardsRun::folderRefusal() const
{
    // A file of a card's size written beside the cards: a full disk refuses it as it refuses
    // cards. Plain system calls, so that the refusal carries the system's own reason.
    const QString folder = m_outFolder.isEmpty() ? QStringLiteral("./") : m_outFolder;
    QByteArray probe = QFile::encodeName(folder) + QByteArrayLiteral(".kartello-XXXXXX");
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0)
        return KartelloError::cannotCreate(folder).text() + QStringLiteral(": ") + qt_error_string(errno);
    const QByteArray block(64 * 1024, '\0');
    qsizetype done = 0;
    int reason = 0;
    while (done < block.size()) {
        const ssize_t n = ::write(fd, block.constData() + done, size_t(block.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = n < 0 ? errno : ENOSPC;
            break;
        }
        done += n;
    }
    if (::close(fd) != 0 && reason == 0)
        reason = errno;
    ::unlink(probe.constData());
    if (reason == 0)
        return QString();
    return KartelloError::cannotCreate(QFile::decodeName(probe)).text() + QStringLiteral(": ")
           + qt_error_string(reason);
}

bool CardsRun::failureEndsRun()
{
    for (const CardWriterPool::Failure &failure : m_pool->failuresFrom(m_reportedFailures)) {
        ++m_reportedFailures;
        if (m_outcome.stoppedByFailure)
            continue; // one message for a failure that every card repeats
        // A PDF that cannot be written fails every card of the run; so does a folder that
        // takes no more files. A card of its own (a name too long) fails alone.
        const QString refusal = folderRefusal();
        m_err << "kartello cards: " << failure.label << ": " << failure.reason;
        if (m_options.format == CardFormat::Pdf || !refusal.isEmpty()) {
            if (!refusal.isEmpty())
                m_err << " (" << refusal << ")";
            m_err << "; run stopped, every later card would fail the same way";
            m_outcome.stoppedByFailure = true;
        }
        m_err << '\n';
    }
    return m_outcome.stoppedByFailure;
}

void CardsRun::makeCards()
{
    std::shared_ptr<PdfCardBook> book;
    int bookLog = -1;
    for (const std::vector<int> &qsos : m_cards) {
        if (stopRequested() || failureEndsRun())
            break;
        // A grouped card goes into the PDF of its first QSO's log.
        const int log = m_selected[qsos.front()].log;
        if (m_options.format == CardFormat::Pdf && log != bookLog) {
            closeBook(book, bookLog);
            bookLog = log;
            book = std::make_shared<PdfCardBook>(pdfTarget(bookLog));
        }
        makeCard(qsos, book);
        drawProgress(false);
    }
    closeBook(book, bookLog);
}

QString CardsRun::cardLabel(const QString &callSign, const std::vector<int> &qsos) const
{
    std::vector<std::pair<int, int>> places;
    for (int i : qsos)
        places.emplace_back(m_selected[i].log, m_selected[i].row);
    return rowsLabel(callSign, places, m_options.logs);
}

void CardsRun::makeCard(const std::vector<int> &qsos, const std::shared_ptr<PdfCardBook> &book)
{
    const Selected &qso = m_selected[qsos.front()];
    std::vector<QsoRecord> filledRows;
    QImage card;
    try {
        std::vector<QString> rows;
        for (int i : qsos)
            rows.push_back(m_selected[i].rowText);
        card = m_painter.paintCard(rows, filledRows);
    } catch (...) {
        // A card that cannot be drawn is reported with its rows; the run goes on.
        m_err << "kartello cards: ";
        if (qsos.size() == 1)
            m_err << "row " << qso.row << " of " << m_options.logs[qso.log];
        else
            m_err << cardLabel(groupingCallSign(parseListRow(qso.rowText).callSign), qsos);
        m_err << ": " << currentErrorText() << '\n';
        ++*m_failed;
        return;
    }
    const QsoRecord filled = filledRows.front();
    const QString email = parseListRow(qso.rowText).email;
    const QString label = cardLabel(filled.callSign, qsos);
    // A later card of a call sign in the run gets names of its own, its contact info file too
    // when the cards go into a PDF.
    const QString baseName = cardBaseName(filled.callSign, QDateTime::currentDateTime());
    const QString suffix = m_cardNames.suffixFor(baseName, filled);
    const QString target = book ? pdfTarget(qso.log)
                                : m_outFolder + baseName + suffix + cardFormatExtension(m_options.format);
    const CardFormat format = m_options.format;
    const QString infoFolder = m_options.contactInfo ? m_outFolder : QString();
    const bool info = m_options.contactInfo;
    auto written = m_written, failed = m_failed;
    m_pool->submit(target, label, [=] {
        try {
            if (book)
                book->addCard(card);
            else
                writeCardPicture(format, card, target);
            if (info)
                writeBatchContactInfo(infoFolder, email, filled, suffix);
        } catch (...) {
            ++*failed;
            throw;
        }
        if (!book)
            ++*written;
    });
}

QString CardsRun::pdfTarget(int log)
{
    // One file per log, named after it; a second log of the same name gets "_2", and so on.
    const auto known = m_pdfNames.constFind(log);
    if (known != m_pdfNames.cend())
        return *known;
    const QString logName = m_options.logs[log] == QLatin1String("-")
                                ? QStringLiteral("stdin")
                                : QFileInfo(m_options.logs[log]).completeBaseName();
    const QString base = m_outFolder + logName;
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; m_names.contains(name); ++n)
        name = base + QStringLiteral("_%1.pdf").arg(n);
    m_names.insert(name);
    m_pdfNames.insert(log, name);
    return name;
}

void CardsRun::closeBook(std::shared_ptr<PdfCardBook> &book, int log)
{
    if (!book)
        return;
    const bool stopped = stopRequested() || m_outcome.stoppedByFailure;
    auto written = m_written, failed = m_failed;
    std::shared_ptr<PdfCardBook> closing = std::move(book);
    m_pool->submit(pdfTarget(log), m_options.logs[log], [closing, stopped, written, failed] {
        if (stopped) {
            closing->cancel();
            return;
        }
        try {
            closing->finish();
        } catch (...) {
            *failed += closing->cardCount();
            throw;
        }
        *written += closing->cardCount();
    });
}

void CardsRun::drawProgress(bool force)
{
    if (!m_showProgress)
        return;
    const qint64 now = m_clock.elapsed();
    const int done = m_written->load();
    const int total = static_cast<int>(m_cards.size());
    if (!force && !progressDue(m_progressDrawnMs, now, done, total))
        return;
    m_progressDrawnMs = now;
    m_err << '\r' << progressLine(done, total, now) << "\x1b[K";
    m_err.flush();
}
