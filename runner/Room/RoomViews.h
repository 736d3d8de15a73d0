// The eight views of a running room, the cameras made for them in new projects, and the view
// rectangles that outside-view and view-boundary events test against.
#pragma once

#include <cstdint>
#include <vector>

#include "Package/PackageRoom.h"

class CRoom;

struct RoomView {
    bool visible = false;
    float x = 0;
    float y = 0;
    float width = 640;
    float height = 480;
    int32_t port_x = 0;
    int32_t port_y = 0;
    int32_t port_width = 640;
    int32_t port_height = 480;
    int32_t border_x = 32;
    int32_t border_y = 32;
    int32_t speed_x = -1;
    int32_t speed_y = -1;
    int32_t follow = -1; // object index
    int32_t camera = -1;
};

// Copies the record's views and, for a new project, makes each view's camera from them.
void LoadRoomViews(CRoom& room, const PackageRoom& record);
// Destroys the cameras of the room's views, when the room itself goes.
void ReleaseViewCameras(CRoom& room);

// A visible view's rectangle in room coordinates: its camera's when it has one.
struct ViewRect {
    int32_t view; // 0 to 7
    float x;
    float y;
    float width;
    float height;
};
// The visible views of the room in view order; none while the room's views are off.
std::vector<ViewRect> VisibleViewRects(const CRoom& room);
