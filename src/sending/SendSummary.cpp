#include "SendSummary.h"

#include "ContactEmail.h"

#include <QStringList>

namespace {

QString cards(int n)
{
    return n == 1 ? QStringLiteral("1 card") : QStringLiteral("%1 cards").arg(n);
}

} // namespace

bool takesAddress(const QString &email, SendCounts &counts)
{
    if (email.isEmpty()) {
        ++counts.noAddress;
        return false;
    }
    if (!isAcceptableAddress(email)) {
        ++counts.refusedAddress;
        return false;
    }
    return true;
}

QString sendSummaryLine(const SendCounts &counts, bool dryRun)
{
    QStringList parts{cards(counts.sent) + (dryRun ? QStringLiteral(" would be sent") : QStringLiteral(" sent"))};
    if (counts.alreadySent > 0)
        parts << QStringLiteral("%1 already sent").arg(counts.alreadySent);
    if (counts.maybeSent > 0)
        parts << QStringLiteral("%1 may have been sent before (not sent again)").arg(counts.maybeSent);
    if (counts.noAddress > 0)
        parts << QStringLiteral("%1 without an address").arg(counts.noAddress);
    if (counts.refusedAddress > 0)
        parts << QStringLiteral("%1 with an address the e-mail check refuses").arg(counts.refusedAddress);
    if (counts.failed > 0)
        parts << QStringLiteral("%1 failed").arg(counts.failed);
    if (counts.notSent > 0)
        parts << QStringLiteral("%1 not sent").arg(counts.notSent);
    return parts.join(QStringLiteral("; "));
}
