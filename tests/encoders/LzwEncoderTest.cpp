#include "LzwHashTable.h"
#include "LzwEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

namespace {

// A second LZW encoder written straight from the rules, with a std::map for the string table
// and one bit at a time packing; the real encoder must produce the same bytes.
std::vector<uint8_t> referenceLzw(const std::vector<uint8_t> &pixels, int m)
{
    std::vector<uint8_t> bytes;
    int bitPos = 0;
    int width = m + 1;
    int maxCode = (1 << width) - 1;
    const int clear = 1 << m;
    int next = clear + 2;
    std::map<std::pair<int, int>, int> table;
    auto put = [&](int code) {
        for (int i = 0; i < width; ++i, ++bitPos) {
            if (bitPos % 8 == 0)
                bytes.push_back(0);
            if (code & (1 << i))
                bytes.back() |= static_cast<uint8_t>(1 << (bitPos % 8));
        }
        if (code == clear) {
            width = m + 1;
            maxCode = (1 << width) - 1;
        } else if (next > maxCode) {
            ++width;
            maxCode = width == 12 ? 4096 : (1 << width) - 1;
        }
    };
    put(clear);
    if (!pixels.empty()) {
        int prefix = pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const auto found = table.find({prefix, pixels[i]});
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            put(prefix);
            const int k = pixels[i];
            if (next < 4095) {
                table[{prefix, k}] = next++;
            } else {
                put(clear);
                table.clear();
                next = clear + 2;
            }
            prefix = k;
        }
        put(prefix);
    }
    put(clear + 1);
    return bytes;
}

std::vector<uint8_t> encodeRaw(const std::vector<uint8_t> &pixels, int m)
{
    std::vector<uint8_t> blocks;
    GifWriter writer(blocks);
    LzwEncoder encoder;
    encoder.encode(pixels.data(), pixels.size(), 1 << m, m, writer);
    writer.finish();
    std::vector<uint8_t> raw;
    for (size_t pos = 0; pos < blocks.size(); pos += blocks[pos] + 1)
        raw.insert(raw.end(), blocks.begin() + pos + 1, blocks.begin() + pos + 1 + blocks[pos]);
    return raw;
}

std::vector<uint8_t> pattern(size_t count, int colors, unsigned seed, int runLength)
{
    std::vector<uint8_t> out(count);
    unsigned state = seed;
    for (size_t i = 0; i < count; ++i) {
        if (i % runLength == 0)
            state = state * 1103515245u + 12345u;
        out[i] = static_cast<uint8_t>((state >> 16) % colors);
    }
    return out;
}

struct StreamRow {
    const char *name;
    size_t count;
    int minCodeSize;
    int runLength;
};

class LzwMatchesReference : public ::testing::TestWithParam<StreamRow> {};

TEST_P(LzwMatchesReference, SameBytes)
{
    const StreamRow row = GetParam();
    const auto pixels = pattern(row.count, 1 << row.minCodeSize, 42, row.runLength);
    EXPECT_EQ(encodeRaw(pixels, row.minCodeSize), referenceLzw(pixels, row.minCodeSize));
}

INSTANTIATE_TEST_SUITE_P(Streams, LzwMatchesReference, ::testing::Values(
    StreamRow{"empty", 0, 8, 1}, StreamRow{"onePixel", 1, 8, 1},
    StreamRow{"card", 511 * 280, 8, 1}, StreamRow{"runs", 511 * 280, 8, 9},
    StreamRow{"flat", 511 * 280, 8, 511 * 280}, StreamRow{"mono", 40000, 2, 3},
    StreamRow{"fourBit", 60000, 4, 2}),
    [](const auto &info) { return std::string(info.param.name); });

// Reads the codes back the way a GIF decoder does: the width grows when the decoder's next
// table slot no longer fits, and a clear code resets it.
struct CodeRead {
    int code;
    int width;
};

std::vector<CodeRead> readCodes(const std::vector<uint8_t> &raw, int m)
{
    std::vector<CodeRead> codes;
    const int clear = 1 << m;
    int width = m + 1;
    int next = clear + 2;
    bool first = true;
    size_t bitPos = 0;
    while (bitPos + width <= raw.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bitPos)
            if (raw[bitPos / 8] & (1 << (bitPos % 8)))
                code |= 1 << i;
        codes.push_back({code, width});
        if (code == clear + 1)
            break;
        if (code == clear) {
            width = m + 1;
            next = clear + 2;
            first = true;
            continue;
        }
        if (!first && next < 4096)
            ++next;
        first = false;
        if (next >= (1 << width) && width < 12)
            ++width;
    }
    return codes;
}

