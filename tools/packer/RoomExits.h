// Exits as a room's file names them ("right edge of screen 5,1 -> rmPink 0,1") into the exit
// records the game keeps per screen: [target room, screen column, screen row, axis]. The game
// moves a player who leaves the room by an edge to
//
//     x = column * screen width + (x wrapped by the room's width - camera x)
//
// (and the same for y with the row), so for a room wider or taller than one screen the stored
// column or row is not simply the target screen's: it makes up for the camera's screen and the
// wrap, so that the player lands just inside the named screen.
#pragma once

#include <functional>
#include <map>
#include <utility>

#include "RoomSource.h"

struct ExitRecord {
    int room = 0, column = 0, row = 0, axis = 0; // axis 0: left and right edges, 1: top and bottom
    bool operator==(const ExitRecord&) const = default;
};

struct RoomScreens {
    int columns = 0, rows = 0;
};

struct ExitTarget {
    int room = 0;
    RoomScreens screens;
};

// Finds a room by name for an exit, refusing unknown names at the exit's spot.
using ExitTargetLookup = std::function<ExitTarget(const std::string& room, const SourceSpot& spot)>;

// The record of each screen with an exit, keyed by (column, row). Exits not on the room's edge,
// screens outside either room, and two exits of one screen that need different records are
// refused.
std::map<std::pair<int, int>, ExitRecord> ExitRecords(const RoomSource& room, RoomScreens screens,
                                                      const ExitTargetLookup& target);

// Where the game puts a player who steps past the room's edge to (x, y) from screen (column,
// row), which the camera shows, by that screen's record: wrapped back into the room along the
// record's axis, then moved from the camera's screen to the record's.
std::pair<double, double> ExitArrival(const ExitRecord& record, double room_width, double room_height,
                                      int screen_width, int screen_height, int column, int row, double x, double y);
