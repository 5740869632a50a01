#include "SendRun.h"

#include "AdifReader.h"
#include "CardFiles.h"
#include "CardOutput.h"
#include "ContactInfoFile.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ListRow.h"
#include "LogRecords.h"
#include "Mailer.h"
#include "QsoCardSender.h"
#include "QsoGroups.h"
#include "SentJournal.h"
#include "StopSignals.h"

#include <QDir>
#include <QFile>

#include <csignal>

namespace {

const char Prefix[] = "kartello send: ";

} // namespace

SendRun::SendRun(const SendOptions &options, CardPainter &painter, QTextStream &out,
                 QTextStream &err, bool showProgress)
    : m_options(options)
    , m_painter(painter)
    , m_out(out)
    , m_err(err)
    , m_showProgress(showProgress)
{
}

int SendRun::run(const QString &journalPath, const SendSettings &settings)
{
    readLogs(m_painter.defaultPower());
    if (m_options.dryRun)
        return dryRun(journalPath);
    return send(journalPath, settings);
}

void SendRun::readLogs(const QString &defaultPower)
{
    const LogsRead read = readSelectedRecords(
        m_options.logs, m_options.selection,
        [this](const QString &log, const QString &) {
            m_err << Prefix << KartelloError::cannotOpen(log).text() << '\n';
            ++m_unreadableLogs;
        },
        [&](int row, int log, const AdifRecord &record) {
            const SentQso qso = sentQsoOfRecord(record);
            if (!takesAddress(qso.email, m_counts))
                return;
            Candidate candidate{row, log, listRow(record, defaultPower), {}};
            candidate.card = CardToSend::single(
                qso, QString(), QStringLiteral("%1 (row %2 of %3)").arg(qso.call).arg(row).arg(m_options.logs[log]),
                parseListRow(candidate.rowText).signal);
            m_candidates.push_back(candidate);
        });
    const SkippedRecords &skipped = read.skipped;
    if (skipped.total() > 0)
        m_err << Prefix << skippedSummary(skipped) << '\n';
}

int SendRun::dryRun(const QString &journalPath)
{
    SentJournal journal(journalPath);
    try {
        journal.read();
    } catch (const JournalError &error) {
        m_err << Prefix << error.text() << '\n';
        return 1;
    }
    std::vector<const Candidate *> toSend;
    for (const Candidate &c : m_candidates) {
        const SentQso &qso = c.card.qsos.front();
        const bool before = !m_options.resend && journal.contains(qso);
        const bool maybe = !m_options.resend && !before && journal.mayHaveBeenSent(qso);
        m_out << QStringLiteral("row %1  %2  %3 %4 %5  %6.jpg -> %7%8\n")
                     .arg(c.row)
                     .arg(qso.call, qso.qsoDate, qso.timeOn, qso.mode, callSignFilePart(qso.call), qso.email,
                          before  ? QStringLiteral("  (already sent)")
                          : maybe ? QStringLiteral("  (may have been sent)")
                                  : QString());
        if (before || maybe)
            ++(before ? m_counts.alreadySent : m_counts.maybeSent);
        else
            toSend.push_back(&c);
    }
    const std::vector<PlannedMail> mails = planMails(toSend);
    if (m_options.groupByCall) {
        // What goes out together: one message per call sign and address.
        for (const PlannedMail &mail : mails) {
            const CardToSend card = mailOf(mail);
            m_out << QStringLiteral("message  %1  %2 %3 on %4 %5 -> %6\n")
                         .arg(card.label)
                         .arg(card.qsos.size())
                         .arg(card.qsos.size() == 1 ? QStringLiteral("QSO") : QStringLiteral("QSOs"))
                         .arg(mail.cards.size())
                         .arg(mail.cards.size() == 1 ? QStringLiteral("card") : QStringLiteral("cards"),
                              card.recipient());
        }
    }
    m_counts.sent += int(mails.size());
    m_out.flush();
    m_err << sendSummaryLine(m_counts, true) << '\n';
    return m_unreadableLogs > 0 ? 1 : 0;
}

std::vector<SendRun::PlannedMail> SendRun::planMails(const std::vector<const Candidate *> &toSend) const
{
    std::vector<QsoRecord> qsos;
    for (const Candidate *c : toSend) {
        qsos.push_back(parseListRow(c->rowText));
        qsos.back().email = c->card.recipient();
    }
    const int perCard = m_options.perCard > 0 ? m_options.perCard : m_painter.qsosPerCard();
    std::vector<PlannedMail> mails;
    for (const std::vector<std::vector<int>> &message : qsoMessages(qsos, perCard, m_options.groupByCall)) {
        PlannedMail &mail = mails.emplace_back();
        for (const std::vector<int> &card : message) {
            std::vector<const Candidate *> &onCard = mail.cards.emplace_back();
            for (int i : card)
                onCard.push_back(toSend[i]);
        }
    }
    return mails;
}

