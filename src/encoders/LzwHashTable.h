#pragma once

#include <cstdint>
#include <array>

// The LZW string table: open addressing over a prime number of 32-bit slots. A slot holds
// key << 12 | code, where key = prefix * 256 + pixel; all bits set marks an empty slot.
// The probe doubles the slot number modulo the prime. 2 generates every non-zero remainder
// of 8053, so from any slot the probe reaches every other slot but 0 within Size steps; the
// table never holds more than 4096 keys, so every probe meets an empty slot and ends, for a
// picture of any minimum code size. (With a prime where 2 has a smaller order the slots fall
// into separate cycles, and a crafted picture can fill one of them.)
class LzwHashTable
{
public:
    static constexpr int Size = 8053;
    static constexpr uint32_t Empty = 0xFFFFFFFFu;
    // Keys are below 2^20 (a 12-bit prefix code and an 8-bit pixel), and so is what
    // firstSlot() divides.
    static constexpr int KeyBits = 20;
    static constexpr int FractionBits = 2 * KeyBits;
    static constexpr uint64_t FractionMask = (uint64_t(1) << FractionBits) - 1;
    static constexpr uint64_t Inverse = (uint64_t(1) << FractionBits) / Size + 1;

    LzwHashTable();

    void clear();
    // The slot that holds key, or the empty slot where the probe for key ends.
    int findSlot(uint32_t key) const
    {
        int h = firstSlot(key);
        for (uint32_t value = m_slots[h]; occupied(value) && (value >> 12) != key;
             value = m_slots[h])
            h = nextSlot(h);
        return h;
    }
    // The probe for key in one step: the slot where it ends goes to slot; the code stored for
    // key is returned, or -1 when the probe ended at an empty slot. An empty slot's key part
    // (0xFFFFF) is above every key, so one comparison per step tells both apart.
    int probe(uint32_t key, int &slot) const
    {
        int h = firstSlot(key);
        uint32_t value = m_slots[h];
        while ((value >> 12) != key && value != Empty) {
            h = nextSlot(h);
            value = m_slots[h];
        }
        slot = h;
        return value == Empty ? -1 : static_cast<int>(value & 0xFFF);
    }
    // The code in a slot found by findSlot(), or -1 when the slot is empty.
    int codeAt(int slot) const
    {
        return occupied(m_slots[slot]) ? static_cast<int>(m_slots[slot] & 0xFFF) : -1;
    }
    // Stores key and code in an empty slot found by findSlot() for that key.
    void insertAt(int slot, uint32_t key, int code)
    {
        m_slots[slot] = (key << 12) | static_cast<uint32_t>(code & 0xFFF);
    }
    // Stores code for key; the key must not be present yet.
    void insert(uint32_t key, int code)
    {
        int h = firstSlot(key);
        while (occupied(m_slots[h]))
            h = nextSlot(h);
        m_slots[h] = (key << 12) | static_cast<uint32_t>(code & 0xFFF);
    }
    // The code stored for key, or -1.
    int lookup(uint32_t key) const
    {
        for (int h = firstSlot(key);; h = nextSlot(h)) {
            const uint32_t value = m_slots[h];
            if (!occupied(value))
                return -1;
            if ((value >> 12) == key)
                return static_cast<int>(value & 0xFFF);
        }
    }

    // The probe sequence: the first slot of a key and the slot tried after slot h.
    static int firstSlot(uint32_t key) { return static_cast<int>(remainder(key ^ (key >> 4))); }
    // x % Size for every x below 2^KeyBits, by two multiplications (Lemire's fastmod with a
    // 40-bit fraction, which keeps every product within 64 bits); it takes one step less than
    // the compiler's division by a constant on the encoder's hot path.
    static uint32_t remainder(uint32_t x)
    {
        const uint64_t fraction = (Inverse * x) & FractionMask;
        return static_cast<uint32_t>((fraction * Size) >> FractionBits);
    }
    static int nextSlot(int h)
    {
        const int d = h == 0 ? 1 : Size - h;
        h -= d;
        return h < 0 ? h + Size : h;
    }

private:
    static bool occupied(uint32_t value) { return value < 0xFFFFF000u; }
    std::array<uint32_t, Size> m_slots;
};
