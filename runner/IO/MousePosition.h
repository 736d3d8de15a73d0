// From a position in the window to a position in the room: through the window's pixel density,
// the letterbox around the application surface, and the running room's views. The first half
// depends only on the window and is taken when the step starts; the second half on the room,
// so it is taken when a script reads mouse_x or mouse_y.
#pragma once

#include "Run/Letterbox.h"

class CRoom;
class DrawStage;
class GraphicsContext;
class Window;

// Where the game's picture lies in the window.
struct ScreenLayout {
    int client_width = 0, client_height = 0; // the window in the units its events use
    int drawable_width = 0, drawable_height = 0; // the same area in pixels
    WindowRect surface_rect; // where the picture lands, in drawable pixels
    int surface_width = 0, surface_height = 0; // the picture's own pixels
};

// The layout of this frame: the application surface letterboxed as the Draw stage copies it,
// or the room straight in the window. Without a drawing context the picture is the window.
ScreenLayout CurrentScreenLayout(const Window& window, const DrawStage& stage,
                                 const GraphicsContext* graphics);

// A window position in the picture's pixels; outside the picture the numbers run past its edges.
PointF WindowToPicture(const ScreenLayout& layout, double x, double y);

// A position in the picture's pixels in the room: through the first visible view whose port
// holds it (else the first visible view), or over the whole room when views are off.
PointF PictureToRoom(const CRoom& room, PointF point, int picture_width, int picture_height);
