#include "SendQslController.h"

#include "FilePlaces.h"

#include "CardMail.h"
#include "CardSending.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "MailSettings.h"
#include "Mailer.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "SentJournal.h"
#include "UserDialogs.h"
#include "features/QsoEntryController.h"

#include <QDateTime>
#include <QFile>

namespace {

const QString kSettingsFile = QStringLiteral("smtp.onl");

} // namespace

SendQslController::SendQslController(ControlLookup &controls, QsoEntryParts &qso, MailHost &mail,
                                     QsoEntryController &qsoEntry)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_qso(qso)
    , m_mail(mail)
    , m_qsoEntry(qsoEntry)
{
    const auto onClick = [this](const char *name, void (SendQslController::*handler)()) {
        if (auto *button = m_controls.control<FlatButton>(QString::fromLatin1(name)))
            connectGuarded(button, &FlatButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    using namespace controlnames;
    onClick(sendQslButton, &SendQslController::sendSavedCard);
}

void SendQslController::warn(const QString &text)
{
    userDialogs().placePointer(10, 35);
    userDialogs().warning(text);
}

void SendQslController::sendSavedCard()
{
    if (!QFile::exists(dataFilePath(kSettingsFile))) {
        warn(QStringLiteral("ISP file is missing.  Reinstall program."));
        return;
    }
    const QString folder = cardFolder();
    auto *dialog = m_controls.control<FileDialogMemory>(controlnames::sendQslDialog);
    const QString chosen = chooseContactInfoFile(*dialog, folder);
    if (chosen.isEmpty())
        return;
    showSavedQso(m_qso, loadLines(chosen));
    if (m_qsoEntry.shouldStopOutput(QStringLiteral("Email")))
        return;
    const MailSettings settings = mailSettingsFromLines(loadLines(dataFilePath(kSettingsFile)));
    Mailer &mailer = m_mail.mailer();
    m_mail.mailRecipient()->address.clear();
    mailer.attachments.setAttachedFiles({});
    const QString picture = cardPictureToSend(folder, m_qso.entryOverlay(card::QsoField::CallSign)->text());
    if (picture.isEmpty()) {
        warn(QStringLiteral("QSL card graphic file not found."));
        return;
    }
    mailer.attachments.setAttachedFiles({picture});
    fillMailer(settings);
    try {
        fillCardText(picture);
    } catch (const KartelloError &error) {
        warn(QStringLiteral("The card was not sent: %1").arg(error.text()));
        return;
    }
    // The journal is taken before the card goes out: while `kartello send` or Send Selected
    // holds it, this card would go out unrecorded.
    SentJournal journal(filePlaces().sentJournal);
    try {
        journal.open();
    } catch (const JournalError &error) {
        warn(QStringLiteral("The card was not sent: %1").arg(error.text()));
        return;
    }
    sendRecorded(journal);
}

void SendQslController::sendRecorded(SentJournal &journal)
{
    Mailer &mailer = m_mail.mailer();
    const SentQso qso = cardQso();
    bool marked = false;
    mailer.smtp().beforeData = [&journal, &qso, &marked] {
        journal.markSending(qso);
        marked = true;
    };
    const CardSendOutcome outcome =
        sendWithProgress(mailer, m_mail.mailRecipient()->address, &m_controls.hostWidget());
    mailer.smtp().beforeData = nullptr;
    if (outcome.error.isEmpty() && !outcome.cancelled) {
        recordSentCard(journal, qso);
    } else {
        showSentTitle(QString());
        if (marked && !mailer.smtp().messageMayHaveArrived())
            noteNotSent(journal, qso);
    }
    if (!outcome.error.isEmpty())
        warn(sendErrorMessage(outcome.error));
    if (outcome.closingFailure)
        std::rethrow_exception(outcome.closingFailure);
}

void SendQslController::fillMailer(const MailSettings &settings)
{
    Mailer &mailer = m_mail.mailer();
    mailer.host = settings.host;
    mailer.port = mailPort(settings.port);
    mailer.security = mailSecurity(settings.security);
    mailer.userName = loginUserName(settings.userName);
    mailer.password = settings.password;
    m_mail.mailRecipient()->address = cardRecipient(m_qso.contactEmailField()->text());
}

void SendQslController::fillCardText(const QString &picture)
{
    SendSettings station;
    station.operatorEmail = m_controls.control<QLineEdit>(controlnames::stationEmailEdit)->text();
    addStationMailText(station, m_controls.control<QLineEdit>(controlnames::callSignIdentityEdit)->text());
    const CardToSend card = CardToSend::single(cardQso(), picture, QString(),
                                               m_qso.entryOverlay(card::QsoField::Signal)->text());
    fillCardMail(m_mail.mailer(), station.operatorEmail, cardMailTextOf(station, card));
}

SentQso SendQslController::cardQso() const
{
    QsoRecord onScreen;
    for (const card::QsoFieldNames &field : card::qsoFields())
        card::qsoFieldText(onScreen, field.field) = m_qso.entryOverlay(field.field)->text();
    onScreen.email = m_mail.mailRecipient()->address;
    return sentQsoOf(onScreen);
}

void SendQslController::recordSentCard(SentJournal &journal, const SentQso &qso)
{
    showSentTitle(qso.email);
    try {
        journal.append(qso, QDateTime::currentDateTimeUtc().date(), m_mail.mailer().messageId());
    } catch (const JournalError &error) {
        warn(QStringLiteral("The card was sent, but it could not be recorded in %1: %2")
                 .arg(SentJournalFileName, error.text()));
    }
}

void SendQslController::noteNotSent(SentJournal &journal, const SentQso &qso)
{
    try {
        journal.markNotSent(qso);
    } catch (const JournalError &) {
        // The card then counts as one that may have been sent: on the safe side.
    }
}

void SendQslController::showSentTitle(const QString &address)
{
    QWidget *window = m_controls.hostWidget().window();
    const QString sent = QStringLiteral("Kartello - Card sent to ");
    if (!address.isEmpty())
        window->setWindowTitle(sent + address);
    else if (window->windowTitle().startsWith(sent))
        window->setWindowTitle(QStringLiteral("Kartello"));
}
