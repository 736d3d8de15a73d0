// The bots that fight the beasts, as a player would: they watch the beast, its shots and Mireth,
// and press keys. Each plays in an arena screen whose left edge is at `origin`: the test arenas'
// (0), or the worlds' own.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>

#include "GameFixture.h"

namespace fight {

inline double Get(CInstance* player, const VariablePair& variable) { return Real(BuiltinVar(player, variable)); }

// The first instance of an object, or null.
inline CInstance* Find(int32_t object) {
    CInstance* found = nullptr;
    With(nullptr, nullptr, object, [&](CInstance* instance, CInstance*) { found = found ? found : instance; });
    return found;
}

// The keys a fight bot holds, posted only when they change.
class Keys {
public:
    void Set(NullWindow& window, int32_t key, bool down) {
        bool& held = held_[key];
        if (held != down) window.PostKey(key, down);
        held = down;
    }
    bool Held(int32_t key) const { return held_.contains(key) && held_.at(key); }
    void Release(NullWindow& window) {
        for (auto& [key, held] : held_) Set(window, key, false);
    }
    // Right or Left held toward x while more than `slack` away.
    void Toward(NullWindow& window, double from, double x, double slack = 2) {
        Set(window, vk_right, x > from + slack);
        Set(window, vk_left, x < from - slack);
    }

private:
    std::map<int32_t, bool> held_;
};

// Steps until an actor at height y, moving up or down at vv under gravity grav, comes down to
// `ground`.
inline int StepsToFall(double y, double vv, double grav, double ground) {
    int steps = 0;
    for (; (vv < 0 || y < ground) && steps < 120; ++steps) vv += grav, y += vv;
    return steps;
}

// Whether a hop of Mireth's from the ground, with the jump held `hold` steps, comes down on the
// beast's top `lead` px before its middle: the beast runs on at its speed and, when in the air,
// falls under its gravity back to the floor it left.
inline bool HopLands(CInstance* player, CInstance* boss, int hold, double lead) {
    const double grav = Real(Var(player, SLOT_grav)), hv = Real(Var(boss, SLOT_hv));
    const double floor_top = Get(boss, VAR_bbox_top) - Get(boss, VAR_y) + Get(boss, VAR_ystart);
    const double boss_grav = Real(Var(boss, SLOT_grav));
    const double reach = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2 + 7;
    double bx = Get(boss, VAR_x), top = Get(boss, VAR_bbox_top), boss_vv = Real(Var(boss, SLOT_vv));
    // The take-off step moves her up at full speed; from the next, gravity, and the cut on release.
    const int32_t takeoff = Value(Global(SLOT_hi)) ? SLOT_hjmp : SLOT_jmp;
    double vv = -Real(Var(player, takeoff)), y = Get(player, VAR_y), peak = y;
    for (int step = 1; step < 120; ++step) {
        if (step > 1) vv += grav;
        if (step == hold + 1 && vv < 0) vv /= 2;
        y += vv, peak = std::min(peak, y);
        bx += hv;
        if (boss_vv != 0) {
            top += boss_vv, boss_vv += boss_grav;
            if (top >= floor_top) top = floor_top, boss_vv = 0;
        }
        const double short_of_her = (Get(player, VAR_x) - bx) * (hv > 0 ? 1 : -1);
        if (vv > 0 && y >= top) return peak < top - 2 && std::abs(short_of_her - lead) <= std::abs(hv);
        // Beside it, below its top: its side hits her.
        if (std::abs(short_of_her) < reach && y > top + 2) return false;
    }
    return false;
}

// Whether the beast, hopping toward Mireth, passes over her as she ducks: its bottom stays above
// a ducking head all the while they overlap.
inline bool PassesOverhead(CInstance* player, CInstance* boss) {
    const double hv = Real(Var(boss, SLOT_hv)), grav = Real(Var(boss, SLOT_grav)), px = Get(player, VAR_x);
    const double reach = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2 + 8;
    const double head = Get(player, VAR_y) - 13;
    double bx = Get(boss, VAR_x), bottom = Get(boss, VAR_bbox_bottom), vv = Real(Var(boss, SLOT_vv));
    if (vv == 0) return false;
    bool overlapped = false;
    for (int step = 0; step < 90; ++step, bx += hv, bottom += vv, vv += grav) {
        if (std::abs(bx - px) >= reach) {
            if (overlapped) return true;
            continue;
        }
        overlapped = true;
        if (bottom >= head) return false;
    }
    return false;
}

// A shot on its way to Mireth as she goes up or down from her place at vertical speed vv (she
// moves nowhere else): in how many steps it reaches her (-1 for none within a second), and where.
struct Threat {
    int steps = -1;
    double x = 0;
};
inline Threat ShotThreat(CInstance* player, double vv) {
    Threat threat;
    const double px = Get(player, VAR_x), grav = Real(Var(player, SLOT_grav));
    With(nullptr, nullptr, oProjectile, [&](CInstance* shot, CInstance*) {
        const double hv = Real(Var(shot, SLOT_hv)), shot_vv = Real(Var(shot, SLOT_vv));
        double middle = Get(player, VAR_y) - 11, fall = vv;
        for (int t = 0; t < 60 && (threat.steps < 0 || t < threat.steps); ++t) {
            const double x = Get(shot, VAR_x) + hv * t, y = Get(shot, VAR_y) + shot_vv * t;
            if (std::abs(x - px) < 14 && std::abs(y - middle) < 18) {
                threat = {t, x};
                break;
            }
            middle = std::min(middle + fall, 149.0), fall += grav;
        }
    });
    return threat;
}

// What every fight bot does: from an arena's lantern it walks into the trigger and fights the beast
// while the fight is on (`Play`); as a recording's bot it ends the run a second after the beast is
// beaten.
class ArenaBot {
public:
    ArenaBot(int32_t beast, double origin) : beast_(beast), origin_(origin) {}
    virtual ~ArenaBot() = default;
    bool operator()(NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
        int& beaten_at = noted[0];
        if (frame == 0) keys_ = Keys();
        if (!Fight(window, player) && beaten_at < 0) beaten_at = frame;
        return beaten_at < 0 ? frame < 6000 : frame < beaten_at + 60;
    }
    int32_t beast() const { return beast_; }
    // One step of the fight; false once the beast is gone (the keys let go).
    bool Fight(NullWindow& window, CInstance* player) {
        CInstance* boss = Find(beast_);
        if (!boss || !player) {
            keys_.Release(window);
            return false;
        }
        if (Value(Var(player, SLOT_dead))) {
            keys_.Release(window);
        } else if (!Value(Var(boss, SLOT_boss_active))) {
            keys_.Set(window, vk_space, false);
            keys_.Toward(window, Get(player, VAR_x), origin_ + 100);
        } else {
            Play(window, player, boss);
        }
        return true;
    }

protected:
    virtual void Play(NullWindow& window, CInstance* player, CInstance* boss) = 0;

