#include "RoomExits.h"

std::map<std::pair<int, int>, ExitRecord> ExitRecords(const RoomSource& room, RoomScreens screens,
                                                      const ExitTargetLookup& target) {
    std::map<std::pair<int, int>, ExitRecord> records;
    for (const ExitSource& exit : room.exits) {
        const ExitTarget to = target(exit.target_room, exit.spot);
        const int sc = exit.screen_column, sr = exit.screen_row;
        if (sc >= screens.columns || sr >= screens.rows)
            throw AssetError(exit.spot, "the room has no screen " + std::to_string(sc) + "," + std::to_string(sr));
        if (exit.target_column >= to.screens.columns || exit.target_row >= to.screens.rows)
            throw AssetError(exit.spot, exit.target_room + " has no screen " + std::to_string(exit.target_column) +
                                            "," + std::to_string(exit.target_row));
        ExitRecord record{to.room, exit.target_column, exit.target_row, 0};
        bool on_edge = true;
        switch (exit.edge) {
        case ExitSource::Edge::Right:
            on_edge = sc == screens.columns - 1;
            record.column = exit.target_column + sc;
            break;
        case ExitSource::Edge::Left:
            on_edge = sc == 0;
            record.column = exit.target_column + 1 + sc - screens.columns;
            break;
        case ExitSource::Edge::Bottom:
            on_edge = sr == screens.rows - 1;
            record.row = exit.target_row + sr;
            record.axis = 1;
            break;
        case ExitSource::Edge::Top:
            on_edge = sr == 0;
            record.row = exit.target_row + 1 + sr - screens.rows;
            record.axis = 1;
            break;
        }
        if (!on_edge) throw AssetError(exit.spot, "that edge of the screen is not an edge of the room");
        const auto [found, added] = records.emplace(std::pair{sc, sr}, record);
        if (!added && !(found->second == record))
            throw AssetError(exit.spot, "screen " + std::to_string(sc) + "," + std::to_string(sr) +
                                            " already has an exit that lands elsewhere");
    }
    return records;
}

std::pair<double, double> ExitArrival(const ExitRecord& record, double room_width, double room_height,
                                      int screen_width, int screen_height, int column, int row, double x, double y) {
    // The game wraps a player past the bottom only once beyond it, and past the right from it on.
    if (record.axis == 1) {
        if (y > room_height) y -= room_height;
        else if (y < 0) y += room_height;
    } else {
        if (x >= room_width) x -= room_width;
        else if (x < 0) x += room_width;
    }
    return {record.column * screen_width + (x - column * screen_width), record.row * screen_height + (y - row * screen_height)};
}
