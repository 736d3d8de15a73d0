// oChar: Mireth, the player. Walks with acceleration and friction, jumps with a jump buffer and
// a few grace steps after walking off a ledge, cuts a jump short on release, ducks once the
// ability is granted, dies on hazards and comes back at the last checkpoint.
#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"
#include "scripts/Instances.h"

namespace {

constexpr int kDown = 1, kLeft = 2, kRight = 3, kJump = 4;

bool Held(CInstance* self, CInstance* other, int action) {
    return bool(CallScript(psl_Script_input_held, self, other, Value(action)));
}
bool Pressed(CInstance* self, CInstance* other, int action) {
    return bool(CallScript(psl_Script_input_pressed, self, other, Value(action)));
}

// A present that changes the abilities is worth a save.
void SaveOnAbilityChange(CInstance* self, CInstance* other) {
    const std::pair<int32_t, int32_t> abilities[] = {
        {SLOT_can_duck, SLOT_cdprev}, {SLOT_hi, SLOT_hiprev}, {SLOT_fast, SLOT_faprev}};
    for (const auto& [ability, seen] : abilities) {
        if (Global(ability) != Var(self, seen)) CallScript(psl_Script_save_game, self, other);
        Assign(Var(self, seen), Global(ability));
    }
}

// A hazard that moved this step and whose previous top was below the player's feet is stomped.
bool Stomps(CInstance* player, CInstance* other, CInstance* hazard) {
    if (!IsA(player, other, hazard, oEnemy) && !IsA(player, other, hazard, oProjectile)) return false;
    const Value previous_top =
        BuiltinVar(hazard, VAR_yprevious) + BuiltinVar(hazard, VAR_bbox_top) - BuiltinVar(hazard, VAR_y);
    const bool moved = BuiltinVar(hazard, VAR_yprevious) != BuiltinVar(hazard, VAR_y) ||
                       BuiltinVar(hazard, VAR_xprevious) != BuiltinVar(hazard, VAR_x);
    return BuiltinVar(player, VAR_bbox_bottom) - 2.0 <= previous_top && moved;
}

// A friendly character starts talking when Mireth walks up to it, not on every step she stays:
// `npc` holds the one touched last step.
void Greet(CInstance* self, CInstance* character, Value& greeted) {
    if (Value(Var(character, SLOT_hurtful)) || IsA(self, character, character, oEnemy)) return;
    const Value id = BuiltinVar(character, VAR_id);
    if (greeted == Value(noone)) greeted = id;
    if (id != Var(self, SLOT_npc) && !Value(Var(character, SLOT_talking))) event_user(character, self, 1);
}

// Hazards touched this step: a stomp hurts the hazard; otherwise a hurtful one kills the player;
// a friendly character is greeted.
void TouchHazards(CInstance* self, CInstance* other) {
    const Value hazards = Var(self, SLOT_hazards);
    Call(self, other, FN_ds_list_clear, hazards);
    const double count = Real(Call(self, other, FN_instance_place_list, BuiltinVar(self, VAR_x),
                                   BuiltinVar(self, VAR_y), Value(oHazard), hazards, Value(0)));
    const Value player = BuiltinVar(self, VAR_id);
    Value greeted(noone);
    for (double i = 0; i < count && !Value(Var(self, SLOT_dead)); ++i) {
        const Value id = Call(self, other, FN_ds_list_find_value, hazards, Value(i));
        With(self, other, int32_t(Real(id)), [&](CInstance* hazard, CInstance*) {
            if (Stomps(self, hazard, hazard)) {
                if (!Value(Var(self, SLOT_dead))) CallScript(psl_Script_hurt, hazard, self, id, player);
                return;
            }
            if (IsA(self, hazard, hazard, oNPC)) Greet(self, hazard, greeted);
            if (!Value(Var(hazard, SLOT_hurtful)) || Value(Var(self, SLOT_dead)) || Var(self, SLOT_invuln) != Value(0))
                return;
            // Outside a fight and the last room a touch kills; in them it costs a heart.
            if (BuiltinVar(self, VAR_room) == Value(rmFinal) || FightOn(self, other))
                CallScript(psl_Script_hurt, hazard, self, player, id);
            else
                CallScript(psl_Script_die, self, hazard);
            // A character that hurts the player has its say; a beast has had its say.
            if (IsA(self, other, hazard, oNPC) && !IsA(self, other, hazard, oBoss)) event_user(hazard, self, 1);
        });
    }
    Assign(Var(self, SLOT_npc), greeted);
}

// Walking: the direction pressed last wins when both are held; the speed is capped without
// being cut, and friction never flips its sign.
double Walk(CInstance* self, CInstance* other) {
    double hdir = double(Held(self, other, kRight)) - double(Held(self, other, kLeft));
    if (Held(self, other, kRight) && Held(self, other, kLeft))
        hdir = CallScript(psl_Script_input_held_time, self, other, Value(kLeft)) <=
                       CallScript(psl_Script_input_held_time, self, other, Value(kRight))
                   ? -1
                   : 1;
    RValue& hv = Var(self, SLOT_hv);
    const double acc = Real(Var(self, SLOT_acc));
    const double spd = Real(Var(self, SLOT_spd));
    if (Abs(Real(hv) + hdir * acc) > spd && Sign(Real(hv)) == hdir)
        Assign(hv, Value(hdir < 0 ? Min(Real(hv), -spd) : Max(Real(hv), spd)));
    else
        hv += Value(hdir * acc);
    if (hv != Value(0)) {
        const double before = Real(hv);
        hv -= Value(Sign(before) * Real(Var(self, SLOT_fric)));
        if (Sign(Real(hv)) != Sign(before)) Assign(hv, Value(0));
    }
    return hdir;
}

// Gravity, the walk-off grace steps, the jump buffer, the jump and its cut, and ducking.
void Jump(CInstance* self, CInstance* other, bool was_on_ground) {
    const bool on_ground = bool(Value(Var(self, SLOT_ong)));
    const bool ducking = bool(Value(Var(self, SLOT_duck)));
    RValue& vv = Var(self, SLOT_vv);
    if (on_ground) {
        Assign(Var(self, SLOT_cut), Value(0));
    } else {
        vv += Var(self, SLOT_grav);
        if (ducking) vv += Var(self, SLOT_grav);
    }
    RValue& walkoff = Var(self, SLOT_walkoff_timer);
    RValue& buffer = Var(self, SLOT_jump_buffer_timer);
    if (walkoff > Value(0)) walkoff -= Value(1);
    if (on_ground != was_on_ground && buffer <= Value(0)) Assign(walkoff, Var(self, SLOT_walkoff_time));
    if (Pressed(self, other, kJump)) Assign(buffer, Var(self, SLOT_jump_buffer_time));
    if (buffer > Value(0)) {
        if (on_ground || walkoff > Value(0)) {
            Assign(walkoff, Value(0));
            const int32_t speed = ducking ? SLOT_djmp : Value(Global(SLOT_hi)) ? SLOT_hjmp : SLOT_jmp;
            Assign(vv, -Var(self, speed));
            CallScript(psl_Script_sfx_play, self, other, Value(ducking ? sfxDuckJump : sfxJump), Value(0.9),
                       Value(1.1));
        } else {
            buffer -= Value(1);
        }
    }
    if (!Held(self, other, kJump) && vv < Value(0) && !Value(Var(self, SLOT_cut))) {
        Assign(vv, vv / 2.0);
        Assign(Var(self, SLOT_cut), Value(1));
    }
    if (Value(Global(SLOT_can_duck)) && Pressed(self, other, kDown))
        Assign(Var(self, SLOT_duck), Value(!ducking));
}

// Through an open room edge: back into the room on the other side, onto the screen the exit
// record names, and then into that room.
void PassRoomEdge(CInstance* self, CInstance* other) {
    Value exit = CallScript(psl_Script_screen_exit, self, other);
    if (!Call(self, other, FN_is_array, exit)) return;
    const bool vertical = Value(Element(exit, 3)) == Value(1);
    const VariablePair& position = vertical ? VAR_y : VAR_x;
    const Value size = BuiltinVar(self, vertical ? VAR_room_height : VAR_room_width);
    const Value at = BuiltinVar(self, position);
    if (vertical ? at > size : at >= size)
        SetBuiltinVar(self, position, at - size);
    else if (at < Value(0))
        SetBuiltinVar(self, position, at + size);
    else
        return;
    const Value camera = BuiltinVar(self, VAR_view_camera, 0);
    SetBuiltinVar(self, VAR_x, Value(Element(exit, 1)) * Global(SLOT_view_width) +
                                   (BuiltinVar(self, VAR_x) - Call(self, other, FN_camera_get_view_x, camera)));
    SetBuiltinVar(self, VAR_y, Value(Element(exit, 2)) * Global(SLOT_view_height) +
                                   (BuiltinVar(self, VAR_y) - Call(self, other, FN_camera_get_view_y, camera)));
    if (Value(Element(exit, 0)) != BuiltinVar(self, VAR_room))
        Call(self, other, FN_room_goto, Value(Element(exit, 0)));
    else
        Call(self, other, FN_room_restart);
}

// Facing, and the sprite for the state; standing up needs room for the standing mask.
void ChooseSprite(CInstance* self, CInstance* other, double hdir) {
    if (hdir != 0) SetBuiltinVar(self, VAR_image_xscale, Value(hdir));
    if (Value(Var(self, SLOT_duck))) {
        SetBuiltinVar(self, VAR_sprite_index, Value(sMirethDuck));
        SetBuiltinVar(self, VAR_mask_index, Value(sMirethDuck));
        return;
    }
    SetBuiltinVar(self, VAR_mask_index, Value(sMirethMask));
    if (!Call(self, other, FN_place_free, BuiltinVar(self, VAR_x), BuiltinVar(self, VAR_y))) {
        SetBuiltinVar(self, VAR_mask_index, Value(sMirethDuck));
        return;
    }
    // The sprite of the state, named as the assets are: no look-up by name every step.
    const int32_t sprite = Value(Var(self, SLOT_ong)) ? (hdir != 0 ? sMirethWalk : sMirethIdle)
                           : Var(self, SLOT_vv) > Value(0) ? sMirethFall
                                                            : sMirethJump;
    SetBuiltinVar(self, VAR_sprite_index, Value(sprite));
}

} // namespace

