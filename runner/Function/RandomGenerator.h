// The runner's one pseudo-random generator: WELL512a over sixteen words, seeded with a linear
// congruential scramble, and the mappings of its 32-bit output onto the random built-ins.
// The whole state (words, index, seed, tempering mask) is a plain value, so a recording can copy
// it out and put it back and a test can compare two generators.
#pragma once

#include <array>
#include <cstdint>

class RandomGenerator {
public:
    static constexpr uint32_t kDefaultMask = 0xDA442D24u;
    static constexpr uint32_t kOldMask = 0xDA442D20u;

    RandomGenerator() { SetSeed(0); }

    void SetSeed(int32_t seed);
    // The last seed given or made, as the unsigned word it is stored as.
    uint32_t Seed() const { return seed_; }
    // Seeds from the runner clock and the counter value read when that clock started.
    uint32_t Randomize(int64_t clock_us, int64_t counter_at_start);
    // Old games were built against a generator whose mask differs in bit 2 only. (a << 5)
    // always clears that bit, so the outputs stay the same; the mask is kept as part of the state.
    void UseOldVersion(bool old) { mask_ = old ? kOldMask : kDefaultMask; }

    uint32_t NextU32();
    // A real in [0, n) (or (n, 0] for negative n).
    double Random(double n);
    // A real in [min(a, b), max(a, b)).
    double RandomRange(double a, double b);
    // An integer from 0 to n inclusive, either sign.
    int64_t IRandom(int64_t n);
    // An integer between a and b inclusive, in either order.
    int64_t IRandomRange(int64_t a, int64_t b);
    // An index below count, or -1 without touching the state when there is nothing to choose.
    int ChooseIndex(int count);

    const std::array<uint32_t, 16>& Words() const { return state_; }
    unsigned Index() const { return index_; }

    bool operator==(const RandomGenerator&) const = default;

private:
    // Two outputs joined into a 63-bit number, reduced modulo m; m == 0 stands for 2^64.
    uint64_t DrawBelow(uint64_t m);

    std::array<uint32_t, 16> state_{};
    unsigned index_ = 0;
    uint32_t seed_ = 0;
    uint32_t mask_ = kDefaultMask;
};
