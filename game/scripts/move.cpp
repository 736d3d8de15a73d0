// Moving an actor pixel by pixel, keeping what is left of a pixel for the next step.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"

// round_ties_down(v): the nearest whole number, halves going down (0.5 gives 0, -0.5 gives -1).
RValue* psl_Script_round_ties_down(CInstance*, CInstance*, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_round_ties_down", result);
    Assign(*result, Value(std::ceil(Real(Argument(argc, argv, 0)) - 0.5)));
    return result;
}

// move(amount, axis): up to 12 whole pixels along x (axis 0) or y (axis 1), one at a time, asking
// the actor's collision query before each; false when its collision handler stopped the move.
RValue* psl_Script_move(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_move", result);
    const double amount = Max(-12.0, Min(12.0, Real(Argument(argc, argv, 0))));
    const int32_t axis = int32_t(Real(Argument(argc, argv, 1)));
    Assign(*result, Value(1));
    if (Value(amount) == Value(0)) return result;

    frame.Line(2);
    RValue& remainder = Var(self, SLOT_remainder);
    AssignElement(remainder, axis, Element(remainder, axis) + amount);
    double steps = Real(CallScript(psl_Script_round_ties_down, self, other, Element(remainder, axis)));
    AssignElement(remainder, axis, Element(remainder, axis) - steps);

    frame.Line(3);
    const double s = steps > 0 ? 1 : -1;
    const Value dx(axis == 0 ? s : 0);
    const Value dy(axis == 1 ? s : 0);
    while (steps != 0) {
        frame.Line(4);
        const Value x = BuiltinVar(self, VAR_x) + dx;
        const Value y = BuiltinVar(self, VAR_y) + dy;
        Value hit = Call(self, other, FN_script_execute, Var(self, SLOT_check_collision), x, y, Value(axis));
        if (Value(Element(hit, 0)) &&
            Call(self, other, FN_script_execute, Var(self, SLOT_handle_collision), Value(Element(hit, 1)))) {
            Assign(*result, Value(0));
            return result;
        }
        SetBuiltinVar(self, VAR_x, x);
        SetBuiltinVar(self, VAR_y, y);
        steps -= s;
    }
    return result;
}
