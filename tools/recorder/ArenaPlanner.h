// Bots for the beasts that run along an arena's floor (the great slime and the great wiggler).
// Every step they carry Mireth, the beast and its shots on for a second as the game moves them,
// under many plans of walking and jumping, and take the one that lands on the beast soonest
// untouched, or is touched latest. With nothing to gain Mireth waits where the beast comes back
// at her from far enough for a hop: it outruns her, so a hop from close by never meets it.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "FightBots.h"
#include "MirethMotion.h"

namespace fight {

class PlannerBot : public ArenaBot {
public:
    using ArenaBot::ArenaBot;

protected:
    static constexpr int kHorizon = 60;

    struct Plan {
        int hdir, walk;    // walking that way for `walk` steps on the ground, then standing
        int jump_at, hold; // the jump key pressed at step `jump_at` (0: none) and held `hold` steps
        int air;           // the way steered once in the air
    };
    using Box = motion::Box;
    // A beast or a shot as the game moves it: its place, its speed and what is left of a pixel
    // each way.
    struct Actor {
        double x, y, hv, vv, rx, ry;
    };
    struct Shot {
        Actor at;
        double grav;
    };
    // What stops Mireth: the arena's walls, roof and floor.
    struct Walls {
        Box inside; // the open pixels
        bool Blocked(const Box& b) const {
            return b.left < inside.left || b.right > inside.right || b.top < inside.top || b.bottom > inside.bottom;
        }
    };
    // The step's beginning, read once: Mireth, the beast, its shots, the arena.
    struct Scene {
        motion::Body her;
        Actor beast;
        int safe, beast_safe; // steps Mireth, and the beast, cannot be hurt for
        double hp, max_hp;    // the beast's
        Box body, shot;       // the beast's and its shots' boxes, about their places
        Walls walls;
        double leftmost, rightmost;        // where Mireth can stand
        double left_turn, right_turn;      // where the beast turns
        double home_x, home_y, beast_grav; // where the beast starts, on its floor
        std::vector<Shot> shots;
    };

    static Box RelativeBox(CInstance* i) { return motion::BoxOf(i).At(-Get(i, VAR_x), -Get(i, VAR_y)); }
    static Actor ActorOf(CInstance* i) {
        RValue& remainder = Var(i, SLOT_remainder);
        return {Get(i, VAR_x), Get(i, VAR_y), Get(i, SLOT_hv), Get(i, SLOT_vv), Real(Element(remainder, 0)),
                Real(Element(remainder, 1))};
    }
    static double Pixels(double amount, double& remainder) { return motion::Pixels(amount, remainder); }

    // One step of the beast as its code runs; `choice` is what it does where its code chooses.
    virtual void StepBeast(const Scene& s, Actor& beast, std::vector<Shot>& shots, double her_x, double her_y, bool choice) const = 0;
    // Whether the beast chooses at all (then a plan must be safe for both choices).
    virtual bool Chooses() const = 0;
    // Its shots' object, and whether they fall.
    virtual int32_t ShotObject() const = 0;
    virtual bool ShotsFall() const = 0;

    // What comes of a plan: a stomp at step t scores 1000 - t, a touch -1000 + t; with neither, how
    // far Mireth ends from where she would wait. A step goes as the game runs it: the beast and its
    // shots move, Mireth meets what is where she stands (a stomp when her feet were no more than
    // 2 px under its top before it moved), then she moves.
    double Run(const Scene& s, const Plan& plan, bool choice) const {
        motion::Body her = s.her;
        Actor beast = s.beast;
        bool jumped = false;
        std::vector<Shot> shots = s.shots;
        for (int t = 1; t <= kHorizon; ++t) {
            const double top_before = beast.y + s.body.top;
            StepBeast(s, beast, shots, her.x(), her.y(), choice);
            const Box mireth = her.Now();
            if (mireth.Meets(s.body.At(beast.x, beast.y))) {
                if (mireth.bottom - 2 <= top_before) {
                    if (t > s.beast_safe) return 1000 - t;
                    her.Bounce(); // off a beast that cannot be hurt yet
                } else if (t > s.safe) {
                    return -1000 + t;
                }
            }
            for (const Shot& shot : shots)
                if (t > s.safe && mireth.Meets(s.shot.At(shot.at.x, shot.at.y))) return -1000 + t;

            const bool ground = her.Grounded(s.walls), press = ground && plan.jump_at == t;
            jumped |= press;
            const int d = !ground || press ? plan.air : t <= plan.walk ? plan.hdir : 0;
            her.Step(s.walls, d, press, jumped ? t < plan.jump_at + plan.hold : t <= plan.hold);
        }
        const double speed = std::abs(beast.hv) * kRunUp;
        const double wait = beast.hv > 0 ? std::max(s.right_turn - speed, s.leftmost + 16)
                                         : std::min(s.left_turn + speed, s.rightmost - 16);
        return -std::abs(her.x() - wait) / 20;
    }

