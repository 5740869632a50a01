#pragma once

#include "CardMailRun.h"
#include "CardsRun.h"
#include "SendOptions.h"
#include "SendSummary.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

class SentJournal;

// One `kartello send` run over its logs: reads them, selects the QSOs that have an address
// the e-mail check accepts, paints their cards as `kartello cards` writes them as JPEG and
// sends them through one SMTP session, each card recorded in the sent journal once the server
// accepted it. A dry run lists the cards on out and connects to nothing. Messages, progress
// (when showProgress is set, a terminal) and the summary go to err.
class SendRun
{
public:
    SendRun(const SendOptions &options, CardPainter &painter, QTextStream &out, QTextStream &err,
            bool showProgress);

    // Runs with the journal at journalPath and the server and sender of settings; returns the
    // exit status (0, 1, or 129, 130 or 143 when SIGHUP, SIGINT or SIGTERM stopped it).
    int run(const QString &journalPath, const SendSettings &settings);

private:
    // A QSO of the logs that the selection took.
    struct Candidate
    {
        int row = 0;
        int log = 0;
        QString rowText;
        CardToSend card;
    };

    // One message of the run: the candidates on each of its cards, in order.
    struct PlannedMail
    {
        std::vector<std::vector<const Candidate *>> cards;
    };

    void readLogs(const QString &defaultPower);
    int dryRun(const QString &journalPath);
    // The messages of the candidates to send: one per QSO, or with --group-by-call one per call
    // sign and address, its QSOs in time order on cards of up to the design's QSOs per card.
    std::vector<PlannedMail> planMails(const std::vector<const Candidate *> &toSend) const;
    // The card of a message, its QSOs and their reports, without its pictures.
    CardToSend mailOf(const PlannedMail &mail) const;
    void paintCards(const std::vector<PlannedMail> &mails, std::vector<CardToSend> &cards);
    int send(const QString &journalPath, const SendSettings &settings);
    void report(const SendRunOutcome &outcome);
    void status(const QString &text);
    int finish();

    const SendOptions &m_options;
    CardPainter &m_painter;
    QTextStream &m_out;
    QTextStream &m_err;
    const bool m_showProgress;
    std::vector<Candidate> m_candidates;
    std::vector<const Candidate *> m_toSend;
    SendCounts m_counts;
    int m_unreadableLogs = 0;
    bool m_stopped = false;
    QString m_stopReason;
    QTemporaryDir m_pictures;
};
