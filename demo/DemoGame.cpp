// The demo's compiled handlers: snowflakes drifting down in front of and behind the mountains,
// a walker whom the main view follows, snowballs bouncing under their own gravity, a snow globe
// drawn into a surface and drawn back turning, and the frame in the minimap that shows where
// the main view looks.
#include "DemoGame.h"

#include <iterator>

#include "DemoAssets.h"
#include "Runner/GameApi.h"

namespace {

using namespace demo;

// The game's own instance variables, by slot.
constexpr int32_t SLOT_fall = 0;
constexpr int32_t SLOT_spin = 1;
constexpr int32_t SLOT_phase = 2;
constexpr int32_t SLOT_surface = 3;
constexpr int32_t kInstanceVariableCount = 4;

VariablePair g_variables[] = {
    {"fall", SLOT_fall},
    {"spin", SLOT_spin},
    {"phase", SLOT_phase},
    {"surface", SLOT_surface},
    {"x", -1},
    {"y", -1},
    {"depth", -1},
    {"image_angle", -1},
    {"image_xscale", -1},
    {"image_yscale", -1},
    {"image_alpha", -1},
    {"hspeed", -1},
    {"vspeed", -1},
    {"view_camera", -1},
    {"view_current", -1},
    {nullptr, 0},
};
const VariablePair& VAR_x = g_variables[4];
const VariablePair& VAR_y = g_variables[5];
const VariablePair& VAR_depth = g_variables[6];
const VariablePair& VAR_image_angle = g_variables[7];
const VariablePair& VAR_image_xscale = g_variables[8];
const VariablePair& VAR_image_yscale = g_variables[9];
const VariablePair& VAR_image_alpha = g_variables[10];
const VariablePair& VAR_hspeed = g_variables[11];
const VariablePair& VAR_vspeed = g_variables[12];
const VariablePair& VAR_view_camera = g_variables[13];
const VariablePair& VAR_view_current = g_variables[14];

FunctionPair g_functions[] = {
    {"random", -1},
    {"random_range", -1},
    {"irandom", -1},
    {"sin", -1},
    {"clamp", -1},
    {"instance_create_depth", -1},
    {"camera_get_view_x", -1},
    {"camera_get_view_y", -1},
    {"camera_set_view_pos", -1},
    {"surface_exists", -1},
    {"surface_create", -1},
    {"surface_set_target", -1},
    {"surface_reset_target", -1},
    {"draw_clear_alpha", -1},
    {"draw_sprite_ext", -1},
    {"draw_surface_ext", -1},
    {"draw_rectangle_color", -1},
    {nullptr, 0},
};
const FunctionPair& FN_random = g_functions[0];
const FunctionPair& FN_random_range = g_functions[1];
const FunctionPair& FN_irandom = g_functions[2];
const FunctionPair& FN_sin = g_functions[3];
const FunctionPair& FN_clamp = g_functions[4];
const FunctionPair& FN_instance_create_depth = g_functions[5];
const FunctionPair& FN_camera_get_view_x = g_functions[6];
const FunctionPair& FN_camera_get_view_y = g_functions[7];
const FunctionPair& FN_camera_set_view_pos = g_functions[8];
const FunctionPair& FN_surface_exists = g_functions[9];
const FunctionPair& FN_surface_create = g_functions[10];
const FunctionPair& FN_surface_set_target = g_functions[11];
const FunctionPair& FN_surface_reset_target = g_functions[12];
const FunctionPair& FN_draw_clear_alpha = g_functions[13];
const FunctionPair& FN_draw_sprite_ext = g_functions[14];
const FunctionPair& FN_draw_surface_ext = g_functions[15];
const FunctionPair& FN_draw_rectangle_color = g_functions[16];

constexpr double kWhite = 0xFFFFFF;
constexpr double kYellow = 0x40E0FF; // red in the low byte
constexpr double kNightBlue = 0x602810;
constexpr double kDegrees = 3.14159265358979 / 180;
constexpr int32_t kFlakeCount = 90;
constexpr int32_t kGlobeSize = 48;

// The room's creation code: a third of the flakes fall behind the mountains.
void psl_Room_rmDemo_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmDemo_Create");
    for (int32_t i = 0; i < kFlakeCount; ++i) {
        frame.Line(2);
        Value depth = i < kFlakeCount / 3 ? kFarFlakeDepth : kNearFlakeDepth;
        Call(self, other, FN_instance_create_depth, Call(self, other, FN_random, Value(kRoomWidth)),
             Call(self, other, FN_random, Value(kRoomHeight)), depth, Value(kObjectFlake));
    }
}

