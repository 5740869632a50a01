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

// The cards of the picks as JPG Selected draws them, as JPEG files under folder; the window
// repaints and Esc is seen between two cards.
std::vector<CardToSend> drawCards(const BatchCardParts &parts, const std::vector<Pick> &picks, const QString &folder,
                                  const std::atomic<bool> &stop, const std::function<void(const QString &)> &progress)
{
    std::vector<CardToSend> cards;
    for (const Pick &pick : picks) {
        QCoreApplication::processEvents();
        if (stop)
            break;
        progress(QStringLiteral("Drawing card %1 of %2").arg(cards.size() + 1).arg(picks.size()));
        const QString cardFolder = folder + QStringLiteral("/%1/").arg(cards.size());
        QDir().mkpath(cardFolder);
        const QString picture =
            cardFolder + cardBaseName(pick.qso.call, QDateTime::currentDateTime()) + QStringLiteral(".jpg");
        writeCardJpeg(batchCard(parts, pick.row), picture);
        const CardToSend card = CardToSend::single(pick.qso, picture, pick.qso.call, pick.row.signal);
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
    const std::vector<CardToSend> cards = drawCards(*m_batch, picks, pictures.path(), m_stopRequested, progress);
    SendRunOutcome outcome;
    if (!m_stopRequested)
        outcome = sendCardsInBackground(settings, journal, cards, resend, m_stopRequested, progress);
    counts.sent = outcome.sent;
    counts.failed = outcome.failed;
    counts.alreadySent += outcome.alreadySent;
    counts.notSent = int(picks.size()) - outcome.sent - outcome.failed - outcome.alreadySent;
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
