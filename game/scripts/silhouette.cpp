// Flat white silhouettes of the caller's sprite frame, built on a scratch surface.
#include "scripts/SpriteEffects.h"

namespace {

// The outline's own surface takes slot 0 of the same sizes while the silhouette is drawn on it.
constexpr int kSilhouetteSlot = 1;

} // namespace

SpriteBox CallerSpriteBox(CInstance* self) {
    const double width = Real(BuiltinVar(self, VAR_sprite_width)); // scaled: negative when mirrored
    const double height = Real(BuiltinVar(self, VAR_sprite_height));
    return {-Real(BuiltinVar(self, VAR_sprite_xoffset)) * Real(BuiltinVar(self, VAR_image_xscale)) +
                Min(width, 0),
            -Real(BuiltinVar(self, VAR_sprite_yoffset)) * Real(BuiltinVar(self, VAR_image_yscale)) +
                Min(height, 0),
            Abs(width), Abs(height)};
}

void DrawSilhouetteAt(CInstance* self, CInstance* other, const RValue& silhouette, double left,
                      double top) {
    Call(self, other, FN_draw_surface_ext, silhouette, Value(left), Value(top), Value(1), Value(1),
         Value(0), BuiltinVar(self, VAR_image_blend), BuiltinVar(self, VAR_image_alpha));
}

// get_silhouette_surface(): a scratch surface holding the caller's current frame, scaled,
// mirrored and turned as the caller is, in white with the frame's alpha; the frame's box starts
// at the surface's top-left corner.
RValue* psl_Script_get_silhouette_surface(CInstance* self, CInstance* other, RValue* result, int,
                                          RValue**) {
    ScriptFrame frame("psl_Script_get_silhouette_surface", result);
    const SpriteBox box = CallerSpriteBox(self);
    const Value size = Max(Real(CallScript(psl_Script_npow2, self, other, Value(box.width))),
                           Real(CallScript(psl_Script_npow2, self, other, Value(box.height))));
    const Value surface =
        CallScript(psl_Script_get_scratch_surface, self, other, size, Value(kSilhouetteSlot));
    Call(self, other, FN_surface_set_target, surface);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    Call(self, other, FN_draw_sprite_ext, BuiltinVar(self, VAR_sprite_index),
         BuiltinVar(self, VAR_image_index), Value(-box.left), Value(-box.top),
         BuiltinVar(self, VAR_image_xscale), BuiltinVar(self, VAR_image_yscale),
         BuiltinVar(self, VAR_image_angle), Value(kWhite), Value(1));
    // Result = white fill x the frame's alpha already there, + nothing of the frame's colours:
    // white wherever the frame shows, as opaque as it is, and clear elsewhere.
    Call(self, other, FN_gpu_set_blendmode_ext, Value(bm_dest_alpha), Value(bm_zero));
    const Value white(kWhite);
    Call(self, other, FN_draw_rectangle_color, Value(0), Value(0), size - 1, size - 1, white, white,
         white, white, Value(0));
    Call(self, other, FN_gpu_set_blendmode, Value(bm_normal));
    Call(self, other, FN_surface_reset_target);
    Assign(*result, surface);
    return result;
}

// draw_silhouette(dx, dy): the caller's silhouette where its sprite is, moved by (dx, dy).
RValue* psl_Script_draw_silhouette(CInstance* self, CInstance* other, RValue* result, int argc,
                                   RValue** argv) {
    ScriptFrame frame("psl_Script_draw_silhouette", result);
    const SpriteBox box = CallerSpriteBox(self);
    const Value silhouette = CallScript(psl_Script_get_silhouette_surface, self, other);
    DrawSilhouetteAt(self, other, silhouette,
                     Real(BuiltinVar(self, VAR_x)) + box.left + Real(Argument(argc, argv, 0)),
                     Real(BuiltinVar(self, VAR_y)) + box.top + Real(Argument(argc, argv, 1)));
    return result;
}
