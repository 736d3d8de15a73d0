// Choices that look random but are fixed: by a cell's position, and by the Thue-Morse sequence.
#include <bit>
#include <cstdint>

#include "CodeTable.h"
#include "GameNames.h"

// pos_choose(cx, cy, option, option, ...): the same option for the same cell on every call (0
// without options). It reseeds the runner's generator on the way.
RValue* psl_Script_pos_choose(CInstance* self, CInstance* other, RValue* result, int argc,
                              RValue** argv) {
    ScriptFrame frame("psl_Script_pos_choose", result);
    const Value seed = Argument(argc, argv, 0) * 64109 + Argument(argc, argv, 1) * 46867 + 5;
    Call(self, other, FN_random_set_seed, seed);
    const int options = argc - 2;
    if (options <= 0) return result;
    const double r = Real(Call(self, other, FN_irandom, Value(10000)));
    Assign(*result, Argument(argc, argv, 2 + int(r) % options));
    return result;
}

// thue_morse(n): 1 when n has an odd number of 1 bits.
RValue* psl_Script_thue_morse(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_thue_morse", result);
    const auto n = static_cast<uint64_t>(TruncToInt64(Real(Argument(argc, argv, 0))));
    Assign(*result, Value(std::popcount(n) % 2));
    return result;
}
