// A bot that plays the game from the title along a route of places (and presents to open, beasts
// to fight). Every step it carries Mireth through a few tries of walking and jumping with the
// game's movement rules against the level's cells, and takes the one that ends nearest the next
// place without touching spikes or an enemy. The fights go to the fight bots, the last room to
// the final-fight bot.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "ArenaPlanner.h"
#include "FightBots.h"
#include "FinalFightBot.h"
#include "MirethMotion.h"

namespace playthrough {

using motion::Body;
using motion::Box;
using motion::BoxOf;

enum class Move {
    kStand, // get to stand at (x, y), y the feet
    kDuck,  // the same, ducking all the way
    kOpen,  // hop onto the present standing at x on the floor y (from its right)
    kLeave, // walk through the room's edge toward x, until the room changes
    kFight, // the beast, with its fight bot
};

struct Step {
    Move move;
    int32_t room;
    double x, y = 0;
    std::shared_ptr<fight::ArenaBot> fighter = nullptr; // the beast's, for a fight
    double side = 20;                                   // where a present is hopped onto from
};

// The way through the three worlds (playthrough_route.txt).
inline std::vector<Step> Route() {
    const std::map<std::string, Move> moves = {
        {"stand", Move::kStand}, {"duck", Move::kDuck}, {"open", Move::kOpen},
        {"leave", Move::kLeave}, {"fight", Move::kFight}};
    const std::map<std::string, int32_t> rooms = {{"rmSnow", rmSnow}, {"rmPink", rmPink}, {"rmPurple", rmPurple}};
    std::vector<Step> route;
    for (const std::vector<std::string>& f : TableRows(PLAYTHROUGH_ROUTE)) {
        Step& step = route.emplace_back(Step{moves.at(f[0]), rooms.at(f[1]), 0});
        if (step.move == Move::kFight) {
            const double origin = std::stod(f[3]);
            if (f[2] == "slime") step.fighter = std::make_shared<fight::SlimeBot>(origin);
            if (f[2] == "wiggler") step.fighter = std::make_shared<fight::WigglerBot>(origin);
            if (f[2] == "flower") step.fighter = std::make_shared<fight::FlowerBot>(origin);
            continue;
        }
        step.x = std::stod(f[2]);
        if (f.size() > 3) step.y = std::stod(f[3]);
        if (f.size() > 4) step.side = std::stod(f[4]);
    }
    return route;
}

// The level's solid cells, read once a room from the game's block grid.
class Cells {
public:
    void Read(int32_t room) {
        room_ = room;
        const Value grid = Global(SLOT_block_grid);
        width_ = int(Real(Call(nullptr, nullptr, FN_ds_grid_width, grid)));
        height_ = int(Real(Call(nullptr, nullptr, FN_ds_grid_height, grid)));
        solid_.assign(size_t(width_ * height_), false);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                solid_[size_t(y * width_ + x)] = Real(Call(nullptr, nullptr, FN_ds_grid_get, grid, Value(x), Value(y))) != 0;
    }
    int32_t room() const { return room_; }
    // Whether a box covers a solid cell; outside the level is open.
    bool Blocked(const Box& box) const {
        for (int cy = int(std::floor(box.top / 16)); cy <= int(std::floor(box.bottom / 16)); ++cy)
            for (int cx = int(std::floor(box.left / 16)); cx <= int(std::floor(box.right / 16)); ++cx)
                if (cx >= 0 && cy >= 0 && cx < width_ && cy < height_ && solid_[size_t(cy * width_ + cx)]) return true;
        return false;
    }

private:
    int32_t room_ = -1;
    int width_ = 0, height_ = 0;
    std::vector<bool> solid_;
};

// What can kill Mireth on the way: the room's spikes, and enemies where their paths take them.
class Dangers {
public:
    // The spikes once a room (they stay put), the enemies every step.
    void Read(bool new_room) {
        if (new_room) {
            spikes_.clear();
            With(nullptr, nullptr, oSpike, [&](CInstance* spike, CInstance*) { spikes_.push_back(BoxOf(spike)); });
        }
        foes_.clear();
        With(nullptr, nullptr, oEnemy, [&](CInstance* foe, CInstance*) {
            if (!Value(Var(foe, SLOT_hurtful)) || Value(Var(foe, SLOT_dead))) return;
            foes_.push_back(foe);
        });
    }
    // Whether Mireth's box meets any of them `t` steps from now.
    bool Hit(const Box& mireth, int t) const {
        for (const Box& spike : spikes_)
            if (mireth.Meets(spike)) return true;
        for (CInstance* foe : foes_)
            if (mireth.Meets(Ahead(foe, t), 3)) return true;
        return false;
    }

private:
    // Where an enemy's path takes its box in t steps (the floaters' and the puffs' paths).
    static Box Ahead(CInstance* foe, int t) {
        Box box = BoxOf(foe);
        const double x = Get(foe, VAR_x), y = Get(foe, VAR_y);
        double nx = x, ny = y;
        const double turn = 2 * std::numbers::pi;
        const Value kind = BuiltinVar(foe, VAR_object_index);
        if (kind == Value(oSlimey) || kind == Value(oWigglis)) {
            const double stepc = Get(foe, SLOT_stepc);
            nx = Get(foe, VAR_xstart) + Get(foe, SLOT_hamp) * std::sin((stepc + t) * turn / Get(foe, SLOT_hper));
            ny = Get(foe, VAR_ystart) + Get(foe, SLOT_vamp) * std::sin((stepc + t) * turn / Get(foe, SLOT_vper));
        } else if (kind == Value(oFlowerfluff)) {
            const double stepc = Get(foe, SLOT_stepc), per = Get(foe, SLOT_per), angle = (stepc + t * (per - 1)) * turn / per;
            const double radius = Get(foe, SLOT_amp) + 4;
            nx = Get(foe, SLOT_xp) + radius * std::cos(angle);
            ny = Get(foe, SLOT_yp) + radius * std::sin(angle);
        }
        return {box.left + nx - x, box.top + ny - y, box.right + nx - x, box.bottom + ny - y};
    }

