#include "RoomChecks.h"

#include <cmath>

namespace {

std::string At(double x, double y) {
    return std::to_string(int(std::floor(x))) + "," + std::to_string(int(std::floor(y)));
}

std::string CellText(const Cell& cell) {
    return "cell " + std::to_string(cell.column) + "," + std::to_string(cell.row);
}

int CellOf(double pixel) {
    return int(std::floor(pixel / kCellSize));
}

// A place just past the exit's edge where the player can cross it.
struct Crossing {
    double x, y;
    std::string how;
};

std::vector<Crossing> CrossingsOf(const ExitSource& exit, const RoomCells& cells, int screen_width,
                                  int screen_height, const PlayerBox& standing) {
    std::vector<Crossing> crossings;
    const bool side = exit.edge == ExitSource::Edge::Left || exit.edge == ExitSource::Edge::Right;
    if (side) {
        const bool right = exit.edge == ExitSource::Edge::Right;
        const int column = right ? CellOf(cells.Width() - 1) : 0;
        const double centre = column * kCellSize + kCellSize / 2.0;
        for (int row = 1; row < cells.Rows(); ++row) {
            const double feet = row * kCellSize;
            if (int(feet) / screen_height != exit.screen_row) continue;
            if (cells.At(column, row) != CellKind::Solid) continue;
            if (cells.BoxMeets(standing, centre, feet, CellKind::Solid) || cells.BoxMeets(standing, centre, feet, CellKind::Hazard))
                continue;
            crossings.push_back({right ? double(cells.Width()) : -1.0, feet, "walking across at y " + std::to_string(int(feet))});
        }
        return crossings;
    }
    const bool bottom = exit.edge == ExitSource::Edge::Bottom;
    const int row = bottom ? CellOf(cells.Height() - 1) : 0;
    for (int column = 0; column < cells.Columns(); ++column) {
        const double centre = column * kCellSize + kCellSize / 2.0;
        if (int(centre) / screen_width != exit.screen_column || cells.At(column, row) == CellKind::Solid) continue;
        crossings.push_back({centre, bottom ? cells.Height() + 1.0 : -1.0,
                             std::string(bottom ? "falling" : "jumping") + " through at x " + std::to_string(int(centre))});
    }
    return crossings;
}

} // namespace

void CheckCheckpoints(const RoomSource& room, const RoomCells& cells, const PlayerBox& standing) {
    for (const InstanceSource& instance : room.instances) {
        if (instance.object != "oCheckpoint") continue;
        const std::string where = "the checkpoint at " + At(instance.x, instance.y);
        for (const CellKind kind : {CellKind::Solid, CellKind::Hazard})
            if (const auto cell = cells.BoxMeets(standing, instance.x, instance.y, kind))
                throw AssetError(instance.spot, where + " puts the player inside the " +
                                                    (kind == CellKind::Solid ? "block" : "hazard") + " at " +
                                                    CellText(*cell));
        const Cell ground{CellOf(instance.x), CellOf(instance.y)};
        if (cells.At(ground.column, ground.row) != CellKind::Solid)
            throw AssetError(instance.spot, where + " is not on ground: its y is the feet, and " + CellText(ground) +
                                                " there is not a block");
    }
}

void CheckExitArrivals(const RoomSource& room, const RoomCells& cells,
                       const std::map<std::pair<int, int>, ExitRecord>& records,
                       const std::function<const RoomCells&(int room)>& target_cells, int screen_width,
                       int screen_height, const PlayerBox& standing) {
    for (const ExitSource& exit : room.exits) {
        const ExitRecord& record = records.at({exit.screen_column, exit.screen_row});
        const RoomCells& target = target_cells(record.room);
        for (const Crossing& crossing : CrossingsOf(exit, cells, screen_width, screen_height, standing)) {
            const auto [x, y] = ExitArrival(record, cells.Width(), cells.Height(), screen_width, screen_height,
                                            exit.screen_column, exit.screen_row, crossing.x, crossing.y);
            if (const auto cell = target.BoxMeets(standing, x, y, CellKind::Solid))
                throw AssetError(exit.spot, crossing.how + " puts the player at " + At(x, y) + " in " +
                                                exit.target_room + ", inside the block at " + CellText(*cell));
        }
    }
}
