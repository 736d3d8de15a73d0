// The beasts: each one's strength, words and the saved flag that keeps it away once beaten (their
// Create events and `die` read this one table), and what every boss's fight shares.
#pragma once

#include <utility>

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

// Whether the beast acts this step: its fight is on and the game is not paused.
inline bool BeastActs(CInstance* self) { return Value(Var(self, SLOT_boss_active)) && !Value(Var(self, SLOT_pause)); }

// A boss a step nearer home, keeping `keep` of the way left.
inline void GlideHome(CInstance* self, double keep) {
    for (const auto& [at, start] : {std::pair{&VAR_x, &VAR_xstart}, std::pair{&VAR_y, &VAR_ystart}}) {
        const Value home = BuiltinVar(self, *start);
        SetBuiltinVar(self, *at, home + (BuiltinVar(self, *at) - home) * keep);
    }
}
