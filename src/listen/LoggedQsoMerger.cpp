#include "LoggedQsoMerger.h"

#include "HamBands.h"

#include <algorithm>

QsoKey qsoKey(const AdifRecord &record)
{
    return {record.value(AdifField::Call).trimmed().toUpper() + QLatin1Char('|')
                + record.value(AdifField::QsoDate).trimmed() + QLatin1Char('|')
                + record.value(AdifField::TimeOn).trimmed().left(4),
            qsoBand(record.value(AdifField::Freq), record.value(AdifField::Band))};
}

std::vector<LoggedQso> LoggedQsoMerger::offer(const LoggedQso &qso, qint64 nowMs)
{
    const QsoKey key = qsoKey(qso.record);
    if (isTaken(key) || (qso.source == MessageType::QsoLogged && isHeld(key))) {
        ++m_dropped;
        return {};
    }
    if (qso.source == MessageType::QsoLogged) {
        std::vector<LoggedQso> overflow;
        // However fast messages come, the wait holds a bounded number of QSOs: the oldest one
        // is taken early rather than lost.
        if (m_held.size() >= size_t(RememberedQsos)) {
            remember(m_held.front().key);
            overflow.push_back(std::move(m_held.front().qso));
            m_held.pop_front();
        }
        m_held.push_back({qso, key, nowMs + m_holdMs});
        return overflow;
    }
    if (isHeld(key)) {
        dropHeld(key);
        ++m_dropped;
    }
    remember(key);
    return {qso};
}

std::vector<LoggedQso> LoggedQsoMerger::takeDue(qint64 nowMs)
{
    std::vector<LoggedQso> due;
    // Held QSOs are due in the order they came, since every one waits the same time.
    while (!m_held.empty() && m_held.front().dueMs <= nowMs) {
        remember(m_held.front().key);
        due.push_back(std::move(m_held.front().qso));
        m_held.pop_front();
    }
    return due;
}

std::optional<qint64> LoggedQsoMerger::nextDue() const
{
    if (m_held.empty())
        return std::nullopt;
    return m_held.front().dueMs;
}

std::vector<LoggedQso> LoggedQsoMerger::takeAll()
{
    std::vector<LoggedQso> all;
    for (Held &held : m_held) {
        remember(held.key);
        all.push_back(std::move(held.qso));
    }
    m_held.clear();
    return all;
}

bool LoggedQsoMerger::isHeld(const QsoKey &key) const
{
    return std::any_of(m_held.cbegin(), m_held.cend(), [&](const Held &held) { return held.key.matches(key); });
}

bool LoggedQsoMerger::isTaken(const QsoKey &key) const
{
    for (auto it = m_taken.find(key.qso); it != m_taken.end() && it.key() == key.qso; ++it) {
        if (QsoKey{key.qso, it.value()}.matches(key))
            return true;
    }
    return false;
}

void LoggedQsoMerger::dropHeld(const QsoKey &key)
{
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(), [&](const Held &held) { return held.key.matches(key); }),
                 m_held.end());
}

void LoggedQsoMerger::remember(const QsoKey &key)
{
    if (m_taken.contains(key.qso, key.band))
        return;
    m_taken.insert(key.qso, key.band);
    m_takenOrder.push_back(key);
    if (m_takenOrder.size() > size_t(RememberedQsos)) {
        m_taken.remove(m_takenOrder.front().qso, m_takenOrder.front().band);
        m_takenOrder.pop_front();
    }
}
