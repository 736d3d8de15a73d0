// WELL512a step, seeding and the output mappings of the runner's random generator.
// Signed quantities are handled as unsigned words throughout so that wrap-around and the
// sign-copying shift are defined behaviour.
#include "Function/RandomGenerator.h"

namespace {

constexpr double kTwoToMinus32 = 1.0 / 4294967296.0;

// Arithmetic shift right by 16 of the word read as a signed value.
uint32_t SignCopyingShift16(uint32_t x) {
    uint32_t shifted = x >> 16;
    return (x & 0x80000000u) ? (shifted | 0xFFFF0000u) : shifted;
}

} // namespace

void RandomGenerator::SetSeed(int32_t seed) {
    seed_ = static_cast<uint32_t>(seed);
    uint32_t x = seed_;
    for (uint32_t& word : state_) {
        x = SignCopyingShift16(x * 214013u + 2531011u) & 0x7FFFFFFFu;
        word = x;
    }
    index_ = 0;
}

uint32_t RandomGenerator::Randomize(int64_t clock_us, int64_t counter_at_start) {
    uint64_t t = static_cast<uint64_t>(clock_us) + static_cast<uint64_t>(counter_at_start);
    uint32_t lo = static_cast<uint32_t>(t);
    uint32_t hi = static_cast<uint32_t>(t >> 32);
    uint32_t seed = (lo + hi) ^ (lo >> 16) ^ (lo << 16);
    SetSeed(static_cast<int32_t>(seed));
    return seed;
}

// The circular buffer stands for the generator's shift register: word (index + j) mod 16 is
// register cell j, so each step writes two new cells and moves the index down by one.
uint32_t RandomGenerator::NextU32() {
    uint32_t& v0 = state_[index_];
    uint32_t vm1 = state_[(index_ + 13) & 15];
    uint32_t vm2 = state_[(index_ + 9) & 15];
    uint32_t z1 = v0 ^ (v0 << 16) ^ vm1 ^ (vm1 << 15);
    uint32_t z2 = vm2 ^ (vm2 >> 11);
    uint32_t new_v1 = z1 ^ z2;
    v0 = new_v1;
    index_ = (index_ + 15) & 15;
    uint32_t& last = state_[index_];
    uint32_t z0 = last;
    last = z0 ^ (z0 << 2) ^ z1 ^ (z1 << 18) ^ (z2 << 28) ^ new_v1 ^ ((new_v1 << 5) & mask_);
    return last;
}

double RandomGenerator::Random(double n) {
    return NextU32() * kTwoToMinus32 * n;
}

double RandomGenerator::RandomRange(double a, double b) {
    double lo = a < b ? a : b;
    double hi = a < b ? b : a;
    return lo + NextU32() * kTwoToMinus32 * (hi - lo);
}

uint64_t RandomGenerator::DrawBelow(uint64_t m) {
    uint64_t r1 = NextU32();
    uint64_t r2 = NextU32();
    uint64_t joined = ((r2 & 0x7FFFFFFFu) << 32) | r1;
    return m == 0 ? joined : joined % m;
}

int64_t RandomGenerator::IRandom(int64_t n) {
    // |n + 1| or |n - 1| as an unsigned count, which cannot overflow at either end of int64.
    uint64_t n_bits = static_cast<uint64_t>(n);
    if (n >= 0) return static_cast<int64_t>(DrawBelow(n_bits + 1));
    uint64_t draw = DrawBelow((0 - n_bits) + 1);
    return static_cast<int64_t>(0 - draw);
}

int64_t RandomGenerator::IRandomRange(int64_t a, int64_t b) {
    int64_t lo = a < b ? a : b;
    int64_t hi = a < b ? b : a;
    // The span wraps to 0 only for the whole int64 range, which DrawBelow takes as 2^64.
    uint64_t span = static_cast<uint64_t>(hi) - static_cast<uint64_t>(lo) + 1;
    return static_cast<int64_t>(static_cast<uint64_t>(lo) + DrawBelow(span));
}

int RandomGenerator::ChooseIndex(int count) {
    if (count <= 0) return -1;
    return static_cast<int>(NextU32() % static_cast<uint32_t>(count));
}