    // Moves the shots on, as shots fly, each until it meets the arena's walls, ceiling or floor.
    static void Fly(const Scene& s, std::vector<Shot>& shots) {
        std::erase_if(shots, [&](Shot& shot) {
            shot.at.vv += shot.grav;
            shot.at.x += Pixels(shot.at.hv, shot.at.rx);
            shot.at.y += Pixels(shot.at.vv, shot.at.ry);
            const Box box = s.shot.At(shot.at.x, shot.at.y);
            const Box& inside = s.walls.inside;
            return box.left < inside.left || box.right > inside.right || box.bottom > inside.bottom ||
                   (shot.at.vv < 0 && box.top < inside.top);
        });
    }

private:
    // Steps of the beast's run between its turn at a wall and Mireth, when she waits.
    static constexpr double kRunUp = 30;

    mutable Box inside_{0, 0, 0, 0};

    // The arena's open pixels round the beast's home, found once a fight by feeling for the
    // blocks (the arena's walls among them, solid while the fight is on); open to the sky above
    // a roofless arena.
    Box Inside(double x, double y) const {
        if (inside_.right > inside_.left) return inside_;
        const auto block = [](double px, double py) {
            return Call(nullptr, nullptr, FN_collision_rectangle, Value(px), Value(py), Value(px), Value(py), Value(oBlock),
                        Value(0), Value(0)) != Value(noone);
        };
        Box& b = inside_;
        for (b.left = x; !block(b.left - 1, y); --b.left) {}
        for (b.right = x; !block(b.right + 1, y); ++b.right) {}
        for (b.top = y; b.top > -1000 && !block(x, b.top - 1); --b.top) {}
        for (b.bottom = y; !block(x, b.bottom + 1); ++b.bottom) {}
        return b;
    }

    Scene Look(CInstance* player, CInstance* boss) const {
        const Box mireth = RelativeBox(player), body = RelativeBox(boss);
        const double home_x = Get(boss, VAR_xstart), home_y = Get(boss, VAR_ystart);
        const Box inside = Inside(home_x, home_y);
        Scene s{motion::Body(player),
                ActorOf(boss),
                int(Get(player, SLOT_invuln)),
                int(Get(boss, SLOT_invuln)),
                Get(boss, SLOT_hp),
                Get(boss, SLOT_max_hp),
                body,
                {-4, -4, 3, 3},
                {inside},
                inside.left - mireth.left,
                inside.right - mireth.right,
                inside.left - body.left,
                inside.right - body.right,
                home_x,
                home_y,
                Get(boss, SLOT_grav),
                {}};
        With(nullptr, nullptr, ShotObject(), [&](CInstance* shot, CInstance*) {
            s.shot = RelativeBox(shot);
            s.shots.push_back({ActorOf(shot), ShotsFall() ? Get(shot, SLOT_grav) : 0});
        });
        return s;
    }

    Plan Choose(const Scene& s) const {
        std::vector<Plan> plans;
        if (s.her.Grounded(s.walls)) {
            for (int hdir : {0, -1, 1})
                for (int walk : {3, 8, 15, kHorizon}) {
                    if (!hdir && walk != kHorizon) continue;
                    plans.push_back({hdir, walk, 0, 0, 0});
                    for (int jump_at : {1, 3, 5, 8, 12, 16, 20, 25, 30})
                        for (int hold : {1, 3, 5, 8, 12, 24})
                            for (int air : {-1, 0, 1}) plans.push_back({hdir, walk, jump_at, hold, air});
                }
        } else {
            for (int hold : {0, 2, 5, 10, kHorizon})
                for (int air : {-1, 0, 1})
                    for (int hdir : {-1, 0, 1}) plans.push_back({hdir, kHorizon, 0, hold, air});
        }
        Plan best = plans.front();
        double best_score = -1e9;
        for (const Plan& plan : plans) {
            // Safe whatever the beast chooses; a jump only where it earns something.
            double score = Run(s, plan, true);
            if (Chooses()) score = std::min(score, Run(s, plan, false));
            if (plan.jump_at) score -= 0.5 + plan.jump_at * 0.01;
            if (score > best_score) best_score = score, best = plan;
        }
        return best;
    }

