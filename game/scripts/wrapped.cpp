// Drawing that wraps around the room's edges: what leaves on one side comes in on the other.
#include "scripts/SpriteEffects.h"

namespace {

// Calls draw(dx, dy) for each shift by -1, 0 or +1 room sizes at which the caller's sprite
// meets the room.
template <typename Draw>
void ForEachWrappedPlace(CInstance* self, CInstance* other, Draw draw) {
    const SpriteBox box = CallerSpriteBox(self);
    const double room_width = Real(BuiltinVar(self, VAR_room_width));
    const double room_height = Real(BuiltinVar(self, VAR_room_height));
    const double left = Real(BuiltinVar(self, VAR_x)) + box.left;
    const double top = Real(BuiltinVar(self, VAR_y)) + box.top;
    for (const double wrap_x : {-1.0, 0.0, 1.0})
        for (const double wrap_y : {-1.0, 0.0, 1.0}) {
            const double dx = wrap_x * room_width, dy = wrap_y * room_height;
            if (CallScript(psl_Script_intersect_rect, self, other, Value(left + dx),
                           Value(top + dy), Value(left + dx + box.width),
                           Value(top + dy + box.height), Value(0), Value(0), Value(room_width),
                           Value(room_height)))
                draw(dx, dy);
        }
}

} // namespace

// draw_self_wrapped(): the caller's sprite, as draw_self draws it, at every wrapped place where
// it shows.
RValue* psl_Script_draw_self_wrapped(CInstance* self, CInstance* other, RValue* result, int,
                                     RValue**) {
    ScriptFrame frame("psl_Script_draw_self_wrapped", result);
    ForEachWrappedPlace(self, other, [&](double dx, double dy) {
        Call(self, other, FN_draw_sprite_ext, BuiltinVar(self, VAR_sprite_index),
             BuiltinVar(self, VAR_image_index), BuiltinVar(self, VAR_x) + dx,
             BuiltinVar(self, VAR_y) + dy, BuiltinVar(self, VAR_image_xscale),
             BuiltinVar(self, VAR_image_yscale), BuiltinVar(self, VAR_image_angle),
             BuiltinVar(self, VAR_image_blend), BuiltinVar(self, VAR_image_alpha));
    });
    return result;
}

// draw_outline_wrapped([colour]): the outlined sprite, at the wrapped outlines' alpha, at every
// wrapped place where it shows.
RValue* psl_Script_draw_outline_wrapped(CInstance* self, CInstance* other, RValue* result, int argc,
                                        RValue** argv) {
    ScriptFrame frame("psl_Script_draw_outline_wrapped", result);
    const Value colour = ArgumentOr(argc, argv, 0, Value(0));
    ForEachWrappedPlace(self, other, [&](double dx, double dy) {
        DrawOutlineAt(self, other, colour, Global(SLOT_outline_alpha), dx, dy);
    });
    return result;
}
