// Where the player can get to in a room: a flood fill over the room's standing places, moving
// between them by short runs of the game's own motion under a few steady inputs. Every run starts
// at rest on the middle of a cell and holds one direction at one of four top speeds, with the jump
// held to its full height (at once, at the ledge it walks off within the grace steps, or never); no
// turning or jump cut in the air, no standing on enemies or presents, and a run that touches a
// hazard's whole cell ends there. So it finds a little less than a player can reach, never more,
// except that enemies are not in its way.
#pragma once

#include <cmath>
#include <vector>

#include "RoomCells.h"

struct Abilities {
    bool duck = false, high = false, fast = false;
};

// The player's motion as the game sets it up; speeds in pixels a step.
struct PlayerMotion {
    double gravity = 0;                     // doubled in the air while ducking
    double jump = 0, high_jump = 0, duck_jump = 0;
    double run = 0, run_gain = 0;           // top walking speed, and what a step of walking adds
    double fast_run = 0, fast_run_gain = 0; // with the speed shoes
    PlayerBox standing, ducking;
};

// Feet on the top of the cell below (column, row): the player's lowest cell is (column, row).
struct Foothold {
    int column = 0, row = 0;
    bool ducking = false;
};

class RoomReach {
public:
    RoomReach(const RoomCells& cells, const PlayerMotion& motion, Abilities abilities)
        : cells_(cells), motion_(motion), abilities_(abilities), reached_(Cells() * 2, false),
          touched_(Cells(), false) {}

    // Every place the player can stand (or, with ducking, duck) in the room, reached or not.
    std::vector<Foothold> StandingPlaces() const {
        std::vector<Foothold> places;
        for (int row = 0; row < cells_.Rows(); ++row)
            for (int column = 0; column < cells_.Columns(); ++column)
                for (const bool ducking : {false, true})
                    if (Fits({column, row, ducking})) places.push_back({column, row, ducking});
        return places;
    }
    // Floods from the player's feet at each (x, y), as the game puts her at a checkpoint.
    void Fill(const std::vector<std::pair<double, double>>& starts) {
        for (const auto& [x, y] : starts) {
            Foothold place;
            if (PlaceAt(x, y, false, place) || PlaceAt(x, y, true, place)) Visit(place);
        }
        while (!queue_.empty()) {
            const Foothold place = queue_.back();
            queue_.pop_back();
            // Ducking is always at hand with the ability; standing up needs the room to stand.
            Visit({place.column, place.row, !place.ducking});
            Follow(place, {0, 0, Run::AtOnce});
            for (const int direction : {-1, 1})
                for (const double share : {1.0, 0.75, 0.5, 0.25})
                    for (const auto jump : {Run::Never, Run::AtOnce, Run::AtLedge})
                        Follow(place, {direction, share, jump});
        }
    }
    bool Reached(const Foothold& place) const { return Fits(place) && reached_[Index(place)]; }
    // Whether the player's box overlapped the cell anywhere on the way.
    bool Touched(const Cell& cell) const {
        return cell.column >= 0 && cell.row >= 0 && cell.column < cells_.Columns() && cell.row < cells_.Rows() &&
               touched_[size_t(cell.row) * size_t(cells_.Columns()) + size_t(cell.column)];
    }

private:
    static constexpr int kMaxSteps = 240;   // four seconds: longer than any fall or run-up a room needs
    static constexpr double kSlowWalk = 32; // pixels a slower run walks before it would only repeat others

    struct Run {
        int direction;
        double share; // of the top speed
        enum { Never, AtOnce, AtLedge } jump;
    };

