#include "THashTable.h"

#include <algorithm>

THashTable::THashTable()
    : m_slots(Size, Empty)
{
}

void THashTable::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), Empty);
}

void THashTable::insert(uint32_t key, int code)
{
    int h = firstSlot(key);
    while (occupied(m_slots[h]))
        h = nextSlot(h);
    m_slots[h] = (key << 12) | static_cast<uint32_t>(code & 0xFFF);
}

int THashTable::lookup(uint32_t key) const
{
    // The probe doubles the slot number modulo the prime; every cycle it walks has 4004
    // slots, more than the encoder ever fills, so an empty slot is always reached.
    for (int h = firstSlot(key);; h = nextSlot(h)) {
        const uint32_t value = m_slots[h];
        if (!occupied(value))
            return -1;
        if ((value >> 12) == key)
            return static_cast<int>(value & 0xFFF);
    }
}