void psl_Object_oChar_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oChar_Create_0");
    event_inherited(self, other);
    frame.Line(2);
    const bool fast = bool(Value(Global(SLOT_fast)));
    const Value spd(fast ? 5 : 3);
    const Value acc = spd / (fast ? 4.0 : 8.0);
    Assign(Var(self, SLOT_fric), acc);
    Assign(Var(self, SLOT_spd), spd + acc);
    Assign(Var(self, SLOT_acc), acc + acc);
    const double grav = Real(Var(self, SLOT_grav));
    Assign(Var(self, SLOT_jmp), Call(self, other, FN_sqrt, Value(2 * grav * 50)));
    Assign(Var(self, SLOT_hjmp), Call(self, other, FN_sqrt, Value(2 * grav * 98)));
    Assign(Var(self, SLOT_djmp), Call(self, other, FN_sqrt, Value(2 * grav * 50)));
    frame.Line(3);
    Assign(Var(self, SLOT_npc), Value(noone));
    Assign(Var(self, SLOT_init), Value(1));
    Assign(Var(self, SLOT_checkpoint), Value(noone));
    for (int32_t slot : {SLOT_dead, SLOT_undead, SLOT_hurtful, SLOT_walkoff_timer, SLOT_jump_buffer_timer, SLOT_duck})
        Assign(Var(self, slot), Value(0));
    Assign(Var(self, SLOT_hazards), Call(self, other, FN_ds_list_create));
    Assign(Var(self, SLOT_ong), Value(1));
    Assign(Var(self, SLOT_walkoff_time), Value(3));
    Assign(Var(self, SLOT_jump_buffer_time), Value(3));
    Assign(Var(self, SLOT_cut), Value(1));
    Assign(Var(self, SLOT_hp), Global(SLOT_char_max_hp));
    Assign(Var(self, SLOT_cdprev), Global(SLOT_can_duck));
    Assign(Var(self, SLOT_faprev), Global(SLOT_fast));
    Assign(Var(self, SLOT_hiprev), Global(SLOT_hi));
}

