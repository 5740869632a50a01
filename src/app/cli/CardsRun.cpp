#include "CardsRun.h"

#include "AdifReader.h"
#include "CardFiles.h"
#include "CardOutput.h"
#include "CardWriterPool.h"
#include "DataFolder.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "PdfCardBook.h"
#include "StopSignals.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Cards each writer may hold waiting: enough to keep it busy while the next card is drawn,
// few enough that a run of any length stays within a few megabytes.
constexpr int QueuedCardsPerWriter = 4;

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
    if (!m_outFolder.isEmpty() && !QDir().mkpath(m_outFolder)) {
        m_err << "kartello cards: " << KartelloError::cannotCreate(m_outFolder).text() << '\n';
        m_outcome.failed = 1;
        return m_outcome;
    }
    readLogs();
    m_outcome.selected = static_cast<int>(m_selected.size());
    const int workers = m_options.jobs > 0 ? m_options.jobs : CardWriterPool::defaultWorkers();
    m_pool = std::make_unique<CardWriterPool>(workers, QueuedCardsPerWriter);
    makeCards();
    m_pool->waitForAll();
    m_outcome.written = m_written->load();
    m_outcome.failed = m_failed->load();
    // A stop that came only after the last card was handed over left nothing undone.
    m_outcome.interrupted = stopRequested() && m_outcome.written < m_outcome.selected;
    m_outcome.elapsedMs = m_clock.elapsed();
    drawProgress(true);
    if (m_showProgress)
        m_err << '\n';
    reportFailures();
    m_err << summaryLine(m_outcome, m_outFolder.isEmpty() ? QStringLiteral(".") : m_outFolder)
          << '\n';
    m_err.flush();
    return m_outcome;
}

void CardsRun::readLogs()
{
    const QString power = m_painter.defaultPower();
    SkippedRecords skipped;
    int row = 0;
    for (int log = 0; log < m_options.logs.size(); ++log) {
        QFile file(m_options.logs[log]);
        if (!file.open(QIODevice::ReadOnly)) {
            m_err << "kartello cards: " << KartelloError::cannotOpen(m_options.logs[log]).text()
                  << '\n';
            ++m_outcome.unreadableLogs;
            continue;
        }
        const AdifLog adif = readAdifLog(file.readAll());
        skipped += adif.skipped;
        for (const AdifRecord &record : adif.records) {
            ++row;
            const QDate date = compactDate(record.value(AdifField::QsoDate));
            if (m_options.selection.takes(row, record.value(AdifField::Call), date))
                m_selected.push_back({row, log, listRow(record, power)});
        }
    }
    m_outcome.skippedRecords = skipped.total();
    if (skipped.total() > 0 || skipped.lengthIntoNextField > 0)
        m_err << "kartello cards: " << skippedSummary(skipped) << '\n';
}

void CardsRun::makeCards()
{
    std::shared_ptr<PdfCardBook> book;
    int bookLog = -1;
    for (const Selected &qso : m_selected) {
        if (stopRequested())
            break;
        if (m_options.format == CardFormat::Pdf && qso.log != bookLog) {
            closeBook(book, bookLog);
            bookLog = qso.log;
            book = std::make_shared<PdfCardBook>(pdfTarget(bookLog));
        }
        makeCard(qso, book);
        drawProgress(false);
    }
    closeBook(book, bookLog);
}

void CardsRun::makeCard(const Selected &qso, const std::shared_ptr<PdfCardBook> &book)
{
    QsoRecord filled;
    QImage card;
    try {
        card = m_painter.paintCard(qso.rowText, filled);
    } catch (...) {
        // A card that cannot be drawn is reported with its row; the run goes on.
        m_err << "kartello cards: row " << qso.row << " of " << m_options.logs[qso.log] << ": "
              << currentErrorText() << '\n';
        ++*m_failed;
        return;
    }
    const QString email = parseListRow(qso.rowText).email;
    const QString label = QStringLiteral("%1 (row %2 of %3)")
                              .arg(filled.callSign)
                              .arg(qso.row)
                              .arg(m_options.logs[qso.log]);
    const QString target = book ? pdfTarget(qso.log) : pictureTarget(filled);
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
                writeBatchContactInfo(infoFolder, email, filled);
        } catch (...) {
            ++*failed;
            throw;
        }
        if (!book)
            ++*written;
    });
}

QString CardsRun::pictureTarget(const QsoRecord &qso)
{
    const QString name = m_outFolder + cardBaseName(qso.callSign, QDateTime::currentDateTime())
                         + cardFormatExtension(m_options.format);
    if (m_names.contains(name))
        ++m_outcome.replacedNames;
    m_names.insert(name);
    return name;
}

QString CardsRun::pdfTarget(int log)
{
    // One file per log, named after it; a second log of the same name gets "_2", and so on.
    const auto known = m_pdfNames.constFind(log);
    if (known != m_pdfNames.cend())
        return *known;
    const QString base = m_outFolder + QFileInfo(m_options.logs[log]).completeBaseName();
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
    const bool stopped = stopRequested();
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
    const int total = static_cast<int>(m_selected.size());
    if (!force && !progressDue(m_progressDrawnMs, now, done, total))
        return;
    m_progressDrawnMs = now;
    m_err << '\r' << progressLine(done, total, now) << "\x1b[K";
    m_err.flush();
}

void CardsRun::reportFailures()
{
    for (const CardWriterPool::Failure &failure : m_pool->failures())
        m_err << "kartello cards: " << failure.label << ": " << failure.reason << '\n';
}
