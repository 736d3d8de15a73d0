// Where the player can get to in a room: a flood fill over the room's standing places, moving
// between them by short runs of the game's own motion (walking with its acceleration, gravity,
// jumps, pixel by pixel against the room's blocks) under a few steady inputs.
//
// How conservative it is: every run starts at rest on the middle of a cell and holds one
// direction at one of four top speeds, with the jump held to its full height (at once, at the
// ledge it walks off within the game's grace steps, or never); there is no turning in mid-air, no
// duck or jump cut in the air, no standing on enemies or presents, and a run that touches a
// hazard's cell (a whole cell, though a spike is smaller) ends there. So it finds a little less
// than a player can reach, never more, except that enemies are not in its way.
#pragma once

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
    RoomReach(const RoomCells& cells, const PlayerMotion& motion, Abilities abilities);

    // Every place the player can stand (or, with ducking, duck) in the room, reached or not.
    std::vector<Foothold> StandingPlaces() const;
    // Floods from the player's feet at each (x, y), as the game puts her at a checkpoint.
    void Fill(const std::vector<std::pair<double, double>>& starts);
    bool Reached(const Foothold& place) const;
    // Whether the player's box overlapped the cell anywhere on the way.
    bool Touched(const Cell& cell) const;

private:
    struct Run {
        int direction;
        double share; // of the top speed
        enum { Never, AtOnce, AtLedge } jump;
    };
    // The place under the feet at (x, y), if she stands on a block there.
    bool PlaceAt(double x, double y, bool ducking, Foothold& place) const;
    bool Fits(const Foothold& place) const;
    bool Blocked(const PlayerBox& box, double x, double y) const;
    void Visit(const Foothold& place);
    void Follow(const Foothold& from, const Run& run);
    size_t Index(const Foothold& place) const;

    const RoomCells& cells_;
    PlayerMotion motion_;
    Abilities abilities_;
    std::vector<bool> reached_, touched_;
    std::vector<Foothold> queue_;
};
