// Where an instance is relative to its neighbours and to the screen the player is on.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

struct Box {
    Value left, top, right, bottom;
};

Box BoxOf(CInstance* instance) {
    return {BuiltinVar(instance, VAR_bbox_left), BuiltinVar(instance, VAR_bbox_top),
            BuiltinVar(instance, VAR_bbox_right), BuiltinVar(instance, VAR_bbox_bottom)};
}

// The first instance a target selects, or null.
CInstance* FirstInstance(CInstance* self, CInstance* other, int32_t target) {
    CInstance* found = nullptr;
    With(self, other, target, [&](CInstance* instance, CInstance*) {
        if (!found) found = instance;
    });
    return found;
}

// The player, or null in the rooms before it exists.
CInstance* Player(CInstance* self, CInstance* other) { return FirstInstance(self, other, oChar); }

} // namespace

// instance_adjacent(object): an instance of the object touching the caller's box grown by one
// pixel on every side, or noone.
RValue* psl_Script_instance_adjacent(CInstance* self, CInstance* other, RValue* result, int argc,
                                     RValue** argv) {
    ScriptFrame frame("psl_Script_instance_adjacent", result);
    const Box box = BoxOf(self);
    Assign(*result,
           Call(self, other, FN_collision_rectangle, box.left - 1, box.top - 1, box.right + 1,
                box.bottom + 1, Argument(argc, argv, 0), Value(0), Value(1)));
    return result;
}

// outside_view([inst = self], [camera]): the instance's box misses the screen the player is on,
// whatever the camera shows. Without a player the first screen of the room stands in for it; an
// instance that does not exist is outside.
RValue* psl_Script_outside_view(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_outside_view", result);
    CInstance* instance =
        argc > 0 ? FirstInstance(self, other, int32_t(Real(Argument(argc, argv, 0)))) : self;
    Assign(*result, Value(1));
    if (!instance) return result;

    frame.Line(2);
    const double width = Real(Global(SLOT_view_width));
    const double height = Real(Global(SLOT_view_height));
    double sx = 0, sy = 0;
    if (CInstance* player = Player(self, other)) {
        sx = std::floor(Real(BuiltinVar(player, VAR_x)) / width) * width;
        sy = std::floor(Real(BuiltinVar(player, VAR_y)) / height) * height;
    }

    frame.Line(3);
    const Box box = BoxOf(instance);
    const Value inside =
        CallScript(psl_Script_intersect_rect, self, other, box.left, box.top, box.right, box.bottom,
                   Value(sx), Value(sy), Value(sx + width), Value(sy + height));
    Assign(*result, Value(inside ? 0 : 1));
    return result;
}
