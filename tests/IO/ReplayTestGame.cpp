// A tiny compiled game for the recording and playback tests. Its room's creation code seeds the
// random generator from the clock; its dot moves each step by a random amount, by the step's
// delta_time, and by the keys held and pressed, so that its position tells whether a replay
// saw the same seeds, times and keys. Q ends the game with exit code 3.
#include "IO/InputConstants.h"
#include "Runner/GameApi.h"
#include "Runner/RunnerMain.h"

namespace {

FunctionPair g_functions[] = {
    {"randomize", -1}, {"irandom", -1}, {"keyboard_check", -1}, {"keyboard_check_pressed", -1},
    {"game_end", -1}, {nullptr, 0},
};
const FunctionPair& FN_randomize = g_functions[0];
const FunctionPair& FN_irandom = g_functions[1];
const FunctionPair& FN_keyboard_check = g_functions[2];
const FunctionPair& FN_keyboard_check_pressed = g_functions[3];
const FunctionPair& FN_game_end = g_functions[4];

VariablePair g_variables[] = {{"x", -1}, {"y", -1}, {"delta_time", -1}, {nullptr, 0}};
const VariablePair& V_x = g_variables[0];
const VariablePair& V_y = g_variables[1];
const VariablePair& V_delta_time = g_variables[2];

void psl_Room_rmField_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmField_Create");
    frame.Line(1);
    Call(self, other, FN_randomize);
}

void psl_Object_oDot_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oDot_Step_0");
    frame.Line(1);
    Value x = BuiltinVar(self, V_x) + Call(self, other, FN_irandom, Value(3));
    if (Call(self, other, FN_keyboard_check, Value(vk_right))) x = x + 10;
    SetBuiltinVar(self, V_x, x);
    frame.Line(2);
    Value y = BuiltinVar(self, V_y) + BuiltinVar(self, V_delta_time) / 1000;
    if (Call(self, other, FN_keyboard_check_pressed, Value(vk_space))) y = y + 7;
    SetBuiltinVar(self, V_y, y);
    frame.Line(3);
    if (Call(self, other, FN_keyboard_check_pressed, Value(81)))
        Call(self, other, FN_game_end, Value(3));
}

const CodeEntry kCode[] = {{"psl_Room_rmField_Create", nullptr, psl_Room_rmField_Create},
                           {"psl_Object_oDot_Step_0", nullptr, psl_Object_oDot_Step_0}};

} // namespace

int main(int argc, char** argv) {
    GameLink game;
    game.functions = g_functions;
    game.variables = g_variables;
    game.code = kCode;
    game.code_count = 2;
    return RunnerMain(argc, argv, game);
}