void psl_Object_oChar_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oChar_Step_0");
    SaveOnAbilityChange(self, other);
    if (Value(Var(self, SLOT_pause))) return;
    frame.Line(3);
    TouchHazards(self, other);
    frame.Line(4);
    CallScript(psl_Script_undie, self, other);
    if (Value(Var(self, SLOT_dead))) return;
    frame.Line(5);
    const bool was_on_ground = bool(Value(Var(self, SLOT_ong)));
    Assign(Var(self, SLOT_ong), CallScript(psl_Script_on_ground, self, other));
    frame.Line(6);
    const double hdir = Walk(self, other);
    frame.Line(8);
    Jump(self, other, was_on_ground);
    frame.Line(14);
    if (!CallScript(psl_Script_move, self, other, Var(self, SLOT_hv), Value(0))) Assign(Var(self, SLOT_hv), Value(0));
    const double amount = Real(Var(self, SLOT_vv));
    if (!CallScript(psl_Script_move, self, other, Value(amount), Value(1)) && Sign(Real(Var(self, SLOT_vv))) == Sign(amount) &&
        !(Value(Var(self, SLOT_duck)) && Var(self, SLOT_vv) <= Value(0)))
        Assign(Var(self, SLOT_vv), Value(0));
    frame.Line(15);
    PassRoomEdge(self, other);
    frame.Line(16);
    ChooseSprite(self, other, hdir);
}

