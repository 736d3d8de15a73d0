// The beasts: each one's strength, words and the saved flag that keeps it away once beaten. Their
// Create events and `die` read this one table.
#pragma once

#include "CodeTable.h"
#include "GameNames.h"

struct Beast {
    int32_t object;
    double hp;
    const char* script; // what it says as its fight starts
    int32_t flag;
};

inline constexpr Beast kBeasts[] = {
    {oMegaSlimey, 12, "I'll end your pathetic existence.", SLOT_megaslimey},
    {oMegaWigglis, 15, "You shall perish at my hand.", SLOT_megawigglis},
    {oMegaFlowerfluff, 3, ":-(", SLOT_megaflowerfluff},
};

inline const Beast* BeastOf(CInstance* instance) {
    const double object = Real(BuiltinVar(instance, VAR_object_index));
    for (const Beast& beast : kBeasts)
        if (object == beast.object) return &beast;
    return nullptr;
}

// A beast's Create after its parent's: its strength and words, or gone at once when beaten before.
inline void CreateBeast(CInstance* self, CInstance* other) {
    event_inherited(self, other);
    const Beast* beast = BeastOf(self);
    Assign(Var(self, SLOT_max_hp), Value(beast->hp));
    Assign(Var(self, SLOT_hp), Value(beast->hp));
    Assign(Var(self, SLOT_script), Value(beast->script));
    if (Value(Global(beast->flag))) Call(self, other, FN_instance_destroy);
}

// Whether a beast's fight is on in the room.
inline bool FightOn(CInstance* self, CInstance* other) {
    bool on = false;
    With(self, other, oBoss, [&](CInstance* boss, CInstance*) { on |= bool(Value(Var(boss, SLOT_boss_active))); });
    return on;
}
