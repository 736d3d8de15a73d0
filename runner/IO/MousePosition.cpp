#include "IO/MousePosition.h"

#include "Graphics/GraphicsContext.h"
#include "Platform/Window.h"
#include "Room/CRoom.h"
#include "Run/DrawStage.h"

ScreenLayout CurrentScreenLayout(const Window& window, const DrawStage& stage,
                                 const GraphicsContext* graphics) {
    ScreenLayout layout;
    window.ClientSize(layout.client_width, layout.client_height);
    window.DrawableSize(layout.drawable_width, layout.drawable_height);
    layout.surface_rect = {0, 0, layout.drawable_width, layout.drawable_height};
    layout.surface_width = layout.drawable_width;
    layout.surface_height = layout.drawable_height;
    if (!graphics || !stage.use_application_surface) return layout;
    layout.surface_width = graphics->ViewWidth();
    layout.surface_height = graphics->ViewHeight();
    layout.surface_rect = stage.SurfaceRect(layout.surface_width, layout.surface_height,
                                            layout.drawable_width, layout.drawable_height);
    return layout;
}

PointF WindowToPicture(const ScreenLayout& layout, double x, double y) {
    // Screen units to pixels: they differ on high-density displays.
    if (layout.client_width > 0) x *= double(layout.drawable_width) / layout.client_width;
    if (layout.client_height > 0) y *= double(layout.drawable_height) / layout.client_height;
    const WindowRect& rect = layout.surface_rect;
    if (rect.width <= 0 || rect.height <= 0) return {float(x), float(y)};
    return {float((x - rect.x) * layout.surface_width / rect.width),
            float((y - rect.y) * layout.surface_height / rect.height)};
}

PointF PictureToRoom(const CRoom& room, PointF point, int picture_width, int picture_height) {
    if (!room.views_enabled) {
        if (picture_width <= 0 || picture_height <= 0) return point;
        return {point.x * float(room.width) / float(picture_width),
                point.y * float(room.height) / float(picture_height)};
    }
    std::vector<ViewRect> rects = VisibleViewRects(room);
    if (rects.empty()) return point;
    const ViewRect* chosen = &rects.front();
    for (const ViewRect& rect : rects) {
        const RoomView& view = room.views[size_t(rect.view)];
        if (point.x >= float(view.port_x) && point.x < float(view.port_x + view.port_width) &&
            point.y >= float(view.port_y) && point.y < float(view.port_y + view.port_height)) {
            chosen = &rect;
            break;
        }
    }
    const RoomView& view = room.views[size_t(chosen->view)];
    if (view.port_width <= 0 || view.port_height <= 0) return point;
    return {chosen->x + (point.x - float(view.port_x)) * chosen->width / float(view.port_width),
            chosen->y + (point.y - float(view.port_y)) * chosen->height / float(view.port_height)};
}
