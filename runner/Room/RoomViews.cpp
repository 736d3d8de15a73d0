// Views from the room record, their cameras, and the visible views' rectangles.
#include "Room/RoomViews.h"

#include <algorithm>

#include "Base/RunnerState.h"
#include "Room/CRoom.h"
#include "Room/CameraTable.h"

void LoadRoomViews(CRoom& room, const PackageRoom& record) {
    room.views_enabled = record.views_enabled;
    const size_t count = std::min(record.views.size(), room.views.size());
    for (size_t i = 0; i < count; ++i) {
        const package::RoomViewRecord& source = record.views[i];
        RoomView& view = room.views[i];
        view.visible = source.enabled != 0;
        view.x = float(source.view_x);
        view.y = float(source.view_y);
        view.width = float(source.view_width);
        view.height = float(source.view_height);
        view.port_x = source.port_x;
        view.port_y = source.port_y;
        view.port_width = source.port_width;
        view.port_height = source.port_height;
        view.border_x = source.border_x;
        view.border_y = source.border_y;
        view.speed_x = source.speed_x;
        view.speed_y = source.speed_y;
        view.follow = source.follow;
    }
    if (Runner().major_version < 2) return;
    for (RoomView& view : room.views)
        view.camera = CreateCamera(view.x, view.y, view.width, view.height);
}

void ReleaseViewCameras(CRoom& room) {
    for (RoomView& view : room.views) {
        DestroyCamera(view.camera);
        view.camera = -1;
    }
}

std::vector<ViewRect> VisibleViewRects(const CRoom& room) {
    std::vector<ViewRect> rects;
    if (!room.views_enabled) return rects;
    for (size_t i = 0; i < room.views.size(); ++i) {
        const RoomView& view = room.views[i];
        if (!view.visible) continue;
        if (const CCamera* camera = GetCamera(view.camera))
            rects.push_back({int32_t(i), camera->x, camera->y, camera->width, camera->height});
        else
            rects.push_back({int32_t(i), view.x, view.y, view.width, view.height});
    }
    return rects;
}