TEST(LzwEncoder, FullTableEmitsClearCodeAndReturnsToNineBits)
{
    const auto pixels = pattern(511 * 280, 216, 5, 1);
    const auto codes = readCodes(encodeRaw(pixels, 8), 8);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front().code, 256);
    EXPECT_EQ(codes.back().code, 257);
    size_t clearAt = 0;
    for (size_t i = 1; i < codes.size() && clearAt == 0; ++i)
        if (codes[i].code == 256)
            clearAt = i;
    ASSERT_GT(clearAt, 0u) << "no clear code in a busy picture";
    // Codes 258..4094 are assigned, one per emitted code; the code that finds no free slot
    // is followed by the clear code.
    EXPECT_EQ(clearAt, 1u + (4095u - 258u) + 1u);
    EXPECT_EQ(codes[clearAt].width, 12);
    EXPECT_EQ(codes[clearAt + 1].width, 9);
    int largest = 0;
    for (size_t i = 0; i < clearAt; ++i)
        largest = std::max(largest, codes[i].code);
    EXPECT_LE(largest, 4094);
}

struct ProbeRow {
    int slot;
    int next;
};

class HashProbe : public ::testing::TestWithParam<ProbeRow> {};

TEST_P(HashProbe, NextSlot)
{
    EXPECT_EQ(LzwHashTable::nextSlot(GetParam().slot), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Slots, HashProbe, ::testing::Values(
    ProbeRow{0, 8052}, ProbeRow{1, 2}, ProbeRow{4026, 8052}, ProbeRow{4027, 1},
    ProbeRow{8052, 8051}, ProbeRow{5000, 1947}),
    [](const auto &info) { return "from" + std::to_string(info.param.slot); });

class ProbeCoverage : public ::testing::TestWithParam<int> {};

// From any slot the probe reaches every slot but 0 before it repeats itself, so a probe
// always meets an empty slot while the table holds fewer than Size - 1 keys.
TEST_P(ProbeCoverage, ReachesEveryNonZeroSlot)
{
    std::vector<bool> seen(LzwHashTable::Size, false);
    int h = GetParam();
    for (int step = 0; step < LzwHashTable::Size; ++step) {
        seen[h] = true;
        h = LzwHashTable::nextSlot(h);
    }
    EXPECT_EQ(LzwHashTable::Size - 1, std::count(seen.begin() + 1, seen.end(), true));
}

INSTANTIATE_TEST_SUITE_P(Starts, ProbeCoverage,
                         ::testing::Values(0, 1, 2, 4026, 4027, 5000, LzwHashTable::Size - 1),
                         [](const auto &info) { return "from" + std::to_string(info.param); });

TEST(LzwHashTable, FirstSlotAndCollisions)
{
    EXPECT_EQ(LzwHashTable::firstSlot(0x12345), (0x12345u ^ 0x1234u) % uint32_t(LzwHashTable::Size));
    // Keys that share a first slot must all be found again.
    LzwHashTable table;
    std::vector<uint32_t> keys;
    const int wanted = LzwHashTable::firstSlot(258 * 256 + 7);
    for (uint32_t key = 0; keys.size() < 6 && key < (1u << 20); ++key)
        if (LzwHashTable::firstSlot(key) == wanted)
            keys.push_back(key);
    ASSERT_EQ(keys.size(), 6u);
    for (size_t i = 0; i < keys.size(); ++i)
        table.insert(keys[i], 300 + static_cast<int>(i));
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(table.lookup(keys[i]), 300 + static_cast<int>(i));
    EXPECT_EQ(table.lookup(keys.back() + 1), -1);
    table.clear();
    EXPECT_EQ(table.lookup(keys[0]), -1);
}

TEST(LzwHashTable, FullestTableStillFindsEveryKeyAndMissesEnd)
{
    LzwHashTable table;
    std::vector<uint32_t> keys;
    for (int code = 258; code < 4095; ++code) {
        const uint32_t key = static_cast<uint32_t>(code - 1) * 256u + static_cast<uint32_t>(code % 251);
        keys.push_back(key);
        table.insert(key, code);
    }
    for (size_t i = 0; i < keys.size(); ++i)
        ASSERT_EQ(table.lookup(keys[i]), 258 + static_cast<int>(i));
    for (uint32_t key = 1; key < 4000; key += 7)
        EXPECT_EQ(table.lookup(key * 256u + 252u), -1);
}

TEST(GifWriter, BlocksOf255AndNoEmptyBlock)
{
    for (const int count : {0, 1, 254, 255, 256, 510, 511}) {
        std::vector<uint8_t> out;
        GifWriter writer(out);
        for (int i = 0; i < count; ++i)
            writer.put(static_cast<uint8_t>(i));
        writer.finish();
        std::vector<int> lengths;
        for (size_t pos = 0; pos < out.size(); pos += out[pos] + 1)
            lengths.push_back(out[pos]);
        std::vector<int> expected(count / 255, 255);
        if (count % 255)
            expected.push_back(count % 255);
        EXPECT_EQ(lengths, expected) << count << " bytes";
    }
}

} // namespace

