// oFinalBoss: the Presence. Its fight runs on the clock of its song, not on hits: the bar empties
// as the song plays, each section of the song moves it its own way and brings its own attacks on
// the beat, and when the song is over it blinks for a second and is gone, and the game remembers.
// While Mireth is down it holds still, fires nothing and its shots are gone; while the game is
// paused it holds with its shots.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/Beasts.h"
#include "scripts/FloatingPath.h"
#include "scripts/HealthBar.h"

namespace {

constexpr double kFightMicros = 83'129'000, kSecond = 1'000'000;
constexpr double kPhaseStarts[] = {0, 8, 12.95, 14.45, 19.25, 20.75, 25.9, 26.9,
                                   33.1, 38.5, 42.5, 55.2, 64.7, 67.7, 78.9, 83.4};
constexpr int kSeqLength = 16;
constexpr double kCloseUp = 32; // pixels between it and Mireth that show its close-up

struct Shooter {
    CInstance* self;
    CInstance* other;
    CInstance* player;

    Value X() const { return BuiltinVar(self, VAR_x); }
    Value Y() const { return BuiltinVar(self, VAR_y); }
    Value PlayerX() const { return BuiltinVar(player, VAR_x); }
    Value PlayerY() const { return BuiltinVar(player, VAR_y); }

    Value Shot(const Value& x, const Value& y, const Value& hv, const Value& vv) const {
        const Value id = Call(self, other, FN_instance_create_depth, x, y, BuiltinVar(self, VAR_depth) - 1.0,
                              Value(oFinalProjectile));
        SetVarOf(int32_t(Real(id)), SLOT_hv, hv);
        SetVarOf(int32_t(Real(id)), SLOT_vv, vv);
        return id;
    }

    // A spoke: three shots in a short line along d, 8, 16 and 0 pixels out, flying together.
    void Spoke(const Value& ox, const Value& oy, double speed, const Value& d, bool harmless = false) const {
        const Value hv = Call(self, other, FN_lengthdir_x, Value(speed), d);
        const Value vv = Call(self, other, FN_lengthdir_y, Value(speed), d);
        for (double out : {8.0, 16.0, 0.0}) {
            const Value id = Shot(ox + Call(self, other, FN_lengthdir_x, Value(out), d),
                                  oy + Call(self, other, FN_lengthdir_y, Value(out), d), hv, vv);
            if (harmless) SetVarOf(int32_t(Real(id)), SLOT_hurtful, Value(0));
        }
    }

    // Its middle; while it shows its close-up, the aimed and the square patterns leave from the
    // side it faces.
    Value OriginX(bool facing_side) const {
        if (facing_side && BuiltinVar(self, VAR_sprite_index) == Value(sFinalBossClose))
            return X() + BuiltinVar(self, VAR_image_xscale) * 8.0;
        return X();
    }
    Value OriginY() const { return Y() - 4.0; }

    // The next side of the edge patterns, from the sequence they all share.
    double NextSide() const {
        RValue& i = Var(self, SLOT_i);
        const double side = Real(Element(Var(self, SLOT_seq), int32_t(Real(i))));
        Assign(i, (i + 1.0) % Value(kSeqLength));
        return side;
    }

    // A row of three from a screen edge; the left edge's row starts off screen.
    void Row(double side, const Value& y, double speed) const {
        const Value base = Global(SLOT_view_width) * side;
        for (double dx : {-16.0, -8.0, 0.0}) Shot(base + dx, y, Value(side ? -speed : speed), Value(0));
    }

    // A line at Mireth.
    void Aimed() const {
        const Value d = Call(self, other, FN_point_direction, X(), OriginY(), PlayerX(), PlayerY() + 4.0);
        Spoke(OriginX(true), OriginY(), 8, d);
    }

    // A column falling from above the room beside Mireth.
    void Streamer() const {
        const Value x = PlayerX() + (NextSide() ? -32.0 : 32.0);
        for (double y : {-16.0, -8.0, 0.0}) Shot(x, Value(y), Value(0), Value(6));
    }

    // Rows sliding in from an edge: low and high, or at Mireth's feet and fast in phase 5.
    void Slides() const {
        const double side = NextSide();
        if (Real(Var(self, SLOT_phase)) == 5) {
            Row(side, PlayerY() + 4.0, 8);
            return;
        }
        const Value low = Global(SLOT_view_height) - 24.0 - 16 * side;
        Row(side, low, 4);
        Row(side, low - 64.0, 4);
    }

    // Four spokes a right angle apart: the diagonal cross, or the plus.
    void FourWays(double first, double speed) const {
        for (int k = 0; k < 4; ++k) Spoke(OriginX(true), OriginY(), speed, Value(first + 90 * k));
    }

