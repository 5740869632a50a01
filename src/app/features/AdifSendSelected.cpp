// Send Selected of the ADIF panel: the selected rows' cards by e-mail, each QSO once.
#include "AdifController.h"

#include "BatchCard.h"
#include "BatchSending.h"
#include "CardOutput.h"
#include "CardPictureFiles.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "FlatButton.h"
#include "KartelloError.h"
#include "Led.h"
#include "MailSettings.h"
#include "QsoGroups.h"
#include "QsoTablePreview.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "SendSummary.h"
#include "SentJournal.h"
#include "UserDialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>

namespace {

// A selected row that has an address the e-mail check accepts.
struct Pick
{
    QsoRecord row;
    SentQso qso;
    bool sentBefore = false;
};

// Takes out the picks whose earlier send ended without the server's answer: the operator
// decides about those (Sent.adi, the mailbox's sent folder); they are counted and named.
QStringList takeOutMaybeSent(std::vector<Pick> &picks, const SentJournal &journal, SendCounts &counts)
{
    QStringList calls;
    const auto maybe = [&journal](const Pick &p) { return !p.sentBefore && journal.mayHaveBeenSent(p.qso); };
    for (const Pick &pick : picks)
        if (maybe(pick))
            calls << pick.qso.call;
    picks.erase(std::remove_if(picks.begin(), picks.end(), maybe), picks.end());
    counts.maybeSent = int(calls.size());
    return calls;
}

std::vector<Pick> rowsWithAddress(const QStringList &rows, const SentJournal &journal, SendCounts &counts)
{
    std::vector<Pick> picks;
    for (const QString &text : rows) {
        Pick pick{parseListRow(text), {}, false};
        const QsoRecord &r = pick.row;
        pick.qso = sentQsoOf(r);
        if (takesAddress(pick.qso.email, counts)) {
            pick.sentBefore = journal.contains(pick.qso);
            picks.push_back(pick);
        }
    }
    return picks;
}

// Asks whether QSOs sent before go again; those that do not are taken out and counted.
bool askResend(std::vector<Pick> &picks, SendCounts &counts)
{
    const auto before = std::count_if(picks.begin(), picks.end(), [](const Pick &p) { return p.sentBefore; });
    if (before == 0)
        return false;
    userDialogs().placePointer(-10, 35);
    const bool again = userDialogs().question(
                           QStringLiteral("%1 of the %2 selected QSOs with an address were sent before "
                                          "(Sent.adi). Send those again?")
                               .arg(before).arg(picks.size()),
                           UserDialogs::Buttons::YesNo)
                       == UserDialogs::Answer::Yes;
    if (!again) {
        picks.erase(std::remove_if(picks.begin(), picks.end(), [](const Pick &p) { return p.sentBefore; }),
                    picks.end());
        counts.alreadySent = int(before);
    }
    return again;
}

// The messages of the picks: one per QSO, or, when a card lists several QSOs, one per call
// sign and address with its QSOs in time order on cards of perCard, as `kartello send
// --group-by-call` makes them. Each message is the picks on each of its cards.
std::vector<std::vector<std::vector<const Pick *>>> plannedMails(const std::vector<Pick> &picks, int perCard)
{
    std::vector<QsoRecord> qsos;
    for (const Pick &pick : picks) {
        qsos.push_back(pick.row);
        qsos.back().email = pick.qso.email;
    }
    std::vector<std::vector<std::vector<const Pick *>>> mails;
    for (const std::vector<std::vector<int>> &message : qsoMessages(qsos, perCard, perCard > 1)) {
        auto &mail = mails.emplace_back();
        for (const std::vector<int> &card : message) {
            auto &onCard = mail.emplace_back();
            for (int i : card)
                onCard.push_back(&picks[i]);
        }
    }
    return mails;
}

// The cards of the picks as JPG Selected draws them, as JPEG files under folder, one message
// each as plannedMails() plans them (a card of several QSOs drawn by paintTable); the window
// repaints and Esc is seen between two cards. planned tells how many messages there were to be.
std::vector<CardToSend> drawCards(const BatchCardParts &parts, const std::vector<Pick> &picks, int perCard,
                                  const std::function<QImage(const std::vector<QsoRecord> &)> &paintTable,
                                  const QString &folder, const std::atomic<bool> &stop,
                                  const std::function<void(const QString &)> &progress, int &planned)
{
    const auto mails = plannedMails(picks, perCard);
    planned = int(mails.size());
    std::vector<CardToSend> cards;
    int drawn = 0;
    for (const auto &mail : mails) {
        CardToSend card;
        BatchCardNames names;
        for (const std::vector<const Pick *> &onCard : mail) {
            QCoreApplication::processEvents();
            if (stop)
                return cards;
            progress(QStringLiteral("Drawing card %1 of %2").arg(cards.size() + 1).arg(mails.size()));
            const QString cardFolder = folder + QStringLiteral("/%1/").arg(drawn++);
            QDir().mkpath(cardFolder);
            const Pick &first = *onCard.front();
            const QString base = cardBaseName(first.qso.call, QDateTime::currentDateTime());
            const QString picture = cardFolder + base + names.suffixFor(base, first.row) + QStringLiteral(".jpg");
            std::vector<QsoRecord> rows;
            for (const Pick *pick : onCard) {
                rows.push_back(pick->row);
                card.qsos.push_back(pick->qso);
                card.reports << pick->row.signal;
            }
            writeCardJpeg(rows.size() > 1 ? paintTable(rows) : batchCard(parts, first.row), picture);
            card.attachments << picture;
        }
        card.label = card.qsos.front().call;
        cards.push_back(card);
    }
    return cards;
}

QString failureLines(const std::vector<CardToSend> &cards, const SendRunOutcome &outcome)
{
    QStringList lines;
    for (size_t i = 0; i < cards.size(); ++i)
        if (outcome.cards[i].fate == CardFate::Failed)
            lines << cards[i].label + QStringLiteral(": ") + outcome.cards[i].reason;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void AdifController::sendSelected()
{
    if (isBusy())
        return;
    const QString settingsPath = dataFilePath(QStringLiteral("smtp.onl"));
    if (!QFile::exists(settingsPath)) {
        userDialogs().placePointer(10, 35);
        userDialogs().warning(QStringLiteral("ISP file is missing.  Reinstall program."));
        return;
    }
    SendSettings settings = sendSettingsFromFile(
        settingsPath, m_controls.control<QLineEdit>(controlnames::stationEmailEdit)->text(), 0);
    addStationMailText(settings, m_controls.control<QLineEdit>(controlnames::callSignIdentityEdit)->text());
    SentJournal journal(filePlaces().sentJournal);
    try {
        journal.open();
    } catch (const JournalError &error) {
        throw KartelloError(error.text());
    }
    SendCounts counts;
    const QList<int> selected = selectedRowNumbers();
    std::vector<Pick> picks = rowsWithAddress(selectedRows(), journal, counts);
    const QStringList maybeSent = takeOutMaybeSent(picks, journal, counts);
    const bool resend = askResend(picks, counts);
    QTemporaryDir pictures;
    if (!pictures.isValid())
        throw KartelloError::cannotCreate(pictures.path());

    m_running = true;
    m_stopRequested = false;
    showBusy(true);
    qApp->installEventFilter(this);
    struct RunEnd {
        AdifController &c;
        const QList<int> &selected;
        const SentJournal &journal;
        ~RunEnd()
        {
            c.refreshJournalEntries(selected, journal);
            qApp->removeEventFilter(&c);
            emptyQsoAfterBatchCard(*c.m_batch);
            c.m_running = false;
            c.showBusy(false);
        }
    } runEnd{*this, selected, journal};

    const auto progress = [this](const QString &text) { showProgress(text); };
    const int perCard =
        m_controls.control<QSlider>(QString::fromLatin1(controlnames::qsosPerCardSlider))->value();
    int planned = 0;
    const std::vector<CardToSend> cards =
        drawCards(*m_batch, picks, perCard,
                  [this](const std::vector<QsoRecord> &qsos) { return m_preview->paintCard(qsos); },
                  pictures.path(), m_stopRequested, progress, planned);
    SendRunOutcome outcome;
    if (!m_stopRequested)
        outcome = sendCardsInBackground(settings, journal, cards, resend, m_stopRequested, progress);
    counts.sent = outcome.sent;
    counts.failed = outcome.failed;
    counts.alreadySent += outcome.alreadySent;
    counts.notSent = planned - outcome.sent - outcome.failed - outcome.alreadySent;
    showProgress(sendSummaryLine(counts));
    QString failures = failureLines(cards, outcome);
    if (!maybeSent.isEmpty())
        failures += (failures.isEmpty() ? QString() : QStringLiteral("\n"))
                    + QStringLiteral("Not sent again, since an earlier send ended without the server's answer "
                                     "and they may have been sent (see Sent.adi): %1")
                          .arg(maybeSent.join(QStringLiteral(", ")));
    if (!outcome.stopReason.isEmpty() || !failures.isEmpty()) {
        userDialogs().placePointer(10, 35);
        userDialogs().warning(outcome.stopReason.isEmpty() ? failures
                                                           : sendErrorMessage(outcome.stopReason));
    }
}
