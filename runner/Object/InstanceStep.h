// The work done on instances at fixed stages of every frame's step: remembering positions and
// animating, counting alarms down, and moving.
#pragma once

// Previous positions and sprite animation, for every active instance in the room's order;
// raises Animation End where a sprite wraps.
void UpdateInstances();
// Alarms 0 to 11, each a pass over the objects that have that alarm's event.
void RunAlarms();
// Friction, gravity and speed, for every active instance in the room's order.
void MoveInstances();
