// oBoss: a beast's fight. User event 2 starts it (the arena's walls appear, the boss theme takes
// over from the room's music, the beast starts afresh and has its say) or ends it (the beast
// glides home, alarm 2, unless it died); a beast Mireth can no longer see calls the fight off.
// While it runs, Draw End shows the health bar.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"
#include "scripts/HealthBar.h"

void psl_Object_oBoss_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBoss_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_max_hp), Value(8));
    Assign(Var(self, SLOT_hp), Value(8));
    Assign(Var(self, SLOT_boss_active), Value(0));
}

void psl_Object_oBoss_Other_12(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBoss_Other_12");
    With(self, other, oBossBlock, [](CInstance* wall, CInstance*) {
        SetBuiltinVar(wall, VAR_visible, Value(!BuiltinVar(wall, VAR_visible)));
        SetBuiltinVar(wall, VAR_solid, Value(!BuiltinVar(wall, VAR_solid)));
    });
    const bool active = !Value(Var(self, SLOT_boss_active));
    Assign(Var(self, SLOT_boss_active), Value(active));

    frame.Line(3);
    if (!Call(self, other, FN_audio_is_playing, Value(bgmBoss))) {
        Call(self, other, FN_audio_play_sound, Value(bgmBoss), Value(100000), Value(1));
        Call(self, other, FN_audio_pause_sound, Global(SLOT_bgm));
    } else {
        Call(self, other, FN_audio_stop_sound, Value(bgmBoss));
        Call(self, other, FN_audio_resume_sound, Global(SLOT_bgm));
    }

    frame.Line(4);
    if (!active) {
        if (!Value(Var(self, SLOT_dead))) SetBuiltinVar(self, VAR_alarm, Value(1), 2);
        return;
    }
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_xstart));
    SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_ystart));
    Assign(Var(self, SLOT_hp), Var(self, SLOT_max_hp));
    Assign(Var(self, SLOT_hv), Value(0));
    Assign(Var(self, SLOT_vv), Value(0));
    SetBuiltinVar(self, VAR_alarm, Value(-1), 2);
    event_user(self, other, 3);
    // The beast says its piece as the fight begins.
    event_user(self, other, 1);
}

// Home by 5 % of the way a step, healed.
void psl_Object_oBoss_Alarm_2(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oBoss_Alarm_2");
    GlideHome(self, 0.95);
    Assign(Var(self, SLOT_hp), Var(self, SLOT_max_hp));
    Assign(Var(self, SLOT_hv), Value(0));
    Assign(Var(self, SLOT_vv), Value(0));
    SetBuiltinVar(self, VAR_alarm, Value(1), 2);
}

// A fight whose beast has left Mireth's screen is called off.
void psl_Object_oBoss_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBoss_Step_1");
    event_inherited(self, other);
    if (Value(Var(self, SLOT_boss_active)) && CallScript(psl_Script_outside_view, self, other)) event_user(self, other, 2);
}

// The health bar along the bottom of the screen: Mireth's hearts above, the beast's pips below.
void psl_Object_oBoss_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBoss_Draw_73");
    if (Value(Var(self, SLOT_boss_active))) health_bar::Draw(self, other);
}
