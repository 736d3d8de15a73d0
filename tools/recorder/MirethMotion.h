// Mireth's movement as the game makes it, for the bots that carry her ahead to choose their keys,
// against whatever blocks her: the level's cells, or an arena's walls.
#pragma once

#include <algorithm>
#include <cmath>

#include "GameSession.h"

namespace motion {

// On the ground and not rising: where a jump can start.
inline bool OnGround(CInstance* player) { return Value(Var(player, SLOT_ong)) && Get(player, SLOT_vv) >= 0; }

// Mireth's walking speed a step on: toward d (-1, 0, 1), capped at `spd` without being cut, and
// slowed by friction that never flips its sign.
inline double Walked(double hv, double d, double acc, double spd, double fric) {
    if (std::abs(hv + d * acc) > spd && (hv > 0) - (hv < 0) == d)
        hv = d < 0 ? std::min(hv, -spd) : std::max(hv, spd);
    else
        hv += d * acc;
    if (hv == 0) return hv;
    const double before = hv;
    hv -= (before > 0 ? 1 : -1) * fric;
    return (hv > 0) != (before > 0) ? 0 : hv;
}

// A box in room pixels, last pixels included.
struct Box {
    double left, top, right, bottom;
    bool Meets(const Box& o, double margin = 0) const {
        return left - margin <= o.right && o.left <= right + margin && top - margin <= o.bottom && o.top <= bottom + margin;
    }
    // This box, taken as one relative to an actor's place, with the actor at (x, y).
    Box At(double x, double y) const { return {x + left, y + top, x + right, y + bottom}; }
};

// An instance's bounding box in the room.
inline Box BoxOf(CInstance* i) {
    return {Get(i, VAR_bbox_left), Get(i, VAR_bbox_top), Get(i, VAR_bbox_right), Get(i, VAR_bbox_bottom)};
}

// Whole pixels of a move, as the game's `move` makes them, the rest kept for the next step.
inline double Pixels(double amount, double& remainder) {
    if (amount == 0) return 0;
    remainder += std::clamp(amount, -12.0, 12.0);
    const double steps = std::ceil(remainder - 0.5);
    remainder -= steps;
    return steps;
}

// Mireth, carried on step by step. `Blocker` is anything with `bool Blocked(const Box&) const`.
class Body {
public:
    explicit Body(CInstance* p)
        : x_(Get(p, VAR_x)), y_(Get(p, VAR_y)), hv_(Get(p, SLOT_hv)), vv_(Get(p, SLOT_vv)),
          cut_(Value(Var(p, SLOT_cut))), duck_(Value(Var(p, SLOT_duck))), acc_(Get(p, SLOT_acc)),
          spd_(Get(p, SLOT_spd)), fric_(Get(p, SLOT_fric)), grav_(Get(p, SLOT_grav)),
          takeoff_(Real(Var(p, duck_ ? SLOT_djmp : Value(Global(SLOT_hi)) ? SLOT_hjmp : SLOT_jmp))),
          box_(BoxOf(p).At(-x_, -y_)) {
        RValue& remainder = Var(p, SLOT_remainder);
        rx_ = Real(Element(remainder, 0)), ry_ = Real(Element(remainder, 1));
    }

    // Her box with her at (x, y), and where she is now.
    Box At(double x, double y) const { return box_.At(x, y); }
    Box Now() const { return At(x_, y_); }
    double x() const { return x_; }
    double y() const { return y_; }

    template <typename Blocker>
    bool Grounded(const Blocker& blocker) const {
        return vv_ >= 0 && blocker.Blocked(At(x_, y_ + 1));
    }
    // One step with the way held (d), the jump pressed this step and held.
    template <typename Blocker>
    void Step(const Blocker& blocker, int d, bool press, bool held) {
        const bool ground = blocker.Blocked(At(x_, y_ + 1));
        hv_ = Walked(hv_, d, acc_, spd_, fric_);
        if (ground)
            cut_ = false;
        else
            vv_ += duck_ ? 2 * grav_ : grav_;
        if (press && ground) vv_ = -takeoff_;
        if (!held && vv_ < 0 && !cut_) vv_ /= 2, cut_ = true;
        if (!Move(blocker, hv_, rx_, true)) hv_ = 0;
        const double amount = vv_;
        if (!Move(blocker, amount, ry_, false) && (vv_ > 0) == (amount > 0) && !(duck_ && vv_ <= 0)) vv_ = 0;
    }
    // Thrown up off what she stomped.
    void Bounce() { vv_ = -std::sqrt(2 * grav_ * (duck_ ? 12 : 24)); }

private:
    template <typename Blocker>
    bool Move(const Blocker& blocker, double amount, double& remainder, bool horizontal) {
        double steps = Pixels(amount, remainder);
        const double s = steps > 0 ? 1 : -1;
        for (; steps != 0; steps -= s) {
            const double nx = x_ + (horizontal ? s : 0), ny = y_ + (horizontal ? 0 : s);
            if (blocker.Blocked(At(nx, ny))) return false;
            x_ = nx, y_ = ny;
        }
        return true;
    }

    double x_, y_, hv_, vv_;
    bool cut_, duck_;
    double acc_, spd_, fric_, grav_, takeoff_;
    Box box_;
    double rx_ = 0, ry_ = 0;
};

} // namespace motion
