// Outlines drawn through cached off-screen surfaces.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

constexpr int32_t kScratchSizes = 12; // sides 1 to 2048
constexpr int32_t kScratchSlots = 4;

} // namespace

// init_outline(): the scratch surface table, every entry -1 until first used, and the alpha of
// wrapped outlines.
RValue* psl_Script_init_outline(CInstance*, CInstance*, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_init_outline", result);
    Value table;
    for (int32_t size = kScratchSizes - 1; size >= 0; --size)
        for (int32_t slot = kScratchSlots - 1; slot >= 0; --slot)
            AssignElement(table, ArrayIndex(size, slot), Value(-1));
    Assign(Global(SLOT_scratch_surface), table);
    Assign(Global(SLOT_outline_alpha), Value(1));
    return result;
}
