#include "SendQslController.h"

#include "CardMail.h"
#include "CardSending.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
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
    const CardSendOutcome outcome =
        sendWithProgress(mailer, m_mail.mailRecipient()->address, &m_controls.hostWidget());
    if (!outcome.error.isEmpty())
        warn(sendErrorMessage(outcome.error));
    else if (!outcome.cancelled)
        recordSentCard();
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
    fillCardMail(mailer, m_controls.control<QLineEdit>(controlnames::stationEmailEdit)->text());
    m_mail.mailRecipient()->address = cardRecipient(m_qso.contactEmailField()->text());
}

void SendQslController::recordSentCard()
{
    const auto field = [this](card::QsoField f) { return m_qso.entryOverlay(f)->text(); };
    const SentQso qso = sentQsoOfCardFields(field(card::QsoField::CallSign), field(card::QsoField::UtcDate),
                                            field(card::QsoField::UtcTime), field(card::QsoField::Frequency),
                                            field(card::QsoField::Mode), m_mail.mailRecipient()->address);
    try {
        SentJournal journal(dataFilePath(SentJournalFileName));
        journal.open();
        journal.append(qso, QDateTime::currentDateTimeUtc().date(), m_mail.mailer().messageId());
    } catch (const JournalError &error) {
        warn(QStringLiteral("The card was sent, but it could not be recorded in %1: %2")
                 .arg(SentJournalFileName, error.text()));
    }
}
