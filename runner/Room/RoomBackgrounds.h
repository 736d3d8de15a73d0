// The eight legacy backgrounds of a running room: tile set images placed, tiled or stretched
// behind (or in front of) the room, each scrolling by its own speed once a frame.
#pragma once

#include <cstdint>

#include "Package/PackageRoom.h"

class CRoom;

struct RoomBackground {
    bool visible = false;
    bool foreground = false;
    int32_t tile_set = -1;
    float x = 0;
    float y = 0;
    bool tile_x = true;
    bool tile_y = true;
    float speed_x = 0;
    float speed_y = 0;
    bool stretch = false;
    float scale_x = 1;
    float scale_y = 1;
    uint32_t blend = 0xFFFFFF;
    float alpha = 1;
};

// Copies the record's backgrounds; a stretched one is scaled to cover the room.
void LoadRoomBackgrounds(CRoom& room, const PackageRoom& record);
// The "Scroll" stage: each background of the running room moves by its speeds.
void ScrollRoomBackgrounds();
