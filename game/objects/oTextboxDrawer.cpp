// oTextboxDrawer: every open speech box on the screen is drawn into one view-sized surface, which
// is drawn over the view at the music's gain, so the boxes fade with the music as one picture.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oTextboxDrawer_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oTextboxDrawer_Create_0");
    Assign(Var(self, SLOT_surfy), Value(-1));
}

void psl_Object_oTextboxDrawer_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextboxDrawer_Destroy_0");
    if (Call(self, other, FN_surface_exists, Var(self, SLOT_surfy))) Call(self, other, FN_surface_free, Var(self, SLOT_surfy));
}

void psl_Object_oTextboxDrawer_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTextboxDrawer_Draw_73");
    if (!Call(self, other, FN_instance_exists, Value(oTextbox))) return;
    RValue& surface = Var(self, SLOT_surfy);
    if (!Call(self, other, FN_surface_exists, surface))
        Assign(surface, Call(self, other, FN_surface_create, Global(SLOT_view_width), Global(SLOT_view_height)));
    Call(self, other, FN_surface_set_target, surface);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    With(self, other, oTextbox, [](CInstance* box, CInstance* drawer) {
        if (!CallScript(psl_Script_outside_view, box, drawer)) event_user(box, drawer, 15);
    });
    Call(self, other, FN_surface_reset_target);

    frame.Line(2);
    // A room without music shows its boxes whole.
    const Value music = Global(SLOT_bgm);
    const double gain = Call(self, other, FN_audio_exists, music)
                            ? Max(0, Min(1, Real(Call(self, other, FN_audio_sound_get_gain, music))))
                            : 1;
    const Value camera = BuiltinVar(self, VAR_view_camera, 0);
    Call(self, other, FN_draw_surface_ext, surface, Call(self, other, FN_camera_get_view_x, camera),
         Call(self, other, FN_camera_get_view_y, camera), Value(1), Value(1), Value(0), Value(0xFFFFFF), Value(gain));
}
