// Level mistakes the packer can see without playing: a checkpoint the player would come back to
// inside a block or in mid-air, and an exit that puts the player inside a block of the room it
// leads to. Each is refused at the instance or exit line that makes it.
#pragma once

#include <functional>

#include "RoomCells.h"
#include "RoomExits.h"

// The game puts a returning player's feet at the checkpoint's x and y: the standing box there must
// meet no block or hazard, and the cell holding that point (the one under the feet) must be solid.
void CheckCheckpoints(const RoomSource& room, const RoomCells& cells, const PlayerBox& standing);

// Every place where the standing player can walk across a side edge of an exit's screen (feet on
// a block of the edge column), and every free cell of a top or bottom edge, followed through the
// exit record by the game's room-edge rule: the standing box where it arrives must meet no block.
void CheckExitArrivals(const RoomSource& room, const RoomCells& cells,
                       const std::map<std::pair<int, int>, ExitRecord>& records,
                       const std::function<const RoomCells&(int room)>& target_cells, int screen_width,
                       int screen_height, const PlayerBox& standing);
