// The order of the Draw stage, the application surface and the views.
#include "Run/DrawStage.h"

#include "Base/OutputChannel.h"
#include "Code/GameConstants.h"
#include "Graphics/GraphicsContext.h"
#include "Graphics/SpriteDrawing.h"
#include "Object/ObjectTable.h"
#include "Room/CRoom.h"
#include "Run/DrawEvents.h"
#include "Run/Letterbox.h"
#include "Sprite/SpriteTable.h"

namespace {

int32_t g_current_view = 0;
int32_t g_cursor_sprite = -1;

TargetView WholeTarget(float area_width, float area_height, int pixel_width, int pixel_height) {
    return {{0, 0, area_width, area_height}, 0, 0, pixel_width, pixel_height};
}

void DrawView(GraphicsContext& graphics, CRoom& room) {
    if (room.draw_colour) graphics.Clear(room.colour, 1);
    DrawEventPass(room, ev_draw_begin);
    DrawLayers(graphics, room);
    // After every layer, so that what it draws lies on top of the room.
    DrawEventPass(room, ev_draw_end);
}

// Pops what handlers pushed and left on the stack above `depth`; true when there was any.
bool PopTo(RenderTargets& targets, size_t depth) {
    bool unbalanced = false;
    while (targets.Depth() > depth) {
        targets.Pop();
        unbalanced = true;
    }
    return unbalanced;
}

} // namespace

int32_t CurrentView() {
    return g_current_view;
}

int32_t& CursorSprite() {
    return g_cursor_sprite;
}

void DrawStage::Run(GraphicsContext& graphics, CRoom& room) {
    RenderTargets& targets = graphics.Targets();
    bool unbalanced = PopTo(targets, 0);
    int window_width = 0, window_height = 0;
    graphics.Device().DrawableSize(window_width, window_height);
    const TargetView window =
        WholeTarget(float(window_width), float(window_height), window_width, window_height);
    targets.SetView(window);

    const Surface* surface = PrepareSurface(graphics);
    // The window is cleared before the first Pre-draw handler runs, or else before Post-draw.
    bool clear_due = surface && room.clear_display;
    if (clear_due && !Objects().EventList(ev_draw, ev_draw_pre).empty()) {
        graphics.Clear(graphics.WindowColour(), 1);
        clear_due = false;
    }
    DrawEventPass(room, ev_draw_pre);
    unbalanced |= PopTo(targets, 0);

    // Surfaces made or freed by handlers may have moved or dropped it.
    surface = targets.Find(surface_);
    if (surface) {
        const int32_t width = surface->width, height = surface->height;
        targets.Push(surface_);
        DrawViews(graphics, room, width, height);
        unbalanced |= PopTo(targets, 1);
        targets.Pop();
    } else {
        DrawViews(graphics, room, window_width, window_height);
        unbalanced |= PopTo(targets, 0);
    }

    targets.SetView(window);
    if (clear_due) graphics.Clear(graphics.WindowColour(), 1);
    DrawEventPass(room, ev_draw_post);
    surface = targets.Find(surface_);
    if (surface) CopySurface(graphics, *surface, window_width, window_height);

    // GUI coordinates are window pixels.
    targets.SetView(window);
    DrawEventPass(room, ev_gui_begin);
    DrawEventPass(room, ev_gui);
    DrawEventPass(room, ev_gui_end);
    DrawCursor(graphics, targets.Find(surface_), window_width, window_height);

    unbalanced |= PopTo(targets, 0);
    if (unbalanced)
        ErrorOutput().Write(
            "Unbalanced surface stack. You MUST use surface_reset_target() for each set.\n");
}

const Surface* DrawStage::PrepareSurface(GraphicsContext& graphics) {
    RenderTargets& targets = graphics.Targets();
    if (context_ != &graphics) {
        context_ = &graphics;
        surface_ = -1;
    }
    if (!use_application_surface) {
        targets.Free(surface_);
        surface_ = -1;
        return nullptr;
    }
    if (!targets.Find(surface_))
        surface_ = targets.Create(graphics.ViewWidth(), graphics.ViewHeight());
    return targets.Find(surface_);
}

void DrawStage::DrawViews(GraphicsContext& graphics, CRoom& room, int surface_width,
                          int surface_height) {
    RenderTargets& targets = graphics.Targets();
    if (!room.views_enabled) {
        g_current_view = 0;
        targets.SetView(
            WholeTarget(float(room.width), float(room.height), surface_width, surface_height));
        DrawView(graphics, room);
        return;
    }
    if (room.clear_with_window_colour) graphics.Clear(graphics.WindowColour(), 1);
    for (const ViewRect& rect : VisibleViewRects(room)) {
        g_current_view = rect.view;
        const RoomView& view = room.views[size_t(rect.view)];
        targets.SetView({{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height},
                         view.port_x,
                         view.port_y,
                         view.port_width,
                         view.port_height});
        DrawView(graphics, room);
    }
}

WindowRect DrawStage::SurfaceRect(int surface_width, int surface_height, int window_width,
                                  int window_height) const {
    return keep_aspect ? FitSurfaceToWindow(surface_width, surface_height, window_width, window_height)
                       : WindowRect{0, 0, window_width, window_height};
}

void DrawStage::CopySurface(GraphicsContext& graphics, const Surface& surface, int window_width,
                            int window_height) const {
    const WindowRect to = SurfaceRect(surface.width, surface.height, window_width, window_height);
    const Placement placement{float(to.x), float(to.y), float(to.width) / float(surface.width),
                              float(to.height) / float(surface.height), 0};
    graphics.DrawImage(surface.Image(), 0, 0, placement, VertexColour(kWhiteColour, 1));
}

void DrawStage::DrawCursor(GraphicsContext& graphics, const Surface* surface, int window_width,
                           int window_height) const {
    const CSprite* cursor = GetSprite(CursorSprite());
    if (!cursor) return;
    PointF at = mouse;
    if (surface && surface->width > 0 && surface->height > 0) {
        const WindowRect to = SurfaceRect(surface->width, surface->height, window_width, window_height);
        at = {float(to.x) + at.x * float(to.width) / float(surface->width),
              float(to.y) + at.y * float(to.height) / float(surface->height)};
    }
    DrawSpriteFrame(graphics, *cursor, 0, {at.x, at.y, 1, 1, 0}, kWhiteColour, 1, ScaledReach(*cursor, 1, 1));
}
