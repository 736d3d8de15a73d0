// Rooms as the packer reads them: the map's cells into instances (runs merged where the legend
// allows), listed instances with their creation code, and exits whose records land the player on
// the named screen by the game's own room-edge rule.
#include <cmath>
#include <gtest/gtest.h>

#include "RoomExits.h"

namespace {

constexpr int kScreenWidth = 320, kScreenHeight = 180;

RoomSource Read(std::string_view text) {
    return ReadRoom(AssetDocument::Parse(text, "r.room"), "rmTest", kScreenWidth, kScreenHeight);
}

struct Placed {
    std::string object;
    int x, y, scale_x, scale_y;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> PlacedOf(const RoomSource& room) {
    std::vector<Placed> placed;
    for (const InstanceSource& instance : room.instances)
        placed.push_back({instance.object, instance.x, instance.y, instance.scale_x, instance.scale_y});
    return placed;
}

// Where the game puts a player who crosses a room edge at (x, y), seen by the camera on screen
// (camera_column, camera_row), given the screen's exit record: its rule, written out.
std::pair<double, double> CrossEdge(double x, double y, const RoomSource& room, int camera_column,
                                    int camera_row, const ExitRecord& record) {
    if (record.axis == 1) {
        if (y > room.height) y -= room.height;
        if (y < 0) y += room.height;
    } else {
        if (x >= room.width) x -= room.width;
        if (x < 0) x += room.width;
    }
    return {record.column * kScreenWidth + (x - camera_column * kScreenWidth),
            record.row * kScreenHeight + (y - camera_row * kScreenHeight)};
}

} // namespace

// Lines indented below an instance are its script.
TEST(PackerRoom, MapRunsMergeWhereTheLegendStretchesThemAndInstancesTakeTheirCode) {
    const RoomSource room = Read(R"(screens 2 1
legend
  X oBlock stretch
  ^ oSpike stretch
  c oCheckpoint
map
  XXX..cc.^^
  XXX..X..^
  XXXX......
instances
  oNPC 100 -8 script = "Say \"hi\"" hamp = 32 speed = -1.5
  oNPC 8 8 flip = 1
    !if flag_met
      Hello again.
    !fi
    Merry Snowtide!
  oPresent 40 8
)");
    EXPECT_EQ(room.width, 640);
    EXPECT_EQ(room.height, 180);
    const std::vector<Placed> expected = {
        {"oBlock", 0, 0, 3, 2},   // rows 0 and 1 repeat the run; row 2's is longer
        {"oCheckpoint", 80, 0, 1, 1}, {"oCheckpoint", 96, 0, 1, 1}, // one a cell
        {"oSpike", 128, 0, 2, 1}, {"oBlock", 80, 16, 1, 1}, {"oSpike", 128, 16, 1, 1},
        {"oBlock", 0, 32, 4, 1},  {"oNPC", 100, -8, 1, 1}, {"oNPC", 8, 8, 1, 1},
        {"oPresent", 40, 8, 1, 1}};
    EXPECT_EQ(PlacedOf(room), expected);
    const std::vector<InstanceAssignment>& code = room.instances[7].assignments;
    ASSERT_EQ(code.size(), 3u);
    EXPECT_EQ(code[0].value, "Say \"hi\"");
    EXPECT_TRUE(code[0].text);
    EXPECT_EQ(code[1].name, "hamp");
    EXPECT_EQ(code[2].value, "-1.5");
    EXPECT_FALSE(code[2].text);
    const std::vector<InstanceAssignment>& script = room.instances[8].assignments;
    ASSERT_EQ(script.size(), 2u);
    EXPECT_EQ(script[1].name, "script");
    EXPECT_TRUE(script[1].text);
    EXPECT_EQ(script[1].value, "!if flag_met\r\n  Hello again.\r\n!fi\r\nMerry Snowtide!");
    EXPECT_TRUE(room.instances[9].assignments.empty());
}

TEST(PackerRoom, EveryExitLandsOnTheScreenItNames) {
    // A 6 x 2 world whose edges lead to screens of a 3 x 3 room, and back.
    const RoomSource world = Read(R"(screens 6 2
exits
  right edge of screen 5,1 -> rmOther 0,1
  left edge of screen 0,0 -> rmOther 2,0
  bottom edge of screen 3,1 -> rmOther 1,0
  top edge of screen 2,0 -> rmOther 1,2
)");
    const RoomSource other = Read("screens 3 3\nexits\n  left edge of screen 0,1 -> rmWorld 5,1\n");
    const ExitTargetLookup lookup = [&](const std::string& name, const SourceSpot& spot) {
        if (name == "rmWorld") return ExitTarget{4, {6, 2}};
        if (name == "rmOther") return ExitTarget{5, {3, 3}};
        throw AssetError(spot, "no room named " + name);
    };
    struct Crossing {
        const RoomSource* room;
        RoomScreens screens;
        int column, row;   // the screen the player leaves
        double x, y;       // where the step takes the player, just past the edge
        int to_column, to_row;
    };
    const Crossing crossings[] = {
        {&world, {6, 2}, 5, 1, 6 * 320 + 2, 180 + 50, 0, 1},
        {&world, {6, 2}, 0, 0, -2, 50, 2, 0},
        {&world, {6, 2}, 3, 1, 3 * 320 + 10, 2 * 180 + 3, 1, 0},
        {&world, {6, 2}, 2, 0, 2 * 320 + 10, -3, 1, 2},
        {&other, {3, 3}, 0, 1, -1, 180 + 90, 5, 1},
    };
    for (const Crossing& crossing : crossings) {
        const auto records = ExitRecords(*crossing.room, crossing.screens, lookup);
        const ExitRecord& record = records.at({crossing.column, crossing.row});
        const auto [x, y] = CrossEdge(crossing.x, crossing.y, *crossing.room, crossing.column, crossing.row, record);
        // The packer's level checks follow the player through the same rule.
        EXPECT_EQ(ExitArrival(record, crossing.room->width, crossing.room->height, kScreenWidth, kScreenHeight,
                              crossing.column, crossing.row, crossing.x, crossing.y),
                  std::pair(x, y));
        EXPECT_EQ(int(std::floor(x / kScreenWidth)), crossing.to_column) << crossing.column << "," << crossing.row;
        EXPECT_EQ(int(std::floor(y / kScreenHeight)), crossing.to_row) << crossing.column << "," << crossing.row;
        // Just inside the screen along the way the player went; the other way unchanged.
        const double along = record.axis == 0 ? x - crossing.to_column * kScreenWidth : y - crossing.to_row * kScreenHeight;
        const double size = record.axis == 0 ? kScreenWidth : kScreenHeight;
        EXPECT_LT(std::min(along, size - along), 16);
        if (record.axis == 0) {
            EXPECT_EQ(y - crossing.to_row * kScreenHeight, crossing.y - crossing.row * kScreenHeight);
        } else {
            EXPECT_EQ(x - crossing.to_column * kScreenWidth, crossing.x - crossing.column * kScreenWidth);
        }
    }
    EXPECT_EQ(ExitRecords(world, {6, 2}, lookup).at({5, 1}), (ExitRecord{5, 5, 1, 0}));
}