CardToSend SendRun::mailOf(const PlannedMail &mail) const
{
    const Candidate *first = mail.cards.front().front();
    if (mail.cards.size() == 1 && mail.cards.front().size() == 1)
        return first->card;
    CardToSend card;
    std::vector<std::pair<int, int>> places;
    for (const std::vector<const Candidate *> &onCard : mail.cards) {
        for (const Candidate *c : onCard) {
            card.qsos.push_back(c->card.qsos.front());
            card.reports << c->card.reports.value(0);
            places.emplace_back(c->log, c->row);
        }
    }
    card.label = rowsLabel(groupingCallSign(card.qsos.front().call), places, m_options.logs);
    return card;
}

void SendRun::paintCards(const std::vector<PlannedMail> &mails, std::vector<CardToSend> &cards)
{
    int n = 0;
    for (const PlannedMail &mail : mails) {
        CardToSend card = mailOf(mail);
        card.attachments.clear();
        BatchCardNames names;
        try {
            for (const std::vector<const Candidate *> &onCard : mail.cards) {
                ++n;
                std::vector<QString> rows;
                for (const Candidate *c : onCard)
                    rows.push_back(c->rowText);
                std::vector<QsoRecord> filled;
                const QImage picture = m_painter.paintCard(rows, filled);
                // A folder of its own for each card keeps the name the card has everywhere;
                // a message's later cards are named as `kartello cards` names them.
                const QString folder = m_pictures.path() + QStringLiteral("/%1/").arg(n);
                QDir().mkpath(folder);
                const QString base = cardBaseName(filled.front().callSign, QDateTime::currentDateTime());
                card.attachments << folder + base + names.suffixFor(base, filled.front())
                                        + QStringLiteral(".jpg");
                writeCardPicture(CardFormat::Jpg, picture, card.attachments.back());
            }
        } catch (...) {
            m_err << Prefix << card.label << ": " << currentErrorText() << '\n';
            ++m_counts.failed;
            continue;
        }
        cards.push_back(card);
    }
}

int SendRun::send(const QString &journalPath, const SendSettings &settings)
{
    SentJournal journal(journalPath);
    try {
        journal.open();
    } catch (const JournalError &error) {
        m_err << Prefix << error.text() << '\n';
        return 1;
    }
    if (journal.hadUnfinishedRecord())
        m_err << Prefix << journalPath << ": an unfinished record at its end was cut off\n";
    for (const Candidate &c : m_candidates) {
        if (!m_options.resend && journal.containsAll(c.card.qsos)) {
            ++m_counts.alreadySent;
        } else if (!m_options.resend && journal.mayHaveBeenSentAny(c.card.qsos)) {
            m_err << Prefix << c.card.label
                  << ": may have been sent: an earlier send ended without the server's answer; "
                     "not sent again (--resend sends it)\n";
            ++m_counts.maybeSent;
        } else {
            m_toSend.push_back(&c);
        }
    }
    std::vector<CardToSend> cards;
    if (!m_pictures.isValid()) {
        m_err << Prefix << KartelloError::cannotCreate(m_pictures.path()).text() << '\n';
        return 1;
    }
    paintCards(planMails(m_toSend), cards);
    Mailer mailer;
    SystemSendClock clock;
    CardMailRun run(mailer, journal, clock);
    run.resend = m_options.resend;
    run.stopRequested = [] { return stopRequested(); };
    run.onStatus = [this](const QString &text) { status(text); };
    run.onCardDone = [this, &cards](int index, const CardResult &result) {
        if (result.fate == CardFate::Failed)
            m_err << (m_showProgress ? "\r\x1b[K" : "") << Prefix << cards[index].label << ": "
                  << result.reason << '\n';
    };
    report(run.run(settings, cards));
    return finish();
}

void SendRun::report(const SendRunOutcome &outcome)
{
    m_counts.sent += outcome.sent;
    m_counts.failed += outcome.failed;
    m_counts.alreadySent += outcome.alreadySent;
    m_counts.maybeSent += outcome.maybeSent;
    for (const CardResult &card : outcome.cards)
        if (card.fate == CardFate::Waiting)
            ++m_counts.notSent;
    m_stopped = outcome.stopped;
    m_stopReason = outcome.stopReason;
}

void SendRun::status(const QString &text)
{
    if (!m_showProgress)
        return;
    m_err << '\r' << text << "\x1b[K";
    m_err.flush();
}

int SendRun::finish()
{
    if (m_showProgress)
        m_err << "\r\x1b[K";
    if (!m_stopReason.isEmpty())
        m_err << Prefix << "the run stopped: " << m_stopReason << '\n';
    m_err << sendSummaryLine(m_counts) << '\n';
    m_err.flush();
    // 128 + the signal's number, as shells report a program that a signal ended.
    if (m_stopped)
        return 128 + (stopSignal() != 0 ? stopSignal() : SIGINT);
    if (!m_stopReason.isEmpty() || m_counts.failed > 0 || m_unreadableLogs > 0)
        return 1;
    return 0;
}
