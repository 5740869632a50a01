#include "QsoListSearch.h"

namespace {

bool matches(const QString &row, const QString &text)
{
    return !text.isEmpty() && row.contains(text, Qt::CaseInsensitive);
}

} // namespace

SearchStep searchFromTop(const QStringList &rows, const QString &text, int resumeIndex)
{
    for (int row = 0; row < rows.size(); ++row) {
        if (matches(rows[row], text))
            return {row, row + 1};
    }
    return {-1, resumeIndex};
}

SearchStep searchNext(const QStringList &rows, const QString &text, int resumeIndex)
{
    if (resumeIndex < 0 || resumeIndex >= rows.size())
        return {-1, resumeIndex};
    for (int row = resumeIndex; row < rows.size(); ++row) {
        if (matches(rows[row], text))
            return {row, row + 1};
    }
    return {-1, -1};
}
