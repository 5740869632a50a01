#pragma once

#include <cstdint>
#include <vector>

// The LZW string table: open addressing over a prime number of 32-bit slots. A slot holds
// key << 12 | code, where key = prefix * 256 + pixel; all bits set marks an empty slot.
class THashTable
{
public:
    static constexpr int Size = 8009;
    static constexpr uint32_t Empty = 0xFFFFFFFFu;

    THashTable();

    void clear();
    // Stores code for key; the key must not be present yet.
    void insert(uint32_t key, int code);
    // The code stored for key, or -1.
    int lookup(uint32_t key) const;

    // The probe sequence: the first slot of a key and the slot tried after slot h.
    static int firstSlot(uint32_t key) { return static_cast<int>((key ^ (key >> 4)) % Size); }
    static int nextSlot(int h)
    {
        const int d = h == 0 ? 1 : Size - h;
        h -= d;
        return h < 0 ? h + Size : h;
    }

private:
    static bool occupied(uint32_t value) { return value < 0xFFFFF000u; }
    std::vector<uint32_t> m_slots;
};
