// A bot that outlasts the last fight: every step it carries Mireth and every shot on for 40 steps
// under many plans, and takes the one hit latest, jumping only when it must and keeping away from
// the edges the rows come in from.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "MirethMotion.h"

namespace final_fight {

constexpr int kHorizon = 40;
constexpr double kFloor = 160, kLeftmost = 8, kRightmost = 312, kMiddle = 160; // rmFinal's
constexpr double kJumpCost = 30, kEdge = 48;

struct Plan {
    int hdir, walk; // walking that way for `walk` steps, then standing
    int jump, jump_at; // the jump key held `jump` steps from step `jump_at` (0: no jump)
    bool duck;
};

struct Shot {
    double left, top, right, bottom, hv, vv;
};

// The step the plan is first hit at, or kHorizon + 1. Mireth's box is 12 wide and 22 tall above
// her feet (10 ducking); a shot is checked along its whole step, as the game checks her against
// shots that have not moved yet this step.
inline int FirstHit(CInstance* player, const Plan& plan, const std::vector<Shot>& shots) {
    double x = Get(player, VAR_x), y = Get(player, VAR_y);
    double hv = Get(player, SLOT_hv), vv = Get(player, SLOT_vv);
    bool ground = Get(player, SLOT_ong) && vv >= 0, duck = Get(player, SLOT_duck), cut = false;
    if (ground) duck = plan.duck;
    const double acc = Get(player, SLOT_acc), spd = Get(player, SLOT_spd), fric = Get(player, SLOT_fric);
    const double grav = Get(player, SLOT_grav), takeoff = Get(player, Value(Global(SLOT_hi)) ? SLOT_hjmp : SLOT_jmp);
    const int safe = int(Get(player, SLOT_invuln)) - 1;
    for (int t = 1; t <= kHorizon; ++t) {
        const double d = t <= plan.walk ? plan.hdir : 0;
        hv = motion::Walked(hv, d, acc, spd, fric);
        if (!ground) vv += duck ? 2 * grav : grav;
        if (plan.jump && t == plan.jump_at && ground) vv = -takeoff, ground = false;
        if (plan.jump && !cut && t >= plan.jump_at + plan.jump && vv < 0) vv /= 2, cut = true;
        x = std::clamp(x + hv, kLeftmost, kRightmost);
        y += vv;
        if (y >= kFloor) y = kFloor, vv = 0, ground = true;
        if (t <= safe) continue;
        const double top = y - (duck ? 10 : 22);
        for (const Shot& s : shots) {
            const double dx0 = s.hv * (t - 1), dx1 = s.hv * t, dy0 = s.vv * (t - 1), dy1 = s.vv * t;
            if (s.left + std::min(dx0, dx1) <= x + 6 && s.right + std::max(dx0, dx1) >= x - 7 &&
                s.top + std::min(dy0, dy1) <= y && s.bottom + std::max(dy0, dy1) >= top - 1)
                return t;
        }
    }
    return kHorizon + 1;
}

inline Plan Choose(CInstance* player) {
    std::vector<Shot> shots;
    With(nullptr, nullptr, oFinalProjectile, [&](CInstance* s, CInstance*) {
        if (!Value(Var(s, SLOT_hurtful))) return;
        shots.push_back({Get(s, VAR_bbox_left), Get(s, VAR_bbox_top), Get(s, VAR_bbox_right), Get(s, VAR_bbox_bottom),
                         Get(s, SLOT_hv), Get(s, SLOT_vv)});
    });
    const double x = Get(player, VAR_x);
    Plan best{0, 0, 0, 1, false};
    double best_score = -1e9;
    for (int hdir : {0, -1, 1})
        for (int walk : {2, 6, 12, kHorizon})
            for (int jump : {0, 1, 4, 14})
                for (int jump_at : {1, 6})
                    for (bool duck : {false, true}) {
                        if ((duck && jump) || (!jump && jump_at > 1) || (!hdir && walk != kHorizon)) continue;
                        const Plan plan{hdir, walk, jump, jump_at, duck};
                        const double to = x + hdir * std::min(walk, 10) * 3;
                        const double score = FirstHit(player, plan, shots) * 10.0 - (jump ? kJumpCost : 0) -
                                             jump_at * 0.01 - (duck ? 0.5 : 0) - (hdir ? 0.2 : 0) -
                                             std::abs(to - kMiddle) / 20 - (to < kEdge || to > 320 - kEdge ? 20 : 0);
                        if (score > best_score) best_score = score, best = plan;
                    }
    return best;
}

// One step of play: the keys for the plan chosen now. `keys` holds which keys are down (a bit
// each) and the steps the jump key is still to be held, above them.
inline void Play(NullWindow& window, CInstance* player, int& keys) {
    const Plan plan = Choose(player);
    const auto set = [&](int32_t key, int bit, bool down) {
        if (bool(keys & bit) == down) return;
        keys ^= bit;
        window.PostKey(key, down);
    };
    set(vk_left, 1, plan.hdir < 0);
    set(vk_right, 2, plan.hdir > 0);
    // Ducking is a toggle: a press when the plan wants the other way, then a release.
    set(vk_down, 4, bool(Get(player, SLOT_duck)) != plan.duck && !(keys & 4));
    int hold = keys >> 4;
    if (plan.jump && plan.jump_at == 1 && !(keys & 8)) {
        set(vk_space, 8, true);
        hold = plan.jump;
    } else if ((keys & 8) && --hold <= 0) {
        set(vk_space, 8, false);
    }
    keys = (keys & 15) | (std::max(hold, 0) << 4);
}

} // namespace final_fight