// After every room change: the camera snaps to the player's screen and the nearest checkpoint
// there is recorded; a new game starts on its first checkpoint.
void psl_Object_oChar_Other_4(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oChar_Other_4");
    if (BuiltinVar(self, VAR_room) == Value(rmFinal)) Assign(Var(self, SLOT_pause), Value(0));
    if (!Call(self, other, FN_instance_exists, Var(self, SLOT_checkpoint))) Assign(Var(self, SLOT_checkpoint), Value(noone));
    if (Var(self, SLOT_checkpoint) != Value(noone)) return;
    frame.Line(2);
    const auto snap_camera = [&] {
        With(self, other, oCamera, [](CInstance* camera, CInstance* player) { event_perform(camera, player, ev_step, ev_step_normal); });
    };
    snap_camera();
    event_user(self, other, 0);
    if (Value(Var(self, SLOT_init)) && Var(self, SLOT_checkpoint) != Value(noone)) {
        const int32_t checkpoint = int32_t(Real(Var(self, SLOT_checkpoint)));
        SetBuiltinVar(self, VAR_x, BuiltinVarOf(checkpoint, VAR_x));
        SetBuiltinVar(self, VAR_y, BuiltinVarOf(checkpoint, VAR_y));
        snap_camera();
        Assign(Var(self, SLOT_init), Value(0));
    }
}

// The nearest checkpoint on the player's screen becomes the one to come back to, and is saved.
void psl_Object_oChar_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oChar_Other_10");
    Value nearest(noone);
    double best = 0;
    With(self, other, oCheckpoint, [&](CInstance* checkpoint, CInstance* player) {
        if (CallScript(psl_Script_outside_view, checkpoint, player, BuiltinVar(checkpoint, VAR_id))) return;
        const double distance = Real(Call(checkpoint, player, FN_point_distance, BuiltinVar(player, VAR_x),
                                          BuiltinVar(player, VAR_y), BuiltinVar(checkpoint, VAR_x),
                                          BuiltinVar(checkpoint, VAR_y)));
        if (nearest == Value(noone) || distance < best) {
            nearest = BuiltinVar(checkpoint, VAR_id);
            best = distance;
        }
    });
    if (nearest == Value(noone)) return;
    frame.Line(2);
    Assign(Var(self, SLOT_checkpoint), nearest);
    Assign(Global(SLOT_char_x), BuiltinVarOf(int32_t(Real(nearest)), VAR_x));
    Assign(Global(SLOT_char_y), BuiltinVarOf(int32_t(Real(nearest)), VAR_y));
    Assign(Global(SLOT_char_room), BuiltinVar(self, VAR_room));
    CallScript(psl_Script_save_game, self, other);
}

void psl_Object_oChar_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oChar_Destroy_0");
    Call(self, other, FN_ds_list_destroy, Var(self, SLOT_hazards));
}
