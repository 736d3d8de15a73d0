// oPresence: the herald of the last fight. A ring of the season's stolen light closes in on its
// point over the first two bars of the final song, with the word at the top of the screen; when
// it has closed, the Presence is there. Once the Presence is beaten the herald never comes.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

constexpr double kRadius = 150;                           // pixels, at the start
constexpr double kCountdown = 8 * 1'000'000.0 * 30 / 77; // microseconds: eight beats at 154 a minute
constexpr int kMotes = 12;

} // namespace

void psl_Object_oPresence_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPresence_Create_0");
    Assign(Var(self, SLOT_radius), Value(kRadius));
    if (Value(Global(SLOT_finalboss))) {
        Call(self, other, FN_instance_destroy);
        return;
    }
    // The song is stopped so that the room's music starts it from its first bar with the ring,
    // also when the room starts over after a death (the camera may have started it meanwhile).
    Call(self, other, FN_audio_stop_sound, Global(SLOT_bgm));
}

// The ring closes by the clock, so the Presence comes on the song's beat whatever the frame rate.
void psl_Object_oPresence_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPresence_Step_0");
    // It holds while the game is paused.
    bool paused = false;
    With(self, other, oChar, [&](CInstance* player, CInstance*) { paused |= bool(Value(Var(player, SLOT_pause))); });
    if (paused) return;
    RValue& radius = Var(self, SLOT_radius);
    radius -= BuiltinVar(self, VAR_delta_time) * (kRadius / kCountdown);
    if (radius > Value(0)) return;
    frame.Line(2);
    Call(self, other, FN_instance_create_depth, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y),
         BuiltinVar(self, VAR_depth), Value(oFinalBoss));
    Call(self, other, FN_instance_destroy);
}

void psl_Object_oPresence_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oPresence_Draw_0");
    const Value radius = Var(self, SLOT_radius);
    // The ring turns as it closes.
    for (int k = 0; k < kMotes; ++k) {
        const Value d = radius * 2.0 + 360.0 / kMotes * k;
        Call(self, other, FN_draw_sprite, Value(sFinalProjectile), Value(k),
             BuiltinVar(self, VAR_x) + Call(self, other, FN_lengthdir_x, radius, d),
             BuiltinVar(self, VAR_y) + Call(self, other, FN_lengthdir_y, radius, d));
    }
    frame.Line(2);
    const Value camera = BuiltinVar(self, VAR_view_camera, 0);
    Call(self, other, FN_draw_set_font, Global(SLOT_neco_font));
    Call(self, other, FN_draw_set_colour, Value(0xFFFFFF));
    CallScript(psl_Script_draw_text_centered, self, other,
               Call(self, other, FN_camera_get_view_x, camera) + Div(Global(SLOT_view_width), Value(2)),
               Call(self, other, FN_camera_get_view_y, camera) + 16.0, Value("The Presence draws near."));
}