    // A ring that turns by a small or a large step, as the Thue-Morse sequence says.
    void Ring(int32_t dir_slot, int count, double speed, bool spokes, double turn) const {
        RValue& dir = Var(self, dir_slot);
        for (int k = 0; k < count; ++k) {
            const Value d = dir + 360.0 / count * k;
            if (spokes)
                Spoke(X(), OriginY(), speed, d);
            else
                Shot(X(), OriginY(), Call(self, other, FN_lengthdir_x, Value(speed), d),
                     Call(self, other, FN_lengthdir_y, Value(speed), d));
        }
        RValue& t = Var(self, SLOT_t);
        dir += Value(turn + 2 * turn * Real(CallScript(psl_Script_thue_morse, self, other, t)));
        t += Value(1);
    }

    // A fast line across the screen, somewhere above its lower edge.
    void Slash() const {
        const Value y = Call(self, other, FN_irandom_range, Value(4), BuiltinVar(self, VAR_bbox_bottom) - 4.0);
        const double side = NextSide();
        const Value base = Global(SLOT_view_width) * side;
        for (double dx : {16.0, 8.0, 0.0}) Shot(base + (side ? -dx : dx), y, Value(side ? -32 : 32), Value(0));
    }

    // The closing burst: a harmless star of five spokes.
    void Burst() const {
        const double first = Real(Call(self, other, FN_irandom, Value(360)));
        for (int k = 0; k < 5; ++k) Spoke(X(), OriginY(), 16, Value(first + 72 * k), true);
    }
};

constexpr uint32_t Phases(std::initializer_list<int> phases) {
    uint32_t mask = 0;
    for (int phase : phases) mask |= 1u << phase;
    return mask;
}

struct Pattern {
    int32_t countdown;
    double beats; // its period
    uint32_t phases;
    void (*fire)(const Shooter&);
};

// In the order their countdowns run.
const Pattern kPatterns[] = {
    {SLOT_shot, 1, Phases({0, 1, 13}), [](const Shooter& s) { s.Aimed(); }},
    {SLOT_streamer, 1, Phases({1}), [](const Shooter& s) { s.Streamer(); }},
    {SLOT_slides, 1, Phases({3, 5}), [](const Shooter& s) { s.Slides(); }},
    {SLOT_cross, 1, Phases({7, 8}), [](const Shooter& s) { s.FourWays(45, 6); }},
    {SLOT_plus, 1, Phases({8}), [](const Shooter& s) { s.FourWays(90, 4); }},
    {SLOT_rot, 1, Phases({10, 11}), [](const Shooter& s) { s.Ring(SLOT_rot_dir, 10, 6, true, 7); }},
    {SLOT_rot2, 1, Phases({11}), [](const Shooter& s) { s.Ring(SLOT_rot2_dir, 5, 3, false, 16); }},
    {SLOT_slash, 0.25, Phases({13}), [](const Shooter& s) { s.Slash(); }},
};

// Every countdown runs in every phase; a pattern fires only in its own.
void CountDown(const Shooter& s, const Value& dt) {
    const int phase = int(Real(Var(s.self, SLOT_phase)));
    for (const Pattern& pattern : kPatterns) {
        RValue& countdown = Var(s.self, pattern.countdown);
        if (countdown > Value(0)) {
            countdown -= dt;
            continue;
        }
        Assign(countdown, Var(s.self, SLOT_bpm) * pattern.beats);
        if (pattern.phases & (1u << phase)) pattern.fire(s);
    }
}

void Move(const Shooter& s) {
    CInstance* self = s.self;
    Var(self, SLOT_stepc) += Value(1);
    const int phase = int(Real(Var(self, SLOT_phase)));
    switch (phase) {
    case 0: case 1: case 13: PlaceOnFloatingPath(self, s.other); break;
    case 7: case 8: PlaceOnFloatingPath(self, s.other, -1); break;
    case 2: case 9: GlideHome(self, 0.8); break;
    case 14: GlideHome(self, 0.95); break;
    case 15: {
        GlideHome(self, 0.95);
        RValue& burst = Var(self, SLOT_burst);
        if (burst > Value(0)) {
            burst -= Value(1);
            s.Burst();
        }
        break;
    }
    default:
        SetBuiltinVar(self, VAR_x, BuiltinVar(self, VAR_xstart));
        SetBuiltinVar(self, VAR_y, BuiltinVar(self, VAR_ystart));
        Assign(Var(self, SLOT_stepc), Value(0));
        if (phase != 12) SetBuiltinVar(self, VAR_sprite_index, Value(sFinalBoss));
    }
    if (phase >= 14 && Var(self, SLOT_burst) <= Value(0)) SetBuiltinVar(self, VAR_sprite_index, Value(sFinalBossDefeated));
}

} // namespace

