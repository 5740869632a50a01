#include "WindowListenHost.h"

#include "features/AdifController.h"
#include "features/BatchCard.h"
#include "CardOutput.h"
#include "features/CardOutputsController.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "EntryEdit.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "MailSettings.h"
#include "Mailer.h"
#include "MainWindow.h"
#include "QsoCardSender.h"
#include "features/QsoEntryController.h"

#include <QApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

using card::QsoField;

namespace {

const QString Title = QStringLiteral("Kartello");

} // namespace

WindowListenHost::WindowListenHost(MainWindow &window)
    : m_window(window)
{
}

WindowListenHost::~WindowListenHost() = default;

QString WindowListenHost::defaultPower() const
{
    const QRadioButton *radio = checkedPowerRadio(m_window);
    return radio ? radio->text() : QString();
}

bool WindowListenHost::isBusy() const
{
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr
           || m_window.adif().isBusy();
}

void WindowListenHost::fillQso(const QsoRecord &row)
{
    for (const card::QsoFieldNames &field : card::qsoFields())
        m_window.entryOverlay(field.field)->setText(card::qsoFieldText(row, field.field));
    // The call sign put the e-mail placeholder in; an address the log has replaces it.
    if (!row.email.isEmpty())
        m_window.contactEmailField()->setText(row.email);
}

void WindowListenHost::showListenStatus(const QString &text)
{
    // The title bar has room for the line where the window has none, and the window keeps
    // its own title while Listen is off.
    m_window.setWindowTitle(text.isEmpty() ? Title : Title + QStringLiteral(" - ") + text);
}

void WindowListenHost::writeCardOnScreen(const QString &path)
{
    CardOutputsController &outputs = m_window.cardOutputs();
    outputs.snapshotCard();
    struct OverlaysBack {
        CardOutputsController &outputs;
        ~OverlaysBack() { outputs.showEntryOverlays(); }
    } back{outputs};
    outputs.saveSnapshotJpeg(path);
}

QString WindowListenHost::saveCard(QString &picture)
{
    try {
        const QString callSign = m_window.entryOverlay(QsoField::CallSign)->text();
        const QString path = cardFolder() + cardBaseName(callSign, QDateTime::currentDateTime()) + QStringLiteral(".jpg");
        writeCardOnScreen(path);
        m_window.qsoEntry().writeContactInfo();
        picture = path;
        return QStringLiteral("card saved");
    } catch (...) {
        return QStringLiteral("card not saved: ") + currentErrorText();
    }
}

QString WindowListenHost::sendCard(const SentQso &qso, const QString &picture)
{
    if (!m_sender)
        m_sender = std::make_unique<QsoCardSender>(filePlaces().sentJournal, m_clock);
    const QString refusal = m_sender->refusal(qso);
    if (!refusal.isEmpty())
        return refusal;
    SendSettings settings;
    QTemporaryDir pictures;
    QString attachment = picture;
    try {
        settings = sendSettingsFromFile(dataFilePath(QStringLiteral("smtp.onl")),
                                        m_window.control<QLineEdit>(controlnames::stationEmailEdit)->text(), 0);
        addStationMailText(settings, m_window.control<QLineEdit>(controlnames::callSignIdentityEdit)->text());
        if (attachment.isEmpty()) {
            if (!pictures.isValid())
                throw KartelloError::cannotCreate(pictures.path());
            const QString callSign = m_window.entryOverlay(QsoField::CallSign)->text();
            attachment = pictures.path() + QLatin1Char('/')
                         + cardBaseName(callSign, QDateTime::currentDateTime()) + QStringLiteral(".jpg");
            writeCardOnScreen(attachment);
        }
    } catch (...) {
        return QStringLiteral("not sent: ") + currentErrorText();
    }
    // The QSO fills the window's fields before its card is sent: the report is the card's.
    const CardToSend card =
        CardToSend::single(qso, attachment, qso.call, m_window.entryOverlay(QsoField::Signal)->text());
    QString result;
    std::atomic<bool> stop{false};
    Mailer mailer;
    m_sending = {&mailer, &stop};
    struct Forget {
        Sending &sending;
        ~Forget() { sending = {}; }
    } forget{m_sending};
    runBesideEventLoop([&] { result = m_sender->send(mailer, settings, card, [&stop] { return stop.load(); }); },
                       &stop, [this] { stopSending(); });
    return result;
}

void WindowListenHost::stopSending()
{
    if (!m_sending.mailer)
        return;
    *m_sending.stop = true;
    m_sending.mailer->cancel();
}