    std::vector<Box> spikes_;
    std::vector<CInstance*> foes_;
};

// A try: which way to walk (toward the place, none, or away from it for a while), and whether to
// press jump at step `jump_at` (0: not) and hold it `hold` steps.
struct Try {
    int way, jump_at, hold;
};

// The outcome of a try: where Mireth ends, after how many steps, and the step she is first hurt at
// (0: never).
struct Outcome {
    double x, y;
    int steps;
    bool grounded;
    int hurt_at;
};

// Carries Mireth through a try: a walk for a short while (a gap further on is left for a later
// jump), a jump until she lands, always on to solid ground if she is in the air.
inline Outcome Carry(CInstance* player, const Cells& cells, const Dangers& dangers, const Try& plan, double tx,
                     double room_height) {
    Body body(player);
    const double from = body.x();
    constexpr int kWalk = 16, kLongest = 150;
    for (int t = 1; t <= kLongest; ++t) {
        int d = 0;
        if (plan.way > 0 && std::abs(tx - body.x()) > 2) d = tx > body.x() ? 1 : -1;
        if (plan.way < 0 && t <= 20) d = tx > from ? -1 : 1;
        const bool press = plan.jump_at == t;
        const bool held = plan.jump_at && t >= plan.jump_at && t < plan.jump_at + plan.hold;
        body.Step(cells, d, press, held);
        if (dangers.Hit(body.Now(), t) || body.y() > room_height + 16) return {body.x(), body.y(), t, false, t};
        if (t >= kWalk && t > plan.jump_at + 2 && body.Grounded(cells)) return {body.x(), body.y(), t, true, 0};
    }
    return {body.x(), body.y(), kLongest, false, 0};
}

class Bot {
public:
    bool operator()(NullWindow& window, CInstance* player, int frame, int (&noted)[2]) {
        int& credits_at = noted[0];
        if (frame == 0) *this = Bot(), route_ = Route();
        const int32_t room = Runner().current_room;
        if (room == rmTitle) {
            keys_.Set(window, vk_return, frame % 20 < 2);
            return frame < kLongest;
        }
        keys_.Set(window, vk_return, false);
        if (room == rmFinal) return Last(window, player, frame, credits_at);
        if (!player || next_ >= route_.size()) {
            keys_.Release(window);
            return frame < kLongest;
        }
        // After a death the way on is found again from the lantern.
        if (Value(Var(player, SLOT_dead))) {
            keys_.Release(window);
            return frame < kLongest;
        }
        if (route_[next_].move == Move::kLeave && route_[next_].room != room) ++next_;
        const Step& step = route_[std::min(next_, route_.size() - 1)];
        if (step.room != room) {
            keys_.Release(window);
            return frame < kLongest;
        }
        const bool new_room = cells_.room() != room;
        if (new_room) cells_.Read(room);
        dangers_.Read(new_room);
        if (Done(step, player)) {
            ++next_, hop_ = -1;
            keys_.Release(window);
        } else {
            Play(window, player, step);
        }
        return frame < kLongest;
    }

private:
    static constexpr int kLongest = 60 * 60 * 25;

    bool Done(const Step& step, CInstance* player) {
        const bool grounded = motion::OnGround(player);
        switch (step.move) {
        case Move::kStand:
        case Move::kDuck:
            return grounded && std::abs(Get(player, VAR_x) - step.x) <= 4 && std::abs(Get(player, VAR_y) - step.y) <= 2 &&
                   bool(Value(Var(player, SLOT_duck))) == (step.move == Move::kDuck);
        case Move::kOpen:
            return Opened(step.x);
        case Move::kLeave:
            return false;
        case Move::kFight:
            return !FirstOf(step.fighter->beast());
        }
        return false;
    }

    // Whether the present standing at x has been opened (or was never there).
    static bool Opened(double x) {
        bool opened = true;
        With(nullptr, nullptr, oPresent, [&](CInstance* present, CInstance*) {
            ScopedRValue flag;
            VariableGlobalGet(ValueText(Var(present, SLOT_key)).c_str(), flag);
            if (std::abs(Get(present, VAR_x) - x) < 1 && !ToReal(flag)) opened = false;
        });
        return opened;
    }