    int32_t beast_;
    double origin_;
    Keys keys_;
};

// A bot for a beast that runs to and fro along an arena's floor: it waits on the floor, out of the
// way of shots, and hops as the beast comes so as to come down on its top `lead` px before its
// middle, or ducks under it when it hops high over her.
class RunnerBot : public ArenaBot {
public:
    // Where Mireth waits while the beast is on the left or the right half of the floor.
    struct Waits {
        double beast_left, beast_right;
    };
    RunnerBot(int32_t beast, double lead, Waits waits, double origin = 0)
        : ArenaBot(beast, origin), lead_(lead), waits_(waits) {}

private:
    // The middle of the arenas' floor, and the stretch of it away from the walls where a landing
    // is sought.
    static constexpr double kMiddle = 184, kNearLeft = 96, kNearRight = 272;

    void Play(NullWindow& window, CInstance* player, CInstance* boss) override {
        const double px = Get(player, VAR_x), bx = Get(boss, VAR_x), top = Get(boss, VAR_bbox_top);
        const double hv = Real(Var(boss, SLOT_hv)), vv = Real(Var(player, SLOT_vv));
        // The great slime's vertical runs are up and down walls; the wiggler hops.
        const bool on_floor = Real(Var(boss, SLOT_vv)) == 0 || beast_ == oMegaWigglis;
        // Standing, and not in the step a jump has just left the ground.
        const bool grounded = bool(Value(Var(player, SLOT_ong))) && vv >= 0;
        const Threat threat = ShotThreat(player, grounded ? 0 : vv);
        const double middle = origin_ + kMiddle, near_left = origin_ + kNearLeft, near_right = origin_ + kNearRight;
        double wait = origin_ + (bx > middle ? waits_.beast_right : waits_.beast_left);
        if (threat.steps >= 0) wait = std::clamp(px + (px > threat.x ? 40 : -40), near_left + 16, near_right - 16);
        if (grounded) {
            const double distance = std::abs(bx - px);
            const bool coming = on_floor && (bx - px) * hv < 0;
            const bool hopping = Real(Var(boss, SLOT_vv)) != 0;
            bool duck = PassesOverhead(player, boss);
            // The shortest hold whose hop comes down on the beast's top where it will be.
            hold_ = 0;
            for (int h = 1; coming && !duck && h <= 24 && !hold_; ++h)
                if (HopLands(player, boss, h, lead_)) hold_ = h;
            // Too close for a hop to meet it: under it if it is in the air, else a full jump over it.
            if (coming && !duck && !hold_ && distance < std::abs(hv) * 12) {
                if (hopping)
                    duck = true;
                else
                    hold_ = 24;
            }
            keys_.Set(window, vk_down, duck != bool(Value(Var(player, SLOT_duck))) && !keys_.Held(vk_down));
            keys_.Set(window, vk_space, hold_ > 0);
            // Nothing meets it yet: away from it, for time.
            const double away = px + (px > bx ? 40 : -40);
            keys_.Toward(window, px, !coming || distance >= 100 ? wait : hold_ || duck ? px : away, 4);
        } else {
            keys_.Set(window, vk_space, vv < 0 && --hold_ > 0);
            const double landing = bx + hv * StepsToFall(Get(player, VAR_y), vv, Real(Var(player, SLOT_grav)), top);
            const bool chase = on_floor && landing > near_left && landing < near_right && (threat.steps < 0 || threat.steps > 20);
            keys_.Toward(window, px, chase ? landing : wait, 3);
        }
    }

