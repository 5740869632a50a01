#pragma once

#include <QComboBox>

// A drop-down list with an edit field whose chosen item the window's state file remembers
// (as "Position", the item's index; -1 while the field shows a text of its own). Restoring
// a remembered item chooses it as the operator would, so the list's handlers run.
class RememberedList : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int Position READ chosenItem WRITE chooseItem)

public:
    explicit RememberedList(QWidget *parent = nullptr);

    // The chosen item's index, or -1 when the field shows a text of its own.
    int chosenItem() const { return currentIndex(); }
    // Chooses item index and raises activated(index) as a selection by the operator does;
    // an index outside the list changes nothing.
    void chooseItem(int index);
    // Shows text in the edit field with no item chosen.
    void showOwnText(const QString &text);
};