    void Play(NullWindow& window, CInstance* player, const Step& step) {
        switch (step.move) {
        case Move::kFight:
            step.fighter->Fight(window, player);
            return;
        case Move::kOpen:
            return Hop(window, player, step);
        case Move::kLeave: // along the floor, out of the room
            return keys_.Toward(window, Get(player, VAR_x), step.x);
        case Move::kDuck:
        case Move::kStand:
            return Walk(window, player, step.x, step.y, step.move == Move::kDuck);
        }
    }

    // Onto the present: to its right, then a short hop that comes down on its lid.
    void Hop(NullWindow& window, CInstance* player, const Step& step) {
        const bool grounded = motion::OnGround(player);
        if (hop_ < 0) {
            if (!grounded || std::abs(Get(player, VAR_x) - (step.x + step.side)) > 3)
                return Walk(window, player, step.x + step.side, step.y, false);
            keys_.Release(window);
            keys_.Set(window, vk_space, true);
            hop_ = 0;
            return;
        }
        ++hop_;
        keys_.Set(window, vk_space, hop_ < 10);
        keys_.Toward(window, Get(player, VAR_x), step.x, 1);
        if (hop_ > 4 && grounded) hop_ = -1, keys_.Release(window);
    }

    // How far a place is, height counting less while the place is still far to the side, so that
    // climbing onto a ledge on the way counts as getting on.
    static double Distance(double dx, double dy) {
        return std::abs(dx) + 2 * std::abs(dy) * std::clamp(1 - std::abs(dx) / 160, 0.25, 1.0);
    }

    // One step toward standing at (x, y): the best of the tries, its first step's keys pressed.
    void Walk(NullWindow& window, CInstance* player, double x, double y, bool duck) {
        if (bool(Value(Var(player, SLOT_duck))) != duck) {
            const bool grounded = bool(Value(Var(player, SLOT_ong)));
            keys_.Set(window, vk_down, grounded && !keys_.Held(vk_down));
            if (grounded) return;
        } else {
            keys_.Set(window, vk_down, false);
        }
        const bool grounded = motion::OnGround(player);
        const double room_height = Get(player, VAR_room_height);
        std::vector<Try> tries;
        for (int way : {1, 0, -1}) tries.push_back({way, 0, 0});
        if (!duck) {
            if (grounded) {
                for (int at : {1, 3, 6, 10, 15, 22})
                    for (int hold : {40, 16, 9, 4}) tries.push_back({1, at, hold});
            } else if (keys_.Held(vk_space)) {
                for (int way : {1, 0, -1})
                    for (int hold : {2, 5, 10, 40}) tries.push_back({way, 1, hold});
            }
        }
        const double distance = Distance(Get(player, VAR_x) - x, Get(player, VAR_y) - y);
        Try best{0, 0, 0};
        double best_cost = std::numeric_limits<double>::infinity();
        for (const Try& t : tries) {
            // In the air a try "pressing" at its first step only goes on holding the key.
            const Outcome o = Carry(player, cells_, dangers_, t, x, room_height);
            // The best try comes nearest fastest: the distance won a step, less for a jump (only
            // worth it where walking gets nowhere) or for not walking toward the place.
            double cost;
            if (o.hurt_at)
                cost = 1e6 - o.hurt_at;
            else if (!o.grounded)
                cost = 1e5;
            else
                cost = -(distance - Distance(o.x - x, o.y - y)) / o.steps + (t.jump_at && grounded ? 0.4 : 0) +
                       (t.way == 0 ? 0.05 : 0) + (t.way < 0 ? 0.1 : 0);
            if (cost < best_cost) best_cost = cost, best = t;
        }
        int d = 0;
        const double px = Get(player, VAR_x);
        if (best.way > 0 && std::abs(x - px) > 2) d = x > px ? 1 : -1;
        if (best.way < 0) d = x > px ? -1 : 1;
        keys_.Set(window, vk_right, d > 0);
        keys_.Set(window, vk_left, d < 0);
        // A jump needs a fresh press: a key still held from the last one is let go first.
        if (grounded)
            keys_.Set(window, vk_space, best.jump_at == 1 && !keys_.Held(vk_space));
        else
            keys_.Set(window, vk_space, keys_.Held(vk_space) && best.jump_at == 1);
    }

    // The last room: the final-fight bot until the credits show, then a second of them.
    bool Last(NullWindow& window, CInstance* player, int frame, int& credits_at) {
        if (entered_final_ < 0) entered_final_ = frame, keys_.Release(window);
        if (credits_at < 0 && !FirstOf(oPresence) && !FirstOf(oFinalBoss) && frame > entered_final_ + 60) credits_at = frame;
        if (credits_at < 0 && player) final_fight::Play(window, player, final_keys_);
        return credits_at < 0 ? frame < kLongest : frame < credits_at + 60;
    }

    std::vector<Step> route_;
    size_t next_ = 0;
    int entered_final_ = -1;
    int final_keys_ = 0;
    fight::Keys keys_;
    Cells cells_;
    Dangers dangers_;
    int hop_ = -1;
};

} // namespace playthrough
