// The frame's Draw stage: the room drawn into the application surface once per visible view
// (or once for the whole room), the surface copied to the window, and the GUI on top, with
// the Pre-draw, Post-draw and GUI events around it.
#pragma once

#include <cstdint>

#include "Run/Letterbox.h"

class CRoom;
class GraphicsContext;
struct Surface;

// The index of the view being drawn, or of the last one drawn (0 when views are off):
// view_current.
int32_t CurrentView();
// The sprite drawn at the mouse over everything else, -1 for none: cursor_sprite.
int32_t& CursorSprite();

class DrawStage {
public:
    // Draws `room` with `graphics`; the frame presents afterwards.
    void Run(GraphicsContext& graphics, CRoom& room);

    // The application surface's id, -1 while there is none.
    int32_t ApplicationSurface() const { return surface_; }
    // Where a surface of that size lands in a window of that size when copied.
    WindowRect SurfaceRect(int surface_width, int surface_height, int window_width,
                           int window_height) const;

    // Off: the room is drawn straight into the window.
    bool use_application_surface = true;
    // Off: the application surface is stretched over the whole window.
    bool keep_aspect = true;
    // Where the cursor sprite goes: the mouse in the picture's pixels, given each frame.
    PointF mouse;

private:
    // The application surface, made at the game's window size when missing or lost; null when
    // it is off or cannot be made.
    const Surface* PrepareSurface(GraphicsContext& graphics);
    void DrawViews(GraphicsContext& graphics, CRoom& room, int surface_width, int surface_height);
    void CopySurface(GraphicsContext& graphics, const Surface& surface, int window_width,
                     int window_height) const;
    // The cursor sprite at the mouse, which is in the application surface's pixels when it is
    // in use.
    void DrawCursor(GraphicsContext& graphics, const Surface* surface, int window_width,
                    int window_height) const;

    const GraphicsContext* context_ = nullptr; // whose surface `surface_` names
    int32_t surface_ = -1;
};
