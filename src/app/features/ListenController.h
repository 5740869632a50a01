#pragma once

#include "ListRow.h"
#include "ListenAddress.h"
#include "QsoListener.h"
#include "SentJournal.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>

class IniFile;

// What listening needs of the window.
class ListenHost
{
public:
    virtual ~ListenHost() = default;
    // The power field's choice: the power of a QSO that brings none.
    virtual QString defaultPower() const = 0;
    // A dialog is open or an output is running: a QSO that comes now has to wait.
    virtual bool isBusy() const = 0;
    // Fills the seven QSO fields from row as typing them would, and the contact e-mail field
    // when row has an address.
    virtual void fillQso(const QsoRecord &row) = 0;
    // Shows where the window listens and the last QSO received (empty: not listening).
    virtual void showListenStatus(const QString &text) = 0;
    // Saves the card on screen as Create JPG would, asking nothing: into the card folder under
    // the call sign's name, with its contact info file. Says what was done ("card saved" or
    // "card not saved: " and why); picture is the card's path once it is written.
    virtual QString saveCard(QString &picture) = 0;
    // E-mails the card on screen (picture, when saved already) for qso to qso.email, as a run
    // of one card through the sent journal, and says what was done ("sent", "already sent",
    // "no address" or why not).
    virtual QString sendCard(const SentQso &qso, const QString &picture) = 0;
    // Ends the card on its way at once, its connection aborted; a card the server has not
    // taken is not recorded as sent.
    virtual void stopSending() = 0;
};

// The listening choice as Kartello.ini keeps it, in the section "Listen": "Enabled" (TRUE or
// FALSE, FALSE when missing) and "Address" ("127.0.0.1:2237" or a group "224.0.0.1:2237"; a
// missing or unreadable address is the default one); "SaveCards" and "SendCards" (TRUE or
// FALSE, FALSE when missing): what is done with each QSO once it is in the fields; "Allow"
// ("192.168.1.0/24, 10.0.0.7", empty when missing or unreadable): the senders taken besides
// this computer.
struct ListenSettings
{
    bool enabled = false;
    ListenAddress address;
    QList<SenderNetwork> allowed;
    bool saveCards = false;
    bool sendCards = false;
};
ListenSettings readListenSettings(const IniFile &state);
void writeListenSettings(IniFile &state, const ListenSettings &settings);

// Listen: the QSOs that digital-mode programs log come into the QSO fields as they are logged.
// Each QSO fills the fields once, in the order they came; one that comes while the host is
// busy waits, with those after it, until the host is free again. As the settings say, the
// card of each QSO is then saved, sent to the QSO's address, or both; a QSO that comes while
// a card is on its way waits for it. Turning Listen off stops the card on its way; the QSOs
// received before still fill the fields, and their cards are saved but not sent. Datagrams
// from senders not allowed are counted in the status.
class ListenController : public QObject
{
    Q_OBJECT
public:
    explicit ListenController(ListenHost &host, QObject *parent = nullptr,
                              qint64 holdMs = LoggedQsoMerger::DefaultHoldMs);

    // Listens as settings say, or stops. False when the address cannot be listened on;
    // listening is then off and errorString() says why, in the status too.
    bool apply(const ListenSettings &settings);
    const ListenSettings &settings() const { return m_settings; }
    bool isListening() const { return m_listener.isListening(); }
    quint16 localPort() const { return m_listener.localPort(); }
    QString errorString() const { return m_error; }
    QString statusText() const { return m_status; }
    // QSOs received and not yet in the fields.
    int waitingCount() const { return int(m_waiting.size()); }

    // How often a waiting QSO asks whether the host is free again.
    static constexpr int RetryMs = 200;

private:
    void take(const LoggedQso &qso);
    // Fills the fields with the waiting QSOs, oldest first, while the host is free.
    void applyWaiting();
    // Saves and sends the card on screen as the settings say; what was done, for the status.
    QString actOnCard(const LoggedQso &qso);
    void showStatus();
    void noteRefused(const QHostAddress &sender);

    ListenHost &m_host;
    QsoListener m_listener;
    ListenSettings m_settings;
    std::deque<LoggedQso> m_waiting;
    QTimer m_retry;
    bool m_applying = false;
    QString m_lastQso;
    QString m_lastRefused;
    QString m_error;
    QString m_status;
};
