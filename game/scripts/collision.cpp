// What an actor touches and what touching does: the collision queries return [hit, [list,
// axis]], with a new list of the ids touched when there was a hit, which the handler consumes.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Instances.h"

namespace {

// Whether the actor's bounding box moved to (x, y) leaves the room.
bool LeavesRoom(CInstance* self, const RValue& x, const RValue& y) {
    const Value dx = x - BuiltinVar(self, VAR_x);
    const Value dy = y - BuiltinVar(self, VAR_y);
    return BuiltinVar(self, VAR_bbox_left) + dx < Value(0) ||
           BuiltinVar(self, VAR_bbox_right) + dx >= BuiltinVar(self, VAR_room_width) ||
           BuiltinVar(self, VAR_bbox_top) + dy < Value(0) ||
           BuiltinVar(self, VAR_bbox_bottom) + dy >= BuiltinVar(self, VAR_room_height);
}

// Whether the room's edge lets the player through: the screen's exit record opens the edges of
// its axis; along the other axis the player only passes while a step either way keeps it inside
// the room (it is crossing an open edge of the other axis).
bool ExitOpen(CInstance* self, CInstance* other, const Value& axis) {
    Value exit = CallScript(psl_Script_screen_exit, self, other);
    if (!Call(self, other, FN_is_array, exit)) return false;
    if (Value(Element(exit, 3)) == axis) return true;
    if (axis == Value(0))
        return BuiltinVar(self, VAR_bbox_left) > Value(0) &&
               BuiltinVar(self, VAR_bbox_right) < BuiltinVar(self, VAR_room_width) - 1.0;
    return BuiltinVar(self, VAR_bbox_top) > Value(0) &&
           BuiltinVar(self, VAR_bbox_bottom) < BuiltinVar(self, VAR_room_height) - 1.0;
}

// The result both queries give: the count of what was touched, with the room's edge as the
// oBounds instance. Nothing touched, no handler runs: the list goes at once (an actor in the
// air would otherwise leave one behind every pixel it moves).
void Result(CInstance* self, CInstance* other, RValue* result, const Value& list, double count, const RValue& x,
            const RValue& y, const RValue& axis) {
    if (LeavesRoom(self, x, y)) {
        Call(self, other, FN_ds_list_add, list, Call(self, other, FN_instance_find, Value(oBounds), Value(0)));
        ++count;
    }
    if (count == 0) Call(self, other, FN_ds_list_destroy, list);
    Value info;
    AssignElement(info, 1, axis);
    AssignElement(info, 0, count != 0 ? list : Value(-1));
    AssignElement(*result, 1, info);
    AssignElement(*result, 0, Value(count != 0));
}

} // namespace

// check_collision_basic(x, y, [axis]): the instances the actor would touch at (x, y).
RValue* psl_Script_check_collision_basic(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_check_collision_basic", result);
    const RValue& x = Argument(argc, argv, 0);
    const RValue& y = Argument(argc, argv, 1);
    const Value list = Call(self, other, FN_ds_list_create);
    const double count =
        Real(Call(self, other, FN_instance_place_list, Value(x), Value(y), Value(all), list, Value(0)));
    Result(self, other, result, list, count, x, y, ArgumentOr(argc, argv, 2, Value(0)));
    return result;
}

// check_collision_grid(x, y, [axis]): the level grid at (x, y), as the oSolid instance.
RValue* psl_Script_check_collision_grid(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_check_collision_grid", result);
    const RValue& x = Argument(argc, argv, 0);
    const RValue& y = Argument(argc, argv, 1);
    const Value list = Call(self, other, FN_ds_list_create);
    double count = 0;
    if (!CallScript(psl_Script_grid_place_free, self, other, Value(x), Value(y))) {
        Call(self, other, FN_ds_list_add, list, Call(self, other, FN_instance_find, Value(oSolid), Value(0)));
        ++count;
    }
    Result(self, other, result, list, count, x, y, ArgumentOr(argc, argv, 2, Value(0)));
    return result;
}

// handle_collision_basic(info): whether what the actor touched blocks it, with the effects of
// touching: a stomp hurts what the player lands on.
RValue* psl_Script_handle_collision_basic(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_handle_collision_basic", result);
    Value info = Argument(argc, argv, 0);
    const Value list = Element(info, 0);
    const Value axis = Element(info, 1);
    const bool player = IsA(self, other, BuiltinVar(self, VAR_id), oChar);
    bool blocked = false;
    const double count = Real(Call(self, other, FN_ds_list_size, list));
    for (double i = 0; i < count; ++i) {
        frame.Line(2);
        const Value touched = Call(self, other, FN_ds_list_find_value, list, Value(i));
        if (!Call(self, other, FN_instance_exists, touched)) continue;
        if (BuiltinVarOf(int32_t(Real(touched)), VAR_solid)) blocked = true;
        const bool flower_floor = IsA(self, other, touched, oFlowerBossBlock) && !VarOf(int32_t(Real(touched)), SLOT_dead);
        // A bounced seed breaks a flower floor, and turns back.
        if (flower_floor && IsA(self, other, BuiltinVar(self, VAR_id), oFlowerProjectile) && Value(Var(self, SLOT_dangerous))) {
            With(self, other, int32_t(Real(touched)), [](CInstance* floor, CInstance* seed) { CallScript(psl_Script_die, floor, seed); });
            blocked = true;
        }
        if (!player) continue;
        // Mireth cannot rise through a flower floor, but falls through it.
        if (flower_floor && BuiltinVar(self, VAR_bbox_top) > BuiltinVarOf(int32_t(Real(touched)), VAR_bbox_bottom))
            blocked = true;
        frame.Line(3);
        if (IsA(self, other, touched, oBounds) && !ExitOpen(self, other, axis)) blocked = true;
        // The Presence's shots hurt whichever way Mireth runs into them; a last hit clears every
        // shot, this one too.
        if ((IsA(self, other, touched, oFinalBoss) || IsA(self, other, touched, oFinalProjectile)) &&
            Value(VarOf(int32_t(Real(touched)), SLOT_hurtful))) {
            CallScript(psl_Script_hurt, self, other, BuiltinVar(self, VAR_id), touched);
            if (!Call(self, other, FN_instance_exists, touched)) continue;
        }
        frame.Line(4);
        if ((IsA(self, other, touched, oEnemy) || IsA(self, other, touched, oProjectile)) &&
            BuiltinVar(self, VAR_bbox_bottom) - 2.0 <= BuiltinVarOf(int32_t(Real(touched)), VAR_bbox_top) &&
            Var(self, SLOT_vv) > Value(0)) {
            CallScript(psl_Script_hurt, self, other, touched, BuiltinVar(self, VAR_id));
            blocked = true;
        }
    }
    Call(self, other, FN_ds_list_destroy, list);
    Assign(*result, Value(blocked));
    return result;
}

// on_ground(): whether the actor stands on something, with the effects of touching it.
RValue* psl_Script_on_ground(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_on_ground", result);
    Value hit = Call(self, other, FN_script_execute, Var(self, SLOT_check_collision), BuiltinVar(self, VAR_x),
                     BuiltinVar(self, VAR_y) + 1.0);
    if (Value(Element(hit, 0)))
        Assign(*result, Call(self, other, FN_script_execute, Var(self, SLOT_handle_collision), Value(Element(hit, 1)),
                             Value(0)));
    return result;
}
