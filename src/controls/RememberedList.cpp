#include "RememberedList.h"

RememberedList::RememberedList(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // Typed text is a filter for the eye only: it never becomes an item of the list.
    setInsertPolicy(QComboBox::NoInsert);
}

void RememberedList::chooseItem(int index)
{
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    emit activated(index);
    emit textActivated(itemText(index));
}

void RememberedList::showOwnText(const QString &text)
{
    setCurrentIndex(-1);
    setEditText(text);
}
