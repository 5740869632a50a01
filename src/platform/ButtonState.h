#pragma once

class QAbstractButton;

// Unchecks a radio button or check box, even the checked member of an exclusive group, which
// Qt on its own refuses (a group may well have nothing chosen). Does nothing for a null or
// unchecked button. Unchecking raises only toggled(false).
void uncheckButton(QAbstractButton *button);
