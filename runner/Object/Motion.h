// An instance's motion: speed and direction and their horizontal and vertical parts kept in
// step, friction and gravity, and the move of each frame.
#pragma once

class CInstance;

// hspeed and vspeed from speed and direction.
void MotionFromPolar(CInstance& instance);
// direction and speed from hspeed and vspeed, each snapped to a whole number within 0.0001.
void PolarFromMotion(CInstance& instance);
// One frame's friction, gravity and move.
void ApplyMotion(CInstance& instance);
