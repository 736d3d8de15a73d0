// oMegaFlowerfluff: the purple world's beast. At the start of its fight and at every hit it lays
// two rows of flower floor under itself (three at its last hit point); once a second it lets a
// seed fall while there are fewer than two plus the hits it has taken: the first aimed at Mireth
// (never within 10 degrees of straight down), the others spread left and right.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"

namespace {

constexpr int kColumns = 16;
constexpr double kSpread[] = {-2, 4, -4, 2}; // the second to the fifth seed in play

void LayRow(CInstance* self, CInstance* other, double y) {
    const double left = Real(BuiltinVar(self, VAR_x)) - 8 - 16 * 7;
    for (int i = 0; i < kColumns; ++i)
        Call(self, other, FN_instance_create_depth, Value(left + 16 * i), Value(y), BuiltinVar(self, VAR_depth),
             Value(oFlowerBossBlock));
}

// Toward Mireth, but a seed never comes within 10 degrees of straight down.
Value AimedDirection(CInstance* self, CInstance* other) {
    Value direction(270);
    With(self, other, oChar, [&](CInstance* player, CInstance*) {
        direction = Call(self, other, FN_point_direction, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y),
                         BuiltinVar(player, VAR_x), BuiltinVar(player, VAR_y));
    });
    const double d = Real(direction);
    if (d >= 270 && d <= 280) return Value(280);
    if (d >= 260 && d < 270) return Value(260);
    return direction;
}

} // namespace

void psl_Object_oMegaFlowerfluff_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaFlowerfluff_Create_0");
    CreateBeast(self, other);
    Assign(Var(self, SLOT_talksound), Value(sndVoiceFlowerfluff));
}

void psl_Object_oMegaFlowerfluff_Other_13(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaFlowerfluff_Other_13");
    const double bottom = Real(BuiltinVar(self, VAR_bbox_bottom));
    LayRow(self, other, bottom + 8);
    LayRow(self, other, bottom + 16);
    if (Var(self, SLOT_hp) == Value(1)) LayRow(self, other, bottom + 24);
    SetBuiltinVar(self, VAR_alarm, BuiltinVar(self, VAR_room_speed), 1);
}

void psl_Object_oMegaFlowerfluff_Alarm_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oMegaFlowerfluff_Alarm_1");
    if (!Value(Var(self, SLOT_boss_active))) return;
    SetBuiltinVar(self, VAR_alarm, BuiltinVar(self, VAR_room_speed), 1);
    const double limit = Real(Var(self, SLOT_max_hp) - Var(self, SLOT_hp)) + 2;
    if (Real(Call(self, other, FN_instance_number, Value(oFlowerProjectile))) >= limit) return;
    const Value seed = Call(self, other, FN_instance_create_depth, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y),
                            BuiltinVar(self, VAR_depth) - 1.0, Value(oFlowerProjectile));
    const int32_t id = int32_t(Real(seed));
    SetVarOf(id, SLOT_vv, Value(3));
    const int in_play = int(Real(Call(self, other, FN_instance_number, Value(oFlowerProjectile))));
    if (in_play >= 2 && in_play <= 5) SetVarOf(id, SLOT_hv, Value(kSpread[in_play - 2]));
    if (in_play != 1) return;
    const Value direction = AimedDirection(self, other);
    SetVarOf(id, SLOT_hv, Call(self, other, FN_lengthdir_x, Value(4), direction));
    SetVarOf(id, SLOT_vv, Call(self, other, FN_lengthdir_y, Value(4), direction));
}
