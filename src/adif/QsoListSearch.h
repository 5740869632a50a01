#pragma once

#include <QStringList>

// Search and Next over the QSO list rows: a substring search that ignores letter case (a call
// sign is found however it is typed or logged). The resume index
// is the row where Next goes on; -1 when Next has nothing to go on from.
struct SearchStep
{
    int foundRow = -1;    // the row to scroll to the top, -1 when nothing was found
    int resumeIndex = -1; // the resume index after the step
};

// Search: the first row holding text. When none does (or text is empty) nothing changes:
// foundRow is -1 and resumeIndex is the one given.
SearchStep searchFromTop(const QStringList &rows, const QString &text, int resumeIndex);

// Next: from the resume index on, the first row holding text; found, it resumes after that
// row. Rows passed over without a match leave the resume index at -1, so after the last match
// Next does nothing until a Search succeeds. A resume index of -1 or past the last row changes
// nothing.
SearchStep searchNext(const QStringList &rows, const QString &text, int resumeIndex);
