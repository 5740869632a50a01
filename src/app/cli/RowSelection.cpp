#include "RowSelection.h"

#include <QStringList>

#include <limits>

namespace {

// A row number: digits only, at least 1.
std::optional<int> rowNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int row = text.toInt();
    if (row < 1)
        return std::nullopt;
    return row;
}

} // namespace

std::optional<RowSelection> RowSelection::parse(const QString &text)
{
    RowSelection selection;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const qsizetype dash = part.indexOf(QLatin1Char('-'));
        const std::optional<int> first = rowNumber(dash < 0 ? part : part.left(dash));
        if (!first)
            return std::nullopt;
        int last = *first;
        if (dash >= 0) {
            const QString end = part.mid(dash + 1);
            if (end.isEmpty()) {
                last = std::numeric_limits<int>::max();
            } else {
                const std::optional<int> number = rowNumber(end);
                if (!number || *number < *first)
                    return std::nullopt;
                last = *number;
            }
        }
        selection.m_ranges.emplace_back(*first, last);
    }
    return selection;
}

void RowSelection::add(const RowSelection &other)
{
    m_ranges.insert(m_ranges.end(), other.m_ranges.begin(), other.m_ranges.end());
}

bool RowSelection::contains(int row) const
{
    if (m_ranges.empty())
        return true;
    for (const auto &[first, last] : m_ranges)
        if (row >= first && row <= last)
            return true;
    return false;
}