void psl_Object_oFinalBoss_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalBoss_Create_0");
    event_inherited(self, other);
    const Value room_speed = BuiltinVar(self, VAR_room_speed);
    const Value bpm(kSecond * 30 / 77);
    const std::pair<int32_t, Value> values[] = {
        {SLOT_max_hp, Value(32)}, {SLOT_hp, Value(32)}, {SLOT_hurtful, Value(0)},
        {SLOT_init_time, Value(kFightMicros)}, {SLOT_time, Value(kFightMicros)}, {SLOT_elapsed, Value(0)},
        {SLOT_sec, Value(kSecond)}, {SLOT_bpm, bpm}, {SLOT_wait, Value(1.5 * kSecond)},
        {SLOT_hamp, Value(120)}, {SLOT_hper, room_speed * 3}, {SLOT_vamp, Value(8)}, {SLOT_vper, room_speed},
        {SLOT_stepc, Value(0)},
        {SLOT_shot, bpm}, {SLOT_streamer, bpm * 1.5}, {SLOT_slides, bpm}, {SLOT_cross, bpm}, {SLOT_plus, bpm / 2.0},
        {SLOT_rot, bpm}, {SLOT_rot2, bpm / 2.0}, {SLOT_slash, Value(0)},
        {SLOT_shot_time, bpm}, {SLOT_streamer_time, bpm * 1.5}, {SLOT_slides_time, bpm},
        {SLOT_rot_dir, Value(90)}, {SLOT_rot2_dir, Value(270)}, {SLOT_t, Value(0)},
        {SLOT_phase, Value(0)}, {SLOT_i, Value(0)}, {SLOT_burst, room_speed},
    };
    for (const auto& [slot, value] : values) Assign(Var(self, slot), value);
    frame.Line(2);
    Value starts, seq;
    for (int k = int(std::size(kPhaseStarts)) - 1; k >= 0; --k) AssignElement(starts, k, Value(kPhaseStarts[k]));
    for (int k = kSeqLength - 1; k >= 0; --k) AssignElement(seq, k, CallScript(psl_Script_thue_morse, self, other, Value(k)));
    Assign(Var(self, SLOT_pt), starts);
    Assign(Var(self, SLOT_seq), seq);
    frame.Line(3);
    if (Value(Global(SLOT_finalboss))) Call(self, other, FN_instance_destroy);
}

// The clock: the phase from the time since the fight began, the bar from the time left, and at
// the end a second of blinking before it goes.
void psl_Object_oFinalBoss_Step_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalBoss_Step_0");
    // A paused game holds the fight.
    if (Value(Var(self, SLOT_pause))) return;
    const Value dt = BuiltinVar(self, VAR_delta_time);
    Var(self, SLOT_time) -= dt;
    RValue& elapsed = Var(self, SLOT_elapsed);
    elapsed += dt;
    RValue& phase = Var(self, SLOT_phase);
    RValue& starts = Var(self, SLOT_pt);
    const int next = int(Real(phase)) + 1;
    if (next < int(Real(Call(self, other, FN_array_length_1d, starts))) && elapsed >= Element(starts, next) * Var(self, SLOT_sec))
        phase += Value(1);
    frame.Line(2);
    const double left = Max(0.0, Real(Var(self, SLOT_time) / Var(self, SLOT_init_time)));
    Assign(Var(self, SLOT_hp), Value(std::ceil(Real(Var(self, SLOT_max_hp)) * left)));
    if (Var(self, SLOT_hp) != Value(0) || Var(self, SLOT_invuln) != Value(0)) return;
    frame.Line(3);
    if (!Value(Var(self, SLOT_dead))) {
        Assign(Var(self, SLOT_invuln), BuiltinVar(self, VAR_room_speed));
        Assign(Var(self, SLOT_dead), Value(1));
        return;
    }
    Call(self, other, FN_audio_stop_sound, Global(SLOT_bgm));
    Call(self, other, FN_instance_destroy);
}

void psl_Object_oFinalBoss_Step_1(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalBoss_Step_1");
    event_inherited(self, other);
    if (Value(Var(self, SLOT_pause))) return;
    CInstance* player = nullptr;
    With(self, other, oChar, [&](CInstance* found, CInstance*) { player = player ? player : found; });
    if (!player) return;
    if (Value(Var(player, SLOT_dead))) {
        With(self, other, oFinalProjectile, [](CInstance* shot, CInstance* boss) { Call(shot, boss, FN_instance_destroy); });
        return;
    }
    frame.Line(2);
    const double dx = Real(BuiltinVar(self, VAR_x) - BuiltinVar(player, VAR_x));
    SetBuiltinVar(self, VAR_sprite_index, Value(Abs(dx) < kCloseUp ? sFinalBossClose : sFinalBoss));
    // Straight above Mireth it keeps its way: a scale of -sign(0) would hide it.
    if (dx != 0) SetBuiltinVar(self, VAR_image_xscale, Value(-Sign(dx)));
    const Value dt = BuiltinVar(self, VAR_delta_time);
    RValue& wait = Var(self, SLOT_wait);
    if (wait > Value(0)) {
        wait -= dt;
        return;
    }
    frame.Line(3);
    const Shooter shooter{self, other, player};
    Move(shooter);
    frame.Line(4);
    CountDown(shooter, dt);
}

void psl_Object_oFinalBoss_Draw_73(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalBoss_Draw_73");
    health_bar::Draw(self, other);
}

void psl_Object_oFinalBoss_Destroy_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oFinalBoss_Destroy_0");
    event_inherited(self, other);
    Assign(Global(SLOT_finalboss), Value(1));
    CallScript(psl_Script_save_game, self, other);
}
