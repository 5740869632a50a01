#include "QslQueue.h"

QslState logQslState(QStringView qslSent)
{
    const QStringView value = qslSent.trimmed();
    if (value.isEmpty())
        return QslState::NeedsCard;
    if (value.size() > 1)
        return QslState::OddStatus;
    switch (value.front().toUpper().unicode()) {
    case 'N':
    case 'R':
    case 'Q':
        return QslState::NeedsCard;
    case 'Y':
        return QslState::LoggedSent;
    case 'I':
        return QslState::Ignored;
    default:
        return QslState::OddStatus;
    }
}

QslState queueState(QslState logState, JournalEntry journal)
{
    if (journal == JournalEntry::Sent)
        return QslState::JournalSent;
    if (!needsCard(logState))
        return logState;
    return journal == JournalEntry::MaybeSent ? QslState::MaybeSent : logState;
}

bool needsCard(QslState state)
{
    return state == QslState::NeedsCard || state == QslState::OddStatus;
}

QString qslStateText(QslState state)
{
    switch (state) {
    case QslState::NeedsCard: return QStringLiteral("needs a card");
    case QslState::OddStatus: return QStringLiteral("needs a card (the log's QSL_SENT is not Y, N, R, Q or I)");
    case QslState::LoggedSent: return QStringLiteral("sent (the log says so)");
    case QslState::Ignored: return QStringLiteral("no card (the log says ignore)");
    case QslState::JournalSent: return QStringLiteral("sent (Sent.adi)");
    case QslState::MaybeSent:
        return QStringLiteral("may have been sent (Sent.adi: a send ended without the server's answer)");
    }
    return QString();
}
