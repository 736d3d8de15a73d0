// The costs behind the text command interpreter and the random built-ins: a random integer,
// and character-counted copy and search over a 1 KB text of mixed ASCII and multi-byte letters.
#include "Function/RandomGenerator.h"
#include "Support/Utf8Text.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// 1024 bytes (about 790 characters); the marker at its end is found only there.
const std::string& MixedText() {
    static const std::string text = [] {
        const std::string phrase = "Merry Snowtide! Joyeux No\u00EBl, "
                                   "\u0421\u0447\u0430\u0441\u0442\u044C\u044F "
                                   "\u2744 \U0001F384 ";
        std::string result;
        while (result.size() + phrase.size() < 1024 - 5)
            result += phrase;
        result.append(1024 - 5 - result.size(), '.');
        return result + "[end]";
    }();
    return text;
}

void BM_IRandom(benchmark::State& state) {
    RandomGenerator rng;
    for (auto _ : state)
        benchmark::DoNotOptimize(rng.IRandom(100));
}
BENCHMARK(BM_IRandom);

// The argument is the start position: cost grows with the characters skipped to reach it.
void BM_Utf8Copy(benchmark::State& state) {
    const std::string& text = MixedText();
    int32_t position = static_cast<int32_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8Copy(text, position, 8));
}
BENCHMARK(BM_Utf8Copy)->Arg(1)->Arg(400)->Arg(780);

void BM_Utf8PosFoundAtEnd(benchmark::State& state) {
    const std::string& text = MixedText();
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8Pos("[end]", text));
}
BENCHMARK(BM_Utf8PosFoundAtEnd);

void BM_Utf8PosMissing(benchmark::State& state) {
    const std::string& text = MixedText();
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8Pos("\u0421\u0447\u0430x", text));
}
BENCHMARK(BM_Utf8PosMissing);

} // namespace