void psl_Object_oFlake_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlake_Create_0");
    frame.Line(1);
    Assign(Var(self, SLOT_fall), Call(self, other, FN_random_range, Value(0.3), Value(1.1)));
    Assign(Var(self, SLOT_spin), Call(self, other, FN_random_range, Value(-2), Value(2)));
    Assign(Var(self, SLOT_phase), Call(self, other, FN_random, Value(360 * kDegrees)));
    frame.Line(4);
    if (BuiltinVar(self, VAR_depth) > Value(0)) {
        // Far away: fainter and slower.
        SetBuiltinVar(self, VAR_image_alpha, Value(0.45));
        Var(self, SLOT_fall) *= Value(0.5);
    } else if (Call(self, other, FN_irandom, Value(3)) == Value(0)) {
        SetBuiltinVar(self, VAR_image_xscale, Value(2));
        SetBuiltinVar(self, VAR_image_yscale, Value(2));
    }
}

void psl_Object_oFlake_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFlake_Step_0");
    frame.Line(1);
    Var(self, SLOT_phase) += Value(0.03);
    Value drift = Call(self, other, FN_sin, Var(self, SLOT_phase)) * 0.4;
    SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_x) + drift);
    SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_y) + Var(self, SLOT_fall));
    SetBuiltinVar(self, VAR_image_angle, BuiltinVar(self, VAR_image_angle) + Var(self, SLOT_spin));
    frame.Line(5);
    if (BuiltinVar(self, VAR_y) > Value(kRoomHeight + 8)) {
        SetBuiltinVar(self, VAR_y, Value(-8));
        SetBuiltinVar(self, VAR_x, Call(self, other, FN_random, Value(kRoomWidth)));
    }
}

// Walks the ground end to end, facing the way it goes; the main view keeps it in sight.
void psl_Object_oWalker_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oWalker_Step_0");
    frame.Line(1);
    Value facing = BuiltinVar(self, VAR_image_xscale);
    Value x = BuiltinVar(self, VAR_x) + facing;
    SetBuiltinVar(self, VAR_x, x);
    frame.Line(3);
    if ((facing > Value(0) && x > Value(kRoomWidth - 24)) || (facing < Value(0) && x < Value(24)))
        SetBuiltinVar(self, VAR_image_xscale, -facing);
    frame.Line(5);
    Value left =
        Call(self, other, FN_clamp, x - kViewWidth / 2.0, Value(0), Value(kRoomWidth - kViewWidth));
    Value top = Call(self, other, FN_clamp, BuiltinVar(self, VAR_y) - kViewHeight * 0.8, Value(0),
                     Value(kRoomHeight - kViewHeight));
    Call(self, other, FN_camera_set_view_pos, BuiltinVar(self, VAR_view_camera, 0), left, top);
}

void psl_Object_oBall_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oBall_Create_0");
    frame.Line(1);
    Value speed = Call(self, other, FN_random_range, Value(0.8), Value(2.5));
    if (Call(self, other, FN_irandom, Value(1)) == Value(0)) speed = -speed;
    SetBuiltinVar(self, VAR_hspeed, speed);
}

// Falls, bounces off the ground without losing height and off the room's sides, and rolls.
void psl_Object_oBall_Step_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oBall_Step_0");
    frame.Line(1);
    Value vspeed = BuiltinVar(self, VAR_vspeed) + 0.15;
    if (BuiltinVar(self, VAR_y) + vspeed > Value(kGroundY - 4) && vspeed > Value(0))
        vspeed = -vspeed;
    SetBuiltinVar(self, VAR_vspeed, vspeed);
    frame.Line(4);
    Value hspeed = BuiltinVar(self, VAR_hspeed);
    Value x = BuiltinVar(self, VAR_x);
    if ((x < Value(8) && hspeed < Value(0)) || (x > Value(kRoomWidth - 8) && hspeed > Value(0)))
        SetBuiltinVar(self, VAR_hspeed, -hspeed);
    SetBuiltinVar(self, VAR_image_angle, BuiltinVar(self, VAR_image_angle) - hspeed * 6);
}

void psl_Object_oGlobe_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oGlobe_Create_0");
    frame.Line(1);
    Assign(Var(self, SLOT_surface), Value(-1));
    Assign(Var(self, SLOT_phase), Value(0));
}

