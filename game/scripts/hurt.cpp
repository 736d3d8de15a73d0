// Hits, deaths and the player's return: hurt, die and undie, with their star bursts.
#include <cmath>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"
#include "scripts/Instances.h"

namespace {

constexpr int kStars = 12;

// A star at (x, y) flying at speed 3 in the direction, coloured by it.
void LaunchStar(CInstance* self, CInstance* other, int32_t object, const Value& x, const Value& y,
                const Value& direction) {
    const Value star = Call(self, other, FN_instance_create_depth, x, y, Value(-2000), Value(object));
    With(self, other, int32_t(Real(star)), [&](CInstance* s, CInstance* o) {
        SetBuiltinVar(s, VAR_speed, Value(3));
        SetBuiltinVar(s, VAR_direction, direction);
        event_user(s, o, 0);
    });
}

// A beaten enemy falls silent; a present is opened: its flag is set and saved, and it says its
// script (a heart present first adds a hit point to the player's most and fills them all).
void Beaten(CInstance* target, CInstance* other) {
    Assign(Var(target, SLOT_talking), Value(0));
    const Value box = Var(target, SLOT_textbox);
    if (Call(target, other, FN_instance_exists, box))
        With(target, other, int32_t(Real(box)), [](CInstance* textbox, CInstance* enemy) { Call(textbox, enemy, FN_instance_destroy); });
    if (IsA(target, other, target, oHeartPresent)) {
        Global(SLOT_char_max_hp) += Value(1);
        With(target, other, oChar, [](CInstance* player, CInstance*) { Assign(Var(player, SLOT_hp), Global(SLOT_char_max_hp)); });
        CallScript(psl_Script_save_game, target, other);
    }
    if (!IsA(target, other, target, oPresent)) {
        Assign(Var(target, SLOT_die_script), Var(target, SLOT_script));
        return;
    }
    Call(target, other, FN_variable_global_set, Var(target, SLOT_key), Value(1));
    CallScript(psl_Script_save_game, target, other);
    const Value opened = Call(target, other, FN_asset_get_index,
                              Call(target, other, FN_sprite_get_name, BuiltinVar(target, VAR_sprite_index)) + Value("Open"));
    if (opened >= Value(0)) SetBuiltinVar(target, VAR_sprite_index, opened);
    event_user(target, other, 0);
    event_user(target, other, 1);
}

// Every shot of a fight dies with it.
void ClearShots(CInstance* self, CInstance* other) {
    With(self, other, oProjectile, [](CInstance* shot, CInstance* caller) { CallScript(psl_Script_die, shot, caller); });
}

// The player's death resets a running fight: the beast goes home with a last word and the
// triggers work again.
void ResetFights(CInstance* self, CInstance* other) {
    With(self, other, oBoss, [](CInstance* boss, CInstance* player) {
        if (!Value(Var(boss, SLOT_boss_active))) return;
        event_user(boss, player, 2);
        event_user(boss, player, 1);
    });
    ClearShots(self, other);
    With(self, other, oBossTrigger, [](CInstance* trigger, CInstance*) { Assign(Var(trigger, SLOT_hit), Value(0)); });
}

// A beast's death ends the fight for good: Mireth is healed, its flag is set and saved, and
// the triggers go.
void BeastBeaten(CInstance* self, CInstance* other) {
    With(self, other, oChar, [](CInstance* player, CInstance*) { Assign(Var(player, SLOT_hp), Global(SLOT_char_max_hp)); });
    With(self, other, oBoss, [](CInstance* boss, CInstance* caller) { event_user(boss, caller, 2); });
    if (const Beast* beast = BeastOf(self)) Assign(Global(beast->flag), Value(1));
    CallScript(psl_Script_save_game, self, other);
    With(self, other, oBossTrigger, [](CInstance* trigger, CInstance* caller) { Call(trigger, caller, FN_instance_destroy); });
    ClearShots(self, other);
}

bool InFinalRoom(CInstance* self) { return BuiltinVar(self, VAR_room) == Value(rmFinal); }

// While Mireth is down the Presence cannot go: its second of blinking is held at 2 steps, and
// renewed to 2 as she starts back.
void HoldPresence(CInstance* self, CInstance* other, bool renew) {
    With(self, other, oFinalBoss, [&](CInstance* boss, CInstance*) {
        RValue& invuln = Var(boss, SLOT_invuln);
        if (renew || invuln == Value(1)) Assign(invuln, Value(2));
    });
}

// Twelve stars leaving (x, y) in a ring.
void StarBurst(CInstance* self, CInstance* other, const Value& x, const Value& y) {
    for (int i = 0; i < kStars; ++i) LaunchStar(self, other, oStarOut, x, y, Value(i * 30));
}

} // namespace

