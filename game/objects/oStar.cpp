// oStar: the stars of the bursts at hits, deaths and returns (oStarOut flies out, oStarIn in).
#include "CodeTable.h"
#include "GameNames.h"

// Coloured by direction: a ring of twelve shows the hue circle twice.
void psl_Object_oStar_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oStar_Other_10");
    const Value hue = (BuiltinVar(self, VAR_direction) / 180.0 * Value(240)) % Value(240);
    SetBuiltinVar(self, VAR_image_blend,
                  CallScript(psl_Script_make_color_hsl_240, self, other, hue, Value(239), Value(200)));
}

void psl_Object_oStar_Other_7(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oStar_Other_7");
    Call(self, other, FN_instance_destroy);
}

void psl_Object_oStar_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oStar_Draw_0");
    Call(self, other, FN_draw_sprite_ext, BuiltinVar(self, VAR_sprite_index), BuiltinVar(self, VAR_image_index),
         Call(self, other, FN_round, BuiltinVar(self, VAR_x)), Call(self, other, FN_round, BuiltinVar(self, VAR_y)),
         BuiltinVar(self, VAR_image_xscale), BuiltinVar(self, VAR_image_yscale), BuiltinVar(self, VAR_image_angle),
         BuiltinVar(self, VAR_image_blend), BuiltinVar(self, VAR_image_alpha));
}
