// What the bots that fight the beasts share, and the great flower puff's bot. Each plays in an
// arena screen whose left edge is at `origin`: the test arenas' (0), or the worlds' own.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>

#include "MirethMotion.h"

namespace fight {

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

// A shot on its way to Mireth as she goes up or down from her place at vertical speed vv (she
// moves nowhere else): in how many steps it reaches her (-1 for none within a second), and where.
struct Threat {
    int steps = -1;
    double x = 0;
};
inline Threat ShotThreat(CInstance* player, double vv) {
    Threat threat;
    const double px = Get(player, VAR_x), grav = Get(player, SLOT_grav);
    With(nullptr, nullptr, oProjectile, [&](CInstance* shot, CInstance*) {
        const double hv = Get(shot, SLOT_hv), shot_vv = Get(shot, SLOT_vv);
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
        CInstance* boss = FirstOf(beast_);
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
        const double px = Get(player, VAR_x), vv = Get(player, SLOT_vv), bx = Get(boss, VAR_x);
        const bool grounded = motion::OnGround(player);
        const Threat threat = ShotThreat(player, grounded ? 0 : vv);
        if (grounded) {
            climbing_ = false;
            const double gap = Gap(boss);
            double goal = gap ? gap : bx + (px < bx ? -56 : 56);
            if (threat.steps >= 0 && threat.steps < 20) goal = px + (px > threat.x ? 32 : -32);
            const bool under = gap && std::abs(px - gap) <= 1 && std::abs(Get(player, SLOT_hv)) < 0.5;
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

} // namespace fight