// hurt(target, source): one hit on the target; a stomp (the player as source) bounces the player.
RValue* psl_Script_hurt(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_hurt", result);
    const Value source = Argument(argc, argv, 1);
    With(self, other, int32_t(Real(Argument(argc, argv, 0))), [&](CInstance* target, CInstance* caller) {
        if (Var(target, SLOT_invuln) != Value(0)) return;
        frame.Line(2);
        if (Var(target, SLOT_hp) > Value(1)) {
            const bool player = IsA(target, caller, target, oChar);
            CallScript(psl_Script_sfx_play, target, caller, Value(player ? sfxHurt : sfxEnemyHurt));
            Var(target, SLOT_hp) -= Value(1);
            Assign(Var(target, SLOT_invuln), Var(target, SLOT_invuln_time));
            if (player)
                StarBurst(target, caller, BuiltinVar(target, VAR_x), BuiltinVar(target, VAR_y));
            else
                StarBurst(target, caller, BuiltinVarOf(int32_t(Real(source)), VAR_x),
                          BuiltinVarOf(int32_t(Real(source)), VAR_bbox_bottom));
            // The flower puff's seeds go with each hit, and new floors grow under it.
            if (IsA(target, caller, target, oMegaFlowerfluff)) {
                With(target, caller, oProjectile, [](CInstance* shot, CInstance*) { Call(shot, shot, FN_instance_destroy); });
                event_user(target, caller, 3);
            }
            return;
        }
        frame.Line(3);
        if (IsA(target, caller, target, oEnemy)) Beaten(target, caller);
        CallScript(psl_Script_die, target, caller);
    });

    frame.Line(4);
    With(self, other, int32_t(Real(source)), [&](CInstance* stomper, CInstance* caller) {
        if (!IsA(stomper, caller, stomper, oChar)) return;
        const double height = Value(Var(stomper, SLOT_duck)) ? 12 : 24;
        Assign(Var(stomper, SLOT_vv), Value(-std::sqrt(2 * Real(Var(stomper, SLOT_grav)) * height)));
    });
    return result;
}

// die(): the calling instance dies once: a burst of stars and the death sound; an enemy or a
// projectile is destroyed, the player stays, invisible, until undie brings it back.
RValue* psl_Script_die(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_die", result);
    if (Value(Var(self, SLOT_dead))) return result;
    Assign(Var(self, SLOT_dead), Value(1));
    frame.Line(2);
    if (IsA(self, other, self, oChar)) {
        // The Presence cannot run out its song while Mireth is down, and the song stops: the room
        // starts over when she is back.
        if (InFinalRoom(self)) {
            With(self, other, oFinalBoss, [](CInstance* boss, CInstance*) { Assign(Var(boss, SLOT_invuln), Var(boss, SLOT_invuln_time)); });
            Call(self, other, FN_audio_stop_sound, Global(SLOT_bgm));
        }
        Assign(Var(self, SLOT_hp), Global(SLOT_char_max_hp));
        ResetFights(self, other);
    }
    frame.Line(3);
    if (IsA(self, other, self, oBoss)) BeastBeaten(self, other);
    frame.Line(4);
    CallScript(psl_Script_sfx_play, self, other, Value(sfxDeath));
    Assign(Var(self, SLOT_undead), Value(0));
    SetBuiltinVar(self, VAR_visible, Value(0));
    StarBurst(self, other, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y));
    frame.Line(5);
    if (IsA(self, other, self, oEnemy) || IsA(self, other, self, oProjectile)) Call(self, other, FN_instance_destroy);
    return result;
}

// undie(): the dead player's return. Once the burst is over, stars gather on the checkpoint;
// once they have arrived, the player is back with full health.
RValue* psl_Script_undie(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_undie", result);
    if (!Value(Var(self, SLOT_dead))) return result;
    frame.Line(1);
    HoldPresence(self, other, false);
    frame.Line(2);
    if (!Value(Var(self, SLOT_undead)) && !Call(self, other, FN_instance_exists, Value(oStarOut))) {
        HoldPresence(self, other, true);
        const Value checkpoint = Var(self, SLOT_checkpoint);
        if (Call(self, other, FN_instance_exists, checkpoint)) {
            SetBuiltinVar(self, VAR_x, BuiltinVarOf(int32_t(Real(checkpoint)), VAR_x));
            SetBuiltinVar(self, VAR_y, BuiltinVarOf(int32_t(Real(checkpoint)), VAR_y));
        }
        Assign(Var(self, SLOT_hv), Value(0));
        Assign(Var(self, SLOT_vv), Value(0));
        // The stars start where one cycle of their animation at speed 3 ends on the player.
        const double t = Real(BuiltinVar(self, VAR_room_speed)) /
                         Real(Call(self, other, FN_sprite_get_speed, Value(sStarIn))) *
                         Real(Call(self, other, FN_sprite_get_number, Value(sStarIn)));
        for (int i = 0; i < kStars; ++i) {
            const Value direction(i * 30);
            const Value x = BuiltinVar(self, VAR_x) + Call(self, other, FN_lengthdir_x, Value(3 * t), direction);
            const Value y = BuiltinVar(self, VAR_y) + Call(self, other, FN_lengthdir_y, Value(3 * t), direction);
            LaunchStar(self, other, oStarIn, x, y, direction + 180.0);
        }
        Assign(Var(self, SLOT_undead), Value(1));
        return result;
    }
    frame.Line(3);
    if (Value(Var(self, SLOT_undead)) && !Call(self, other, FN_instance_exists, Value(oStarIn))) {
        Assign(Var(self, SLOT_dead), Value(0));
        Assign(Var(self, SLOT_undead), Value(0));
        SetBuiltinVar(self, VAR_visible, Value(1));
        Assign(Var(self, SLOT_hp), Global(SLOT_char_max_hp));
        // The last fight starts over from its herald.
        if (InFinalRoom(self)) Call(self, other, FN_room_restart);
    }
    return result;
}
