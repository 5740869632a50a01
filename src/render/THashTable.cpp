#include "THashTable.h"

#include <algorithm>

THashTable::THashTable()
{
    clear();
}

void THashTable::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Empty);
}
