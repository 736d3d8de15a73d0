// Legacy backgrounds from the room record, and their scrolling.
#include "Room/RoomBackgrounds.h"

#include <algorithm>

#include "Room/CRoom.h"
#include "Room/RunningRooms.h"
#include "Room/TileSetTable.h"

void LoadRoomBackgrounds(CRoom& room, const PackageRoom& record) {
    const size_t count = std::min(record.backgrounds.size(), room.backgrounds.size());
    for (size_t i = 0; i < count; ++i) {
        const package::RoomBackgroundRecord& source = record.backgrounds[i];
        RoomBackground& background = room.backgrounds[i];
        background.visible = source.visible != 0;
        background.foreground = source.foreground != 0;
        background.tile_set = source.background;
        background.x = float(source.x);
        background.y = float(source.y);
        background.tile_x = source.tile_horizontally != 0;
        background.tile_y = source.tile_vertically != 0;
        background.speed_x = float(source.speed_x);
        background.speed_y = float(source.speed_y);
        background.stretch = source.stretch != 0;
        const TileSet* image = GetTileSet(source.background);
        if (background.stretch && image && image->width > 0 && image->height > 0) {
            background.scale_x = float(room.width) / float(image->width);
            background.scale_y = float(room.height) / float(image->height);
        }
    }
}

void ScrollRoomBackgrounds() {
    CRoom* room = CurrentRoom();
    if (!room) return;
    for (RoomBackground& background : room->backgrounds) {
        background.x += background.speed_x;
        background.y += background.speed_y;
    }
}
