// Sprite shapes filled with a four-corner colour gradient, built on two scratch surfaces.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

// The sprite's frame 0 filled with the gradient c1..c4 (top-left, top-right, bottom-right,
// bottom-left), its origin at (x, y).
void DrawStencil(CInstance* self, CInstance* other, const Value& sprite, int argc, RValue** argv) {
    const Value width = Call(self, other, FN_sprite_get_width, sprite);
    const Value height = Call(self, other, FN_sprite_get_height, sprite);
    const Value xoffset = Call(self, other, FN_sprite_get_xoffset, sprite);
    const Value yoffset = Call(self, other, FN_sprite_get_yoffset, sprite);
    const Value size = Max(Real(CallScript(psl_Script_npow2, self, other, width)),
                           Real(CallScript(psl_Script_npow2, self, other, height)));
    const Value shape = CallScript(psl_Script_get_scratch_surface, self, other, size, Value(0));
    Call(self, other, FN_surface_set_target, shape);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    Call(self, other, FN_draw_sprite, sprite, Value(0), xoffset, yoffset);
    Call(self, other, FN_surface_reset_target);

    const Value fill = CallScript(psl_Script_get_scratch_surface, self, other, size, Value(1));
    Call(self, other, FN_surface_set_target, fill);
    Call(self, other, FN_draw_clear_alpha, Value(0), Value(0));
    Call(self, other, FN_draw_rectangle_color, Value(0), Value(0), width, height,
         Argument(argc, argv, 3), Argument(argc, argv, 4), Argument(argc, argv, 5),
         Argument(argc, argv, 6), Value(0));
    // Result = nothing of the shape's colours + the gradient x the shape's alpha: the gradient
    // stays where the sprite shows, as opaque as it is there, and is cleared elsewhere.
    Call(self, other, FN_gpu_set_blendmode_ext, Value(bm_zero), Value(bm_src_alpha));
    Call(self, other, FN_draw_surface, shape, Value(0), Value(0));
    Call(self, other, FN_gpu_set_blendmode, Value(bm_normal));
    Call(self, other, FN_surface_reset_target);
    Call(self, other, FN_draw_surface, fill, Argument(argc, argv, 1) - xoffset,
         Argument(argc, argv, 2) - yoffset);
}

} // namespace

// draw_stencil_with_gradient(sprite, x, y, c1, c2, c3, c4)
RValue* psl_Script_draw_stencil_with_gradient(CInstance* self, CInstance* other, RValue* result,
                                              int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_draw_stencil_with_gradient", result);
    DrawStencil(self, other, Value(Argument(argc, argv, 0)), argc, argv);
    return result;
}

// draw_stencil_with_gradient_outline(sprite, ...): the same for the sprite named like the given
// one with "Outline" after it.
RValue* psl_Script_draw_stencil_with_gradient_outline(CInstance* self, CInstance* other,
                                                      RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_draw_stencil_with_gradient_outline", result);
    const Value name =
        Call(self, other, FN_sprite_get_name, Argument(argc, argv, 0)) + Value("Outline");
    DrawStencil(self, other, Call(self, other, FN_asset_get_index, name), argc, argv);
    return result;
}
