#include "ListenController.h"

#include "HandlerGuard.h"
#include "IniFile.h"
#include "QsoCardSender.h"

namespace {

const QString Section = QStringLiteral("Listen");
const QString EnabledKey = QStringLiteral("Enabled");
const QString AddressKey = QStringLiteral("Address");
const QString SaveKey = QStringLiteral("SaveCards");
const QString SendKey = QStringLiteral("SendCards");
const QString AllowKey = QStringLiteral("Allow");

bool isTrue(const IniFile &state, const QString &key)
{
    return state.value(Section, key).compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
}

QString trueOrFalse(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

} // namespace

ListenSettings readListenSettings(const IniFile &state)
{
    ListenSettings settings;
    settings.enabled = isTrue(state, EnabledKey);
    settings.saveCards = isTrue(state, SaveKey);
    settings.sendCards = isTrue(state, SendKey);
    if (const auto address = parseListenAddress(state.value(Section, AddressKey)))
        settings.address = *address;
    if (const auto allowed = parseAllowedSenders(state.value(Section, AllowKey)))
        settings.allowed = *allowed;
    return settings;
}

void writeListenSettings(IniFile &state, const ListenSettings &settings)
{
    state.setValue(Section, EnabledKey, trueOrFalse(settings.enabled));
    state.setValue(Section, AddressKey, settings.address.toString());
    state.setValue(Section, SaveKey, trueOrFalse(settings.saveCards));
    state.setValue(Section, SendKey, trueOrFalse(settings.sendCards));
    state.setValue(Section, AllowKey, allowedSendersText(settings.allowed));
}

ListenController::ListenController(ListenHost &host, QObject *parent, qint64 holdMs)
    : QObject(parent)
    , m_host(host)
    , m_listener(nullptr, holdMs)
{
    m_retry.setInterval(RetryMs);
    connectGuarded(&m_retry, &QTimer::timeout, this, [this] { applyWaiting(); });
    connectGuarded(&m_listener, &QsoListener::qsoReceived, this,
                   [this](const LoggedQso &qso) { take(qso); });
    connectGuarded(&m_listener, &QsoListener::senderRefused, this,
                   [this](const QHostAddress &sender) { noteRefused(sender); });
}

bool ListenController::apply(const ListenSettings &settings)
{
    m_settings = settings;
    m_error.clear();
    m_lastRefused.clear();
    bool listening = true;
    if (settings.enabled) {
        m_listener.setAllowedSenders(settings.allowed);
        listening = m_listener.listen(settings.address);
        if (!listening)
            m_error = m_listener.errorString();
    } else {
        m_host.stopSending();
        m_listener.close();
    }
    showStatus();
    return listening;
}

void ListenController::take(const LoggedQso &qso)
{
    m_waiting.push_back(qso);
    applyWaiting();
}

void ListenController::applyWaiting()
{
    // A card on its way lets the event loop run; the QSOs that come meanwhile wait for it.
    if (m_applying)
        return;
    m_applying = true;
    struct Done {
        bool &applying;
        ~Done() { applying = false; }
    } done{m_applying};
    while (!m_waiting.empty()) {
        if (m_host.isBusy()) {
            m_retry.start();
            return;
        }
        // Taken off the queue first: filling the fields runs their handlers, which may
        // let the event loop bring the next QSO in here.
        const LoggedQso qso = std::move(m_waiting.front());
        m_waiting.pop_front();
        const QsoRecord row = parseListRow(listRow(qso.record, m_host.defaultPower()));
        m_lastQso = QStringLiteral("%1 %2 %3").arg(row.callSign, row.utcDate, row.utcTime);
        m_host.fillQso(row);
        if (m_settings.saveCards || m_settings.sendCards) {
            const QString received = m_lastQso;
            m_lastQso = received + QStringLiteral(": working");
            showStatus();
            m_lastQso = received + QStringLiteral(": ") + actOnCard(qso);
        }
        showStatus();
    }
    m_retry.stop();
}

QString ListenController::actOnCard(const LoggedQso &qso)
{
    QStringList done;
    QString picture;
    if (m_settings.saveCards)
        done << m_host.saveCard(picture);
    if (m_settings.sendCards && !m_settings.enabled)
        done << QStringLiteral("not sent: Listen is off");
    else if (m_settings.sendCards)
        done << m_host.sendCard(sentQsoOfRecord(qso.record), picture);
    return done.join(QStringLiteral(", "));
}

void ListenController::noteRefused(const QHostAddress &sender)
{
    m_lastRefused = sender.toString();
    showStatus();
}

void ListenController::showStatus()
{
    if (!m_error.isEmpty())
        m_status = QStringLiteral("Not listening: %1").arg(m_error);
    else if (!m_listener.isListening())
        m_status.clear();
    else if (m_lastQso.isEmpty())
        m_status = QStringLiteral("Listening on %1").arg(m_settings.address.toString());
    else
        m_status = QStringLiteral("Listening on %1, last QSO %2").arg(m_settings.address.toString(), m_lastQso);
    const int strangers = m_listener.counts().strangers;
    if (m_listener.isListening() && strangers > 0)
        m_status += QStringLiteral(", %1 datagram(s) refused from senders not allowed (last %2)")
                        .arg(strangers)
                        .arg(m_lastRefused);
    m_host.showListenStatus(m_status);
}
