// Small geometric and numeric chores: powers of two, rectangles, origins, the mouse and the
// screen size.
#include "CodeTable.h"
#include "GameNames.h"

// npow2(n): the smallest power of two that is n or more (1 for n up to 1).
RValue* psl_Script_npow2(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_npow2", result);
    const double n = Real(Argument(argc, argv, 0));
    double power = 1;
    while (power < n)
        power *= 2;
    Assign(*result, Value(power));
    return result;
}

// intersect_rect(l1, t1, r1, b1, l2, t2, r2, b2): true when the rectangles overlap; touching
// edges do not.
RValue* psl_Script_intersect_rect(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_intersect_rect", result);
    const auto at = [&](int i) { return Real(Argument(argc, argv, i)); };
    Assign(*result, Value(at(4) < at(2) && at(6) > at(0) && at(5) < at(3) && at(7) > at(1)));
    return result;
}

// center_origin(sprite): the sprite's origin at its centre, and the caller moved by half its
// sprite's size so that it stays where it was drawn.
RValue* psl_Script_center_origin(CInstance* self, CInstance* other, RValue* result, int argc,
                                 RValue** argv) {
    ScriptFrame frame("psl_Script_center_origin", result);
    const RValue& sprite = Argument(argc, argv, 0);
    Call(self, other, FN_sprite_set_offset, sprite,
         Call(self, other, FN_sprite_get_width, sprite) / 2,
         Call(self, other, FN_sprite_get_height, sprite) / 2);
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_x) + BuiltinVar(self, VAR_sprite_width) / 2);
    SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_y) + BuiltinVar(self, VAR_sprite_height) / 2);
    return result;
}

// true_mouse(axis): mouse_x for axis 0, mouse_y otherwise.
RValue* psl_Script_true_mouse(CInstance* self, CInstance*, RValue* result, int argc,
                              RValue** argv) {
    ScriptFrame frame("psl_Script_true_mouse", result);
    Assign(*result, BuiltinVar(self, Value(Argument(argc, argv, 0)) ? VAR_mouse_y : VAR_mouse_x));
    return result;
}

// room_get_width(), room_get_height(): the size of one screen.
RValue* psl_Script_room_get_width(CInstance*, CInstance*, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_room_get_width", result);
    Assign(*result, Global(SLOT_view_width));
    return result;
}

RValue* psl_Script_room_get_height(CInstance*, CInstance*, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_room_get_height", result);
    Assign(*result, Global(SLOT_view_height));
    return result;
}