// The first slot is taken by multiplication instead of division: it must agree with the
// remainder for every number below 2^20, which holds every key the encoder makes.
TEST(LzwHashTable, RemainderAgreesWithDivision)
{
    constexpr uint32_t size = LzwHashTable::Size;
    for (uint32_t x = 0; x < (1u << LzwHashTable::KeyBits); ++x)
        ASSERT_EQ(LzwHashTable::remainder(x), x % size) << x;
    // The largest key: prefix 4095, pixel 255.
    EXPECT_EQ(4095u * 256u + 255u, (1u << LzwHashTable::KeyBits) - 1);
}

// Bytes put in runs of any length form the same blocks as bytes put one by one.
TEST(GifWriter, RunsOfBytesMakeTheSameBlocks)
{
    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    std::vector<uint8_t> oneByOne;
    GifWriter single(oneByOne);
    for (const uint8_t b : data)
        single.put(b);
    single.finish();
    for (const int run : {1, 3, 254, 255, 256, 1000}) {
        std::vector<uint8_t> out;
        GifWriter writer(out);
        for (size_t pos = 0; pos < data.size(); pos += run)
            writer.put(data.data() + pos, static_cast<int>(std::min<size_t>(run, data.size() - pos)));
        writer.finish();
        EXPECT_EQ(out, oneByOne) << "runs of " << run;
    }
}

namespace {

// The first slot an earlier table of 8009 slots gave a key, and whether the slot lies on the
// probe cycle through slot 1 there: doubling modulo 8009 splits its slots into two cycles of
// 4004 (the quadratic residues and the rest).
uint32_t firstSlotOf8009(uint32_t key)
{
    return (key ^ (key >> 4)) % 8009u;
}

bool onCycleOfOne(uint32_t slot)
{
    uint64_t power = 1, base = slot;
    for (uint32_t e = 4004; e; e >>= 1, base = base * base % 8009u)
        if (e & 1)
            power = power * base % 8009u;
    return slot != 0 && power == 1;
}

// A picture of 8 colours (minimum code size 3) whose strings are chosen so that nearly every
// table entry starts its probe on one cycle of the 8009-slot table: 4084 entries for a cycle
// of 4004 slots. With that probe the next missing key on the cycle was looked for for ever.
std::vector<uint8_t> pictureFillingOneProbeCycle(int &entriesOnCycle)
{
    std::map<std::pair<int, int>, int> table;
    int next = 10;
    int prefix = 0;
    std::vector<uint8_t> pixels{0};
    entriesOnCycle = 0;
    auto key = [&prefix](int k) { return static_cast<uint32_t>(prefix) * 256u + k; };
    while (next < 4095) {
        int pick = -1;
        for (int k = 0; k < 8 && pick < 0; ++k)
            if (!table.count({prefix, k}) && onCycleOfOne(firstSlotOf8009(key(k))))
                pick = k;
        for (int k = 0; k < 8 && pick < 0; ++k)
            if (table.count({prefix, k}))
                pick = k;
        pick = std::max(pick, 0);
        pixels.push_back(static_cast<uint8_t>(pick));
        const auto found = table.find({prefix, pick});
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        entriesOnCycle += onCycleOfOne(firstSlotOf8009(key(pick)));
        table[{prefix, pick}] = next++;
        prefix = pick;
    }
    // A little more after the table is full: the clear code and a fresh table.
    for (int i = 0; i < 5000; ++i)
        pixels.push_back(static_cast<uint8_t>(i * 5 % 8));
    return pixels;
}

} // namespace

TEST(LzwEncoder, PictureFillingOneProbeCycleEndsWithTheSameBytes)
{
    int entriesOnCycle = 0;
    const std::vector<uint8_t> pixels = pictureFillingOneProbeCycle(entriesOnCycle);
    ASSERT_GT(entriesOnCycle, 4004);
    EXPECT_EQ(referenceLzw(pixels, 3), encodeRaw(pixels, 3));
}
