// The collision events of each frame, and the outside-room and boundary events.
#pragma once

#include <cstdint>

// At game start, from the objects' collision handlers: which objects take part, and the
// object pairs to test when events are not found through the grid.
void PrepareCollisionEvents(bool through_grid);
// Runs the collision events of every pair of colliding instances whose objects answer each
// other; solid instances go back to where they were.
void RunCollisionEvents();
// Other events 0 (outside the room, once when it leaves) and 1 (across its edge).
void RunOutsideEvents();