    double lead_;
    Waits waits_;
    int hold_ = 0; // steps left of the jump's hold
};

// A bot for the great flower puff, which floats over its floors: it waits beside the beast, out of
// the way of the seeds, until they have broken a way up through every floor near it; it stands
// under that gap, jumps through it and comes down on the beast's head, and stays on it.
class FlowerBot : public ArenaBot {
public:
    explicit FlowerBot(double origin = 0) : ArenaBot(oMegaFlowerfluff, origin) {}

private:
    // The middle of the open column nearest the beast that a rising Mireth would not brush its
    // side from, or 0 when every such column is floored.
    static double Gap(CInstance* boss) {
        const double bx = Get(boss, VAR_x), half = (Get(boss, VAR_bbox_right) - Get(boss, VAR_bbox_left)) / 2;
        std::map<double, bool> floored; // column's left edge -> a live floor in it
        With(nullptr, nullptr, oFlowerBossBlock, [&](CInstance* block, CInstance*) {
            floored[Get(block, VAR_x)] |= !Value(Var(block, SLOT_dead));
        });
        double best = 0;
        for (const auto& [left, closed] : floored) {
            const double middle = left + 8;
            if (closed || std::abs(middle - bx) < half + 10 || std::abs(middle - bx) > half + 72) continue;
            if (!best || std::abs(middle - bx) < std::abs(best - bx)) best = middle;
        }
        return best;
    }

    void Play(NullWindow& window, CInstance* player, CInstance* boss) override {
        const double px = Get(player, VAR_x), vv = Real(Var(player, SLOT_vv)), bx = Get(boss, VAR_x);
        const bool grounded = bool(Value(Var(player, SLOT_ong))) && vv >= 0;
        const Threat threat = ShotThreat(player, grounded ? 0 : vv);
        if (grounded) {
            climbing_ = false;
            const double gap = Gap(boss);
            double goal = gap ? gap : bx + (px < bx ? -56 : 56);
            if (threat.steps >= 0 && threat.steps < 20) goal = px + (px > threat.x ? 32 : -32);
            const bool under = gap && std::abs(px - gap) <= 1 && std::abs(Real(Var(player, SLOT_hv))) < 0.5;
            keys_.Set(window, vk_space, under);
            climbing_ = under;
            keys_.Toward(window, px, goal, 1);
        } else {
            keys_.Set(window, vk_space, vv < 0);
            // Through the floors, then over the beast's head.
            const bool above = Get(player, VAR_bbox_bottom) < Get(boss, VAR_bbox_bottom) + 8;
            keys_.Toward(window, px, climbing_ && above ? bx : px, 1);
        }
    }

    bool climbing_ = false; // jumped up through a gap
};

// The great slime's bot: across the floor from it, landing 4 px before its middle.
inline RunnerBot SlimeBot(double origin = 0) { return RunnerBot(oMegaSlimey, 4, {240, 128}, origin); }

} // namespace fight