// Flakes circling inside a surface, which is then drawn turning about its centre, swelling
// and shrinking, a little transparent.
void psl_Object_oGlobe_Draw_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oGlobe_Draw_0");
    frame.Line(1);
    Var(self, SLOT_phase) += Value(1);
    const Value phase = Var(self, SLOT_phase);
    Value surface = Var(self, SLOT_surface);
    if (!Call(self, other, FN_surface_exists, surface)) {
        surface = Call(self, other, FN_surface_create, Value(kGlobeSize), Value(kGlobeSize));
        Assign(Var(self, SLOT_surface), surface);
    }
    frame.Line(4);
    Call(self, other, FN_surface_set_target, surface);
    Call(self, other, FN_draw_clear_alpha, Value(kNightBlue), Value(0.7));
    const double half = kGlobeSize / 2.0;
    for (int32_t k = 0; k < 6; ++k) {
        frame.Line(7);
        Value angle = (phase * 2 + Value(k * 60)) * kDegrees;
        Value along = Call(self, other, FN_sin, angle + Value(90 * kDegrees)) * 15 + Value(half);
        Value down = Call(self, other, FN_sin, angle) * 15 + Value(half);
        Call(self, other, FN_draw_sprite_ext, Value(kSpriteFlake), Value(0), along, down, Value(1),
             Value(1), phase * 3, Value(kWhite), Value(1));
    }
    Call(self, other, FN_surface_reset_target);
    frame.Line(11);
    Value scale = Call(self, other, FN_sin, phase * 0.05) * 0.2 + 1.2;
    Value turn = phase * 0.5;
    Value cos_turn = Call(self, other, FN_sin, (turn + Value(90)) * kDegrees);
    Value sin_turn = Call(self, other, FN_sin, turn * kDegrees);
    Value reach = scale * half;
    // The corner that puts the surface's centre on the instance.
    Value left = BuiltinVar(self, VAR_x) - reach * (cos_turn + sin_turn);
    Value top = BuiltinVar(self, VAR_y) - reach * (cos_turn - sin_turn);
    Call(self, other, FN_draw_surface_ext, surface, left, top, scale, scale, turn, Value(kWhite),
         Value(0.85));
}

// In the minimap, a frame around what the main view shows, one minimap pixel thick.
void psl_Object_oHud_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oHud_Draw_73");
    frame.Line(1);
    if (BuiltinVar(self, VAR_view_current) != Value(1)) return;
    Value camera = BuiltinVar(self, VAR_view_camera, 0);
    Value left = Call(self, other, FN_camera_get_view_x, camera);
    Value top = Call(self, other, FN_camera_get_view_y, camera);
    Value right = left + (kViewWidth - 1);
    Value bottom = top + (kViewHeight - 1);
    const Value thick = kRoomWidth / kMinimapWidth - 1;
    const Value colour = kYellow;
    const auto bar = [&](const Value& x1, const Value& y1, const Value& x2, const Value& y2) {
        Call(self, other, FN_draw_rectangle_color, x1, y1, x2, y2, colour, colour, colour, colour,
             Value(0));
    };
    frame.Line(7);
    bar(left, top, right, top + thick);
    bar(left, bottom - thick, right, bottom);
    bar(left, top, left + thick, bottom);
    bar(right - thick, top, right, bottom);
}

const CodeEntry kCode[] = {
    {"psl_Room_rmDemo_Create", nullptr, psl_Room_rmDemo_Create},
    {"psl_Object_oFlake_Create_0", nullptr, psl_Object_oFlake_Create_0},
    {"psl_Object_oFlake_Step_0", nullptr, psl_Object_oFlake_Step_0},
    {"psl_Object_oWalker_Step_0", nullptr, psl_Object_oWalker_Step_0},
    {"psl_Object_oBall_Create_0", nullptr, psl_Object_oBall_Create_0},
    {"psl_Object_oBall_Step_0", nullptr, psl_Object_oBall_Step_0},
    {"psl_Object_oGlobe_Create_0", nullptr, psl_Object_oGlobe_Create_0},
    {"psl_Object_oGlobe_Draw_0", nullptr, psl_Object_oGlobe_Draw_0},
    {"psl_Object_oHud_Draw_73", nullptr, psl_Object_oHud_Draw_73},
};

} // namespace

const GameLink& DemoGameLink() {
    static const GameLink link = [] {
        GameLink game;
        game.instance_count = kInstanceVariableCount;
        game.variables = g_variables;
        game.functions = g_functions;
        game.code = kCode;
        game.code_count = int32_t(std::size(kCode));
        return game;
    }();
    return link;
}