    static int CellOf(double pixel) { return int(std::floor(pixel / kCellSize)); }
    size_t Cells() const { return size_t(cells_.Columns()) * size_t(cells_.Rows()); }
    size_t Index(const Foothold& place) const {
        return (size_t(place.row) * size_t(cells_.Columns()) + size_t(place.column)) * 2 + place.ducking;
    }
    // The room's bounds stop the player as blocks do; exits lead to other rooms, not further here.
    bool Blocked(const PlayerBox& box, double x, double y) const {
        if (x + box.left < 0 || x + box.right > cells_.Width() || y + box.top < 0 || y + box.bottom > cells_.Height())
            return true;
        return cells_.BoxMeets(box, x, y, CellKind::Solid).has_value();
    }
    bool Fits(const Foothold& place) const {
        if (place.column < 0 || place.row < 0 || place.column >= cells_.Columns() || place.row + 1 >= cells_.Rows())
            return false;
        if (place.ducking && !abilities_.duck) return false;
        if (cells_.At(place.column, place.row + 1) != CellKind::Solid) return false;
        const PlayerBox& box = place.ducking ? motion_.ducking : motion_.standing;
        const double x = place.column * kCellSize + kCellSize / 2.0, y = (place.row + 1) * kCellSize;
        return !Blocked(box, x, y) && !cells_.BoxMeets(box, x, y, CellKind::Hazard);
    }
    // The place under the feet at (x, y), if she stands on a block there.
    bool PlaceAt(double x, double y, bool ducking, Foothold& place) const {
        if (std::fmod(y, kCellSize) != 0) return false;
        // On a ledge's lip the block she stands on may be beside the one under her middle.
        const PlayerBox& box = ducking ? motion_.ducking : motion_.standing;
        for (const double foot : {x, x + box.left, x + box.right - 1}) {
            place = {CellOf(foot), CellOf(y) - 1, ducking};
            if (Fits(place)) return true;
        }
        return false;
    }
    void Visit(const Foothold& place) {
        if (!Fits(place) || reached_[Index(place)]) return;
        reached_[Index(place)] = true;
        queue_.push_back(place);
    }
    // One run from the middle of the place, step by step as the player's Step moves her: walking
    // speed, gravity in the air, the jump, then the moves along x and y, whole pixels at a time
    // with the rest of a pixel kept. It ends on landing, in a hazard, or with nothing new to show.
    void Follow(const Foothold& from, const Run& run) {
        const PlayerBox& box = from.ducking ? motion_.ducking : motion_.standing;
        const double top = (abilities_.fast ? motion_.fast_run : motion_.run) * run.share;
        const double gain = abilities_.fast ? motion_.fast_run_gain : motion_.run_gain;
        const double gravity = motion_.gravity * (from.ducking ? 2 : 1);
        const double jump = from.ducking ? motion_.duck_jump : abilities_.high ? motion_.high_jump : motion_.jump;
        double x = from.column * kCellSize + kCellSize / 2.0, y = (from.row + 1) * kCellSize;
        double hv = 0, vv = 0, remainder[2] = {0, 0};
        bool airborne = false, jumped = false;
        const double start_x = x;
        auto move = [&](double amount, int axis) {
            remainder[axis] += amount;
            double steps = std::ceil(remainder[axis] - 0.5);
            remainder[axis] -= steps;
            const double unit = steps > 0 ? 1 : -1;
            for (; steps != 0; steps -= unit) {
                const double nx = axis == 0 ? x + unit : x, ny = axis == 1 ? y + unit : y;
                if (Blocked(box, nx, ny)) return false;
                x = nx, y = ny;
            }
            return true;
        };
        for (int step = 0; step < kMaxSteps; ++step) {
            const bool on_ground = Blocked(box, x, y + 1);
            hv = std::min(hv + gain, top);
            if (!on_ground) vv += gravity;
            const bool take_off =
                run.jump == Run::AtOnce ? step == 0 : run.jump == Run::AtLedge && !on_ground && !airborne;
            if (take_off && !jumped) vv = -jump, jumped = true;
            if (!on_ground) airborne = true;
            if (!move(run.direction * hv, 0)) hv = 0;
            if (!move(vv, 1)) vv = 0;
            if (cells_.BoxMeets(box, x, y, CellKind::Hazard)) return;
            for (int row = CellOf(y + box.top); row <= CellOf(y + box.bottom - 1); ++row)
                for (int column = CellOf(x + box.left); column <= CellOf(x + box.right - 1); ++column)
                    if (column >= 0 && row >= 0 && column < cells_.Columns() && row < cells_.Rows())
                        touched_[size_t(row) * size_t(cells_.Columns()) + size_t(column)] = true;
            if (!Blocked(box, x, y + 1)) {
                airborne = true;
                continue;
            }
            Foothold place;
            if (PlaceAt(x, y, from.ducking, place)) Visit(place);
            // A run on the ground that would only repeat a run from a place it passed ends.
            if (airborne || hv == 0 || (run.share < 1 && std::abs(x - start_x) > kSlowWalk)) return;
        }
    }

    const RoomCells& cells_;
    PlayerMotion motion_;
    Abilities abilities_;
    std::vector<bool> reached_, touched_;
    std::vector<Foothold> queue_;
};
