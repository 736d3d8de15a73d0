// A tiny compiled game for the runner's end-to-end tests, with two rooms' worth of code.
// rmFirst's creation code looks at the command line: "-end", or a game file whose name ends in
// "-end.win", ends the game with exit code 7; "-fail" raises a script error; "-crash" crashes
// the process; "-save" writes "check.txt" through the file built-ins. A walker, where a package
// places one, moves on to the next room of the room order at every step.
// rmField's creation code seeds the random generator from the clock; its dot moves each step by
// a random amount, by the step's delta_time, and by the keys held and pressed, so that its
// position tells whether a replay saw the same seeds, times and keys. Q ends the game with exit
// code 3.
#include <csignal>

#include "IO/InputConstants.h"
#include "Runner/GameApi.h"
#include "Runner/RunnerMain.h"

namespace {

FunctionPair g_functions[] = {
    {"game_end", -1}, {"parameter_count", -1}, {"parameter_string", -1}, {"real", -1},
    {"file_text_open_write", -1}, {"file_text_write_string", -1}, {"file_text_close", -1},
    {"room_goto_next", -1}, {"randomize", -1}, {"irandom", -1}, {"keyboard_check", -1},
    {"keyboard_check_pressed", -1}, {nullptr, 0},
};
const FunctionPair& FN_game_end = g_functions[0];
const FunctionPair& FN_parameter_count = g_functions[1];
const FunctionPair& FN_parameter_string = g_functions[2];
const FunctionPair& FN_real = g_functions[3];
const FunctionPair& FN_file_text_open_write = g_functions[4];
const FunctionPair& FN_file_text_write_string = g_functions[5];
const FunctionPair& FN_file_text_close = g_functions[6];
const FunctionPair& FN_room_goto_next = g_functions[7];
const FunctionPair& FN_randomize = g_functions[8];
const FunctionPair& FN_irandom = g_functions[9];
const FunctionPair& FN_keyboard_check = g_functions[10];
const FunctionPair& FN_keyboard_check_pressed = g_functions[11];

VariablePair g_variables[] = {{"x", -1}, {"y", -1}, {"delta_time", -1}, {nullptr, 0}};
const VariablePair& V_x = g_variables[0];
const VariablePair& V_y = g_variables[1];
const VariablePair& V_delta_time = g_variables[2];

void psl_Room_rmFirst_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmFirst_Create");
    frame.Line(1);
    Value count = Call(self, other, FN_parameter_count);
    for (Value i = 0; i < count; i += 1) {
        frame.Line(2);
        Value parameter = Call(self, other, FN_parameter_string, i);
        std::string_view text = StringView(parameter);
        bool ends = text == "-end" || (text.size() >= 8 && text.substr(text.size() - 8) == "-end.win");
        if (ends) Call(self, other, FN_game_end, Value(7));
        if (parameter == Value("-fail")) Call(self, other, FN_real, Value("snow"));
        if (parameter == Value("-crash")) std::raise(SIGSEGV);
        if (parameter == Value("-save")) {
            Value file = Call(self, other, FN_file_text_open_write, Value("check.txt"));
            Call(self, other, FN_file_text_write_string, file, Value("Merry Snowtide!"));
            Call(self, other, FN_file_text_close, file);
        }
    }
}

void psl_Object_oWalker_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWalker_Step_0");
    frame.Line(1);
    Call(self, other, FN_room_goto_next);
}

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

const CodeEntry kCode[] = {{"psl_Room_rmFirst_Create", nullptr, psl_Room_rmFirst_Create},
                           {"psl_Object_oWalker_Step_0", nullptr, psl_Object_oWalker_Step_0},
                           {"psl_Room_rmField_Create", nullptr, psl_Room_rmField_Create},
                           {"psl_Object_oDot_Step_0", nullptr, psl_Object_oDot_Step_0}};

} // namespace

int main(int argc, char** argv) {
    GameLink game;
    game.functions = g_functions;
    game.variables = g_variables;
    game.code = kCode;
    game.code_count = 4;
    return RunnerMain(argc, argv, game);
}
