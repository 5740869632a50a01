#include "ListenController.h"

#include "HandlerGuard.h"
#include "IniFile.h"

namespace {

const QString Section = QStringLiteral("Listen");
const QString EnabledKey = QStringLiteral("Enabled");
const QString AddressKey = QStringLiteral("Address");

} // namespace

ListenSettings readListenSettings(const IniFile &state)
{
    ListenSettings settings;
    settings.enabled = state.value(Section, EnabledKey).compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    if (const auto address = parseListenAddress(state.value(Section, AddressKey)))
        settings.address = *address;
    return settings;
}

void writeListenSettings(IniFile &state, const ListenSettings &settings)
{
    state.setValue(Section, EnabledKey, settings.enabled ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    state.setValue(Section, AddressKey, settings.address.toString());
}

ListenController::ListenController(ListenHost &host, QObject *parent, qint64 holdMs)
    : QObject(parent)
    , m_host(host)
    , m_listener(nullptr, holdMs)
{
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { guarded([this] { applyWaiting(); }); });
    connect(&m_listener, &QsoListener::qsoReceived, this,
            [this](const LoggedQso &qso) { guarded([this, &qso] { take(qso); }); });
}

bool ListenController::apply(const ListenSettings &settings)
{
    m_settings = settings;
    m_error.clear();
    bool listening = true;
    if (settings.enabled) {
        listening = m_listener.listen(settings.address);
        if (!listening)
            m_error = m_listener.errorString();
    } else {
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
    while (!m_waiting.empty()) {
        if (m_host.isBusy()) {
            m_retry.start();
            return;
        }
        // Taken off the queue first: filling the fields runs their handlers, which may
        // let the event loop bring the next QSO in here.
        const LoggedQso qso = std::move(m_waiting.front());
        m_waiting.pop_front();
        const QsoRow row = parseListRow(listRow(qso.record, m_host.defaultPower()));
        m_lastQso = QStringLiteral("%1 %2 %3").arg(row.callSign, row.date, row.time);
        m_host.fillQso(row);
        showStatus();
    }
    m_retry.stop();
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
    m_host.showListenStatus(m_status);
}
