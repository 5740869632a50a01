#include "LzwHashTable.h"

#include <algorithm>

LzwHashTable::LzwHashTable()
{
    clear();
}

void LzwHashTable::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Empty);
}