    void Play(NullWindow& window, CInstance* player, CInstance* boss) override {
        // Ducking is a toggle: she stands up first.
        const bool ground = motion::OnGround(player);
        if (Value(Var(player, SLOT_duck))) {
            keys_.Set(window, vk_down, ground && !keys_.Held(vk_down));
            return;
        }
        keys_.Set(window, vk_down, false);
        // A jump from the ground needs a fresh press.
        if (ground && keys_.Held(vk_space)) keys_.Set(window, vk_space, false);
        const Scene s = Look(player, boss);
        const Plan plan = Choose(s);
        const int d = ground ? (plan.jump_at == 1 ? plan.air : plan.hdir) : plan.air;
        keys_.Set(window, vk_right, d > 0);
        keys_.Set(window, vk_left, d < 0);
        keys_.Set(window, vk_space, ground ? plan.jump_at == 1 : keys_.Held(vk_space) && plan.hold > 0);
    }
};

// The great slime runs along the floor faster as it is hurt, climbs the wall it meets, bounces off
// the ceiling with a shot at Mireth and off the floor with a shot toward its home, and turns.
class SlimeBot : public PlannerBot {
public:
    explicit SlimeBot(double origin = 0) : PlannerBot(oMegaSlimey, origin) {}

private:
    static constexpr double kClimb = 4;

    bool Chooses() const override { return false; }
    int32_t ShotObject() const override { return oSlimeyProjectile; }
    bool ShotsFall() const override { return false; }
    void StepBeast(const Scene& s, Actor& beast, std::vector<Shot>& shots, double her_x, double her_y, bool) const override {
        Fly(s, shots);
        beast.x += Pixels(beast.hv, beast.rx);
        if (beast.x < s.left_turn || beast.x > s.right_turn) {
            beast.x = std::clamp(beast.x, s.left_turn, s.right_turn);
            if (beast.vv == 0) beast.vv = -kClimb;
        }
        beast.y += Pixels(beast.vv, beast.ry);
        const double highest = s.walls.inside.top - s.body.top;
        if (beast.y < highest || beast.y > s.home_y) {
            beast.y = std::clamp(beast.y, highest, s.home_y), beast.vv = -beast.vv;
            // A shot from just below its middle, at Mireth or toward home, faster as it is hurt.
            const double tx = beast.vv == kClimb ? her_x : s.home_x, ty = beast.vv == kClimb ? her_y : s.home_y - 16;
            const double dx = tx - beast.x, dy = ty - beast.y, length = std::max(std::hypot(dx, dy), 1e-9);
            const double speed = s.max_hp - s.hp + 1;
            shots.push_back({{beast.x, beast.y + 8, speed * dx / length, speed * dy / length, 0, 0}, 0});
            if (beast.vv == -kClimb) beast.vv = 0, beast.hv = -beast.hv;
        }
    }
};

// The great wiggler runs from wall to wall faster as it is hurt, and at each wall either hops or
// calls a drop down on Mireth from the top of the screen.
class WigglerBot : public PlannerBot {
public:
    explicit WigglerBot(double origin = 0) : PlannerBot(oMegaWigglis, origin) {}

private:
    bool Chooses() const override { return true; }
    int32_t ShotObject() const override { return oWigglisProjectile; }
    bool ShotsFall() const override { return true; }
    void StepBeast(const Scene& s, Actor& beast, std::vector<Shot>& shots, double her_x, double, bool hops) const override {
        if (beast.y < s.home_y) beast.vv += s.beast_grav;
        beast.x += Pixels(beast.hv, beast.rx);
        if (beast.x < s.left_turn || beast.x > s.right_turn) {
            beast.x = std::clamp(beast.x, s.left_turn, s.right_turn), beast.hv = -beast.hv;
            if (hops)
                beast.vv = -std::sqrt(32 * s.beast_grav);
            else // falling faster the more the beast is hurt
                shots.push_back({{her_x, 0, 0, 0, 0, 0}, 0.35 - std::floor((s.hp + 2) / 3) * 0.05});
        }
        beast.y += Pixels(beast.vv, beast.ry);
        if (beast.y >= s.home_y) beast.y = s.home_y, beast.vv = 0;
        Fly(s, shots);
    }
};

} // namespace fight
