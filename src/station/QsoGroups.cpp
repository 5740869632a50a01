#include "QsoGroups.h"

#include "QsoEntryRules.h"

#include <QHash>

#include <algorithm>
#include <climits>

namespace {

// A QSO's UTC date and time as one number that sorts in time order (yyyyMMddHHmm), or
// LLONG_MAX when its date cannot be read. A time that cannot be read counts as 00:00.
qint64 timeKey(const QsoRecord &qso)
{
    const QDate date = readQsoDate(qso.utcDate.trimmed()).date;
    if (!date.isValid())
        return LLONG_MAX;
    QString digits;
    for (QChar c : qso.utcTime)
        if (c.isDigit())
            digits += c;
    const int hhmm = digits.size() >= 4 ? digits.left(4).toInt() : 0;
    return qint64(date.year()) * 100000000 + date.month() * 1000000 + date.day() * 10000 + hhmm;
}

} // namespace

QString groupingCallSign(const QString &callSign)
{
    return upperCaseAtoZ(callSign.trimmed());
}

std::vector<std::vector<int>> qsoCards(const std::vector<QsoRecord> &qsos, int perCard,
                                       bool groupByCall)
{
    std::vector<std::vector<int>> cards;
    if (!groupByCall) {
        for (int i = 0; i < int(qsos.size()); ++i)
            cards.push_back({i});
        return cards;
    }
    const int limit = std::max(1, perCard);
    QHash<QString, int> callIndex;
    std::vector<std::vector<int>> calls;
    for (int i = 0; i < int(qsos.size()); ++i) {
        const QString call = groupingCallSign(qsos[i].callSign);
        auto found = callIndex.constFind(call);
        if (found == callIndex.constEnd()) {
            found = callIndex.insert(call, int(calls.size()));
            calls.emplace_back();
        }
        calls[*found].push_back(i);
    }
    std::vector<qint64> keys(qsos.size());
    for (size_t i = 0; i < qsos.size(); ++i)
        keys[i] = timeKey(qsos[i]);
    for (std::vector<int> &call : calls) {
        std::stable_sort(call.begin(), call.end(),
                         [&](int a, int b) { return keys[a] < keys[b]; });
        for (size_t from = 0; from < call.size(); from += limit)
            cards.emplace_back(call.begin() + from,
                               call.begin() + std::min(call.size(), from + limit));
    }
    return cards;
}

std::vector<std::vector<std::vector<int>>> qsoMessages(const std::vector<QsoRecord> &qsos, int perCard,
                                                       bool groupByCall)
{
    std::vector<std::vector<std::vector<int>>> messages;
    if (!groupByCall) {
        for (int i = 0; i < int(qsos.size()); ++i)
            messages.push_back({{i}});
        return messages;
    }
    // Grouped by call sign and address at once: the address joins the call sign.
    std::vector<QsoRecord> keys = qsos;
    for (QsoRecord &key : keys)
        key.callSign = groupingCallSign(key.callSign) + QLatin1Char(' ') + key.email.trimmed().toLower();
    QString previous;
    for (const std::vector<int> &card : qsoCards(keys, perCard, true)) {
        const QString &key = keys[card.front()].callSign;
        if (messages.empty() || key != previous)
            messages.emplace_back();
        previous = key;
        messages.back().push_back(card);
    }
    return messages;
}
