// The random generator against the paper's own WELL512a, its mappings and its state.
#include "Function/RandomGenerator.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

// WELL512a as Panneton, L'Ecuyer and Matsumoto state the recurrence: a register v[0..15] that
// really shifts by one cell per step, and the transformation matrices as functions of a shift
// count t (negative t shifts left). Deliberately unlike the runner's circular-index version.
class Well512aPaperForm {
public:
    Well512aPaperForm(const std::array<uint32_t, 16>& v, uint32_t mask) : v_(v), mask_(mask) {}

    uint32_t Next() {
        uint32_t z0 = v_[15];
        uint32_t z1 = M3(-16, v_[0]) ^ M3(-15, v_[13]);
        uint32_t z2 = M3(11, v_[9]); // T3 is the zero matrix for this generator
        uint32_t z3 = z1 ^ z2;
        uint32_t z4 = M3(-2, z0) ^ M3(-18, z1) ^ M2(-28, z2) ^ M5(-5, mask_, z3);
        for (int j = 15; j >= 2; --j)
            v_[j] = v_[j - 1];
        v_[1] = z3;
        v_[0] = z4;
        return v_[0];
    }

private:
    static uint32_t Shift(int t, uint32_t x) { return t >= 0 ? x >> t : x << -t; }
    static uint32_t M2(int t, uint32_t x) { return Shift(t, x); }
    static uint32_t M3(int t, uint32_t x) { return x ^ Shift(t, x); }
    static uint32_t M5(int t, uint32_t b, uint32_t x) { return x ^ (Shift(t, x) & b); }

    std::array<uint32_t, 16> v_;
    uint32_t mask_;
};

TEST(RandomGenerator, SeedingScramblesTheSeedWithASignCopyingShift) {
    RandomGenerator rng;
    auto first_words = [&rng] {
        return std::array{rng.Words()[0], rng.Words()[1], rng.Words()[2]};
    };
    rng.SetSeed(0);
    EXPECT_EQ(first_words(), (std::array<uint32_t, 3>{38, 162, 567}));
    EXPECT_EQ(rng.Index(), 0u);
    rng.SetSeed(123456);
    // Negative intermediates copy the sign bit: bits 16..30 set.
    EXPECT_EQ(first_words(), (std::array<uint32_t, 3>{9977, 32619, 2147459134}));
    EXPECT_EQ(rng.Seed(), 123456u);
    for (uint32_t word : rng.Words())
        EXPECT_LT(word, 0x80000000u);

    rng.SetSeed(-1);
    EXPECT_EQ(rng.Seed(), 0xFFFFFFFFu);
}

TEST(RandomGenerator, OutputsEqualWell512aFromTheSeededState) {
    for (int32_t seed : {0, 123456, -987654321, INT32_MAX}) {
        for (bool old_version : {false, true}) {
            RandomGenerator rng;
            rng.UseOldVersion(old_version);
            rng.SetSeed(seed);
            Well512aPaperForm reference(rng.Words(), old_version ? 0xDA442D20u : 0xDA442D24u);
            for (int i = 0; i < 2000; ++i)
                ASSERT_EQ(rng.NextU32(), reference.Next()) << "seed " << seed << " output " << i;
        }
    }
    RandomGenerator rng;
    rng.NextU32();
    EXPECT_EQ(rng.Index(), 15u); // the index moves downwards
}

TEST(RandomGenerator, RandomizeCombinesTheClockHalvesIntoTheSeed) {
    RandomGenerator rng;
    // The 64-bit sum 0x9ABCDEF0'12345678 overflows int64, which must simply wrap.
    uint32_t seed = rng.Randomize(0x7ABCDEF012345678, 0x2000000000000000);
    // (lo + hi) ^ (lo >> 16) ^ (lo << 16) with lo = 0x12345678, hi = 0x9ABCDEF0.
    EXPECT_EQ(seed, 0xFA89275Cu);
    EXPECT_EQ(rng.Seed(), seed);
    RandomGenerator expected;
    expected.SetSeed(static_cast<int32_t>(seed));
    EXPECT_EQ(rng, expected);
}

// A twin seeded alike replays the outputs, which the mappings must use exactly as defined.
TEST(RandomGenerator, MapsOutputsOntoRangesAsDefined) {
    RandomGenerator rng, twin;
    rng.SetSeed(7);
    twin.SetSeed(7);
    EXPECT_EQ(rng.ChooseIndex(0), -1); // nothing to choose from: no output taken
    EXPECT_EQ(rng, twin);
    auto draw63 = [&twin] {
        uint64_t r1 = twin.NextU32();
        uint64_t r2 = twin.NextU32();
        return ((r2 & 0x7FFFFFFF) << 32) | r1;
    };

    EXPECT_EQ(rng.Random(10), twin.NextU32() / 4294967296.0 * 10);
    EXPECT_EQ(rng.RandomRange(5, 3), 3 + twin.NextU32() / 4294967296.0 * 2);
    EXPECT_EQ(rng.IRandom(1000), static_cast<int64_t>(draw63() % 1001));
    EXPECT_EQ(rng.IRandom(-3), -static_cast<int64_t>(draw63() % 4));
    EXPECT_EQ(rng.IRandomRange(10, -10), -10 + static_cast<int64_t>(draw63() % 21));
    EXPECT_EQ(rng.ChooseIndex(3), static_cast<int>(twin.NextU32() % 3));
    EXPECT_EQ(rng.IRandom(0), 0);
    draw63(); // a draw below 1 still takes two outputs
    EXPECT_EQ(rng, twin);

    RandomGenerator saved = rng; // a recording restores the state by copying it back
    uint32_t next = rng.NextU32();
    EXPECT_NE(rng, saved);
    rng = saved;
    EXPECT_EQ(rng.NextU32(), next);

    // The ends of int64 must neither overflow (the sanitizer build checks) nor leave the range.
    for (int i = 0; i < 50; ++i) {
        EXPECT_GE(rng.IRandom(INT64_MAX), 0);
        EXPECT_LE(rng.IRandom(INT64_MIN), 0);
        EXPECT_GE(rng.IRandomRange(INT64_MAX - 1, INT64_MAX), INT64_MAX - 1);
        rng.IRandomRange(INT64_MIN, INT64_MAX);
    }
}

} // namespace
