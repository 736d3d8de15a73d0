// The drawing events of a room's instances: which instances draw, the passes of one drawing
// event over the layers, and the layers themselves with their instances and elements.
#pragma once

#include <cstdint>

class CInstance;
class CRoom;
class GraphicsContext;

// Visible, neither marked nor deactivated, and of an object that exists.
bool IsDrawable(const CInstance& instance);

// Runs drawing event (ev_draw, subtype) for the drawable instances whose object has it, the
// deepest layer first; costs nothing when no object has the event, and visits one instance
// when only one has it.
void DrawEventPass(CRoom& room, int32_t subtype);

// The visible layers, deepest first: each instance's Draw event or else its sprite, the
// sprite elements, backgrounds and tile maps.
void DrawLayers(GraphicsContext& graphics, CRoom& room);
