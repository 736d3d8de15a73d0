// Rooms as the game's code changes them: layers, tile maps and views, with the message each
// wrong call prints, and what a persistent room keeps of them.
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>

#include "CaseTable.h"
#include "Code/RuntimeError.h"
#include "Object/InstanceLifecycle.h"
#include "Room/CameraTable.h"
#include "Room/RoomFixture.h"
#include "Variable/CInstance.h"

namespace {

std::string HexName(int32_t id) {
    char text[32];
    std::snprintf(text, sizeof text, "_layer_%x", unsigned(id));
    return text;
}

using package::kTileFlip;
using package::kTileMirror;
using package::kTileRotate;

class LayerTest : public RoomFixture {
protected:
    void SetUp() override {
        RoomFixture::SetUp();
        AddTileSet(8, 32, 16);
    }

    // A room with instances on layer 20 (one of `object`) and a tile map of tile set 0 on 40.
    int32_t AddLayeredRoom(const std::string& name, bool persistent, int32_t object) {
        const int32_t room = AddRoom(name, persistent);
        const uint32_t instance = uint32_t(AddInstance(room, object, 16, 16));
        AddLayer(room, 20, package::kLayerInstances, 0).instance_ids = {instance};
        RoomLayer& tiles = AddLayer(room, 40, package::kLayerTiles, 100);
        tiles.name = Text("Tiles");
        tiles.tile_map = {0, 3, 2, {1, 2, 3, 4, 5, 6}};
        return room;
    }
};

TEST_F(LayerTest, PackageLayersBecomeElementsInDepthOrderAndMoveEachFrame) {
    PackageSprite sprite;
    sprite.name = Text("sBack");
    sprite.width = sprite.height = 4;
    sprite.frames = {-1, -1, -1, -1};
    package_.sprites.emplace_back(sprite);
    const int32_t tile_set = 0; // the fixture's
    const int32_t room = AddLayeredRoom("rmLayers", false, AddObject("oThing"));
    RoomLayer& per_frame = AddLayer(room, 10, package::kLayerBackground, 200);
    per_frame.x_offset = 5;
    per_frame.speed_x = 1.5f;
    per_frame.speed_y = -2;
    per_frame.background = {1, 0, 0, 1, 0, 0, 0x80112233, 1, 1, 1};
    RoomLayer& per_second = AddLayer(room, 11, package::kLayerBackground, 300);
    per_second.background = {1, 0, 0, 0, 0, 0, 0xFFFFFFFF, 0, 30, 0};
    RoomLayer& assets = AddLayer(room, 30, package::kLayerAssets, -100);
    assets.asset_tiles = {{1, 2, tile_set, 0, 0, 8, 8, -100, 7, 1, 1, 0xFFFFFFFF}};
    assets.asset_sprites = {{Text("spr"), 0, 3, 4, 1, 1, 0xFFFFFFFF, 1, 0, 0, 0}};
    package_.rooms[size_t(room)]->backgrounds = {{1, 0, tile_set, 5, 6, 1, 0, 2, -3, 1}};
    Start();

    CRoom& running = *CurrentRoom();
    std::vector<int32_t> ids;
    std::vector<int32_t> element_ids;
    for (const CLayer& layer : running.layers) {
        ids.push_back(layer.id);
        for (const LayerElement& element : layer.elements)
            element_ids.push_back(element.id);
    }
    EXPECT_EQ(ids, (std::vector<int32_t>{30, 20, 40, 10, 11}));
    ASSERT_EQ(element_ids.size(), 6u);
    EXPECT_EQ(std::set<int32_t>(element_ids.begin(), element_ids.end()).size(), 6u);

    const CLayer& asset_layer = running.layers[0];
    ASSERT_EQ(asset_layer.elements.size(), 2u);
    EXPECT_EQ(std::get<package::LegacyTileRecord>(asset_layer.elements[0].asset).id, 7u);
    EXPECT_EQ(std::get<SpriteElement>(asset_layer.elements[1].asset).x, 3);
    ASSERT_EQ(running.layers[1].elements.size(), 1u);
    EXPECT_EQ(running.layers[1].elements[0].instance->id, 100001);
    EXPECT_EQ(std::get<TileMapElement>(running.layers[2].elements[0].asset).map.cells[4], 5u);
    const auto& background = std::get<BackgroundElement>(running.layers[3].elements[0].asset);
    EXPECT_EQ(std::tuple(background.blend, background.alpha, background.frame),
              std::tuple(0x112233u, 128.0f / 255.0f, 1.f));
    EXPECT_EQ(std::pair(running.backgrounds[0].scale_x, running.backgrounds[0].scale_y),
              std::pair(20.f, 30.f));

    RunFrames(3);
    EXPECT_EQ(std::pair(running.layers[3].x_offset, running.layers[3].y_offset),
              std::pair(9.5f, -6.f));
    // One frame a game frame wraps past the fourth frame; 30 a second at 60 is half a frame.
    EXPECT_EQ((std::vector{running.layers[0].x_offset, background.frame,
                           std::get<BackgroundElement>(running.layers[4].elements[0].asset).frame}),
              (std::vector<float>{0, 0, 1.5f}));
    EXPECT_EQ(std::pair(running.backgrounds[0].x, running.backgrounds[0].y), std::pair(11.f, -3.f));
}

TEST_F(LayerTest, LayersMadeAtRunTimeOrForAnInstancesDepthAreNamedAfterTheirIds) {
    const int32_t thing = AddObject("oThing");
    AddLayeredRoom("rmLayers", false, thing);
    RuntimeErrorCapture errors;
    Start();
    CRoom& running = *CurrentRoom();
    // Instances go on their layer, or one at their depth made when missing.
    EXPECT_EQ(FindInstanceById(100001)->layer, 20);
    const auto on_tiles = int32_t(CallNamed(nullptr, "instance_create_depth", 0, 0, 100, thing));
    EXPECT_EQ(FindInstanceById(on_tiles)->layer, 40);
    const auto on_new = int32_t(CallNamed(nullptr, "instance_create_depth", 0, 0, 55.7, thing));
    const CLayer* at_depth = running.FindLayer(FindInstanceById(on_new)->layer);
    ASSERT_NE(at_depth, nullptr);
    EXPECT_EQ(std::tuple(at_depth->depth, at_depth->name, at_depth->elements.size()),
              std::tuple(55, HexName(at_depth->id), size_t{1}));
    EXPECT_EQ(at_depth->elements[0].instance->id, on_new);

    const int32_t made = int32_t(CallNamed(nullptr, "layer_create", 100));
    EXPECT_GT(made, 40);
    const int32_t named = int32_t(CallNamed(nullptr, "layer_create", 100, "Front"));
    EXPECT_EQ(named, made + 1);
    ASSERT_NE(running.FindLayer(made), nullptr);
    EXPECT_EQ(running.FindLayer(made)->name, HexName(made));
    EXPECT_EQ(running.FindLayer("Front")->id, named);
    // Layers of equal depth keep the order they were added in.
    std::vector<int32_t> at_100;
    for (const CLayer& layer : running.layers)
        if (layer.depth == 100) at_100.push_back(layer.id);
    EXPECT_EQ(at_100, (std::vector<int32_t>{40, made, named}));

    CallNamed(nullptr, "layer_set_visible", "Front", 0);
    CallNamed(nullptr, "layer_set_visible", made, 0);
    CallNamed(nullptr, "layer_set_visible", made, 1);
    EXPECT_FALSE(running.FindLayer(named)->visible);
    EXPECT_TRUE(running.FindLayer(made)->visible);
    EXPECT_TRUE(errors.Empty());
}

// The layered room: instances on layer 20, the tile map on 40, "Tiles".
class TileMapTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        AddLayeredRoom("rmTiles", false, AddObject("oThing"));
        Start();
    }

    static const std::vector<uint32_t>& Cells(int32_t element_id) {
        return FindTileMap(*CurrentRoom(), element_id)->map.cells;
    }

    RuntimeErrorCapture errors_;
};

TEST_F(TileMapTest, CellFlagBitsAreSetAboveHalfAndClearedOtherwise) {
    const double flipped = CallNamed(nullptr, "tile_set_flip", 5, 1);
    EXPECT_EQ(flipped, 5 + kTileFlip);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_flip", flipped, 0), 5);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_mirror", 5, 0.6), 5 + kTileMirror);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_rotate", 5 + kTileRotate + kTileFlip, 0.5),
              5 + kTileFlip);
    EXPECT_EQ(CallNamed(nullptr, "tile_set_rotate", 5, 1), 5 + kTileRotate);
    EXPECT_TRUE(errors_.Empty());
}

TEST_F(TileMapTest, TileMapsAreMadeOnALayerByIdOrName) {
    const int32_t package_map = FirstElementId("Tiles");
    const auto by_name =
        int32_t(CallNamed(nullptr, "layer_tilemap_create", "Layer20", 16, 24, 0, 4, 2));
    const auto by_id = int32_t(CallNamed(nullptr, "layer_tilemap_create", 20, 0, 0, 0, 1, 1));
    EXPECT_GT(by_name, package_map);
    EXPECT_EQ(by_id, by_name + 1);
    const TileMapElement& made = *FindTileMap(*CurrentRoom(), by_name);
    EXPECT_EQ(std::tuple(made.x, made.y, made.map.width, made.map.height),
              std::tuple(16.f, 24.f, 4u, 2u));
    EXPECT_EQ(made.map.cells, std::vector<uint32_t>(8, 0));
    EXPECT_EQ(CurrentRoom()->FindLayer(20)->elements.size(), 3u); // and the instance
    EXPECT_TRUE(errors_.Empty());
}

TEST_F(TileMapTest, CellsAreSetInsideTheMapAndWithinTheTileSetOrClearedAll) {
    const int32_t map = FirstElementId("Tiles");
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 7 + kTileFlip, 2, 1), 1);
    EXPECT_EQ(Cells(map), (std::vector<uint32_t>{1, 2, 3, 4, 5, 7 + kTileFlip}));

    // Cells outside the map are ignored without a word.
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 3, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 0, -1), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 1, 0, 2), 0);
    EXPECT_EQ(error_output_, "");

    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 8 + kTileMirror, 0, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map + 1000, 1, 0, 0), 0);
    const auto empty = int32_t(CallNamed(nullptr, "layer_tilemap_create", 20, 0, 0, 0, 0, 3));
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", empty, 1, 0, 0), 0);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_clear", map + 1000, 0), 0);
    EXPECT_EQ(Cells(map), (std::vector<uint32_t>{1, 2, 3, 4, 5, 7 + kTileFlip}));
    EXPECT_EQ(error_output_, "tilemap_set() - tile index outside tile set size\n"
                             "tilemap_set() - couldn't find specified tilemap\n"
                             "tilemap_set() - tilemap is 0 by 0, not setting anything\n"
                             "tilemap_clear() - couldn't find specified tilemap\n");

    EXPECT_EQ(CallNamed(nullptr, "tilemap_clear", map, 2 + kTileRotate), 1);
    EXPECT_EQ(Cells(map), std::vector<uint32_t>(6, 2 + kTileRotate));
    EXPECT_TRUE(errors_.Empty());
}

using Rects = std::vector<std::vector<float>>;

class ViewTest : public LayerTest {
protected:
    // Views on; view 0 shows (10, 20, 320, 180), view 1, hidden, (100, 0, 64, 48).
    int32_t AddViewRoom(const std::string& name, bool persistent) {
        return AddViews(AddRoom(name, persistent));
    }
    int32_t AddViews(int32_t room) {
        PackageRoom& record = *package_.rooms[size_t(room)];
        record.views_enabled = true;
        record.views = {{1, 10, 20, 320, 180, 0, 0, 640, 360, 8, 9, 4, 5, -1},
                        {0, 100, 0, 64, 48, 0, 0, 64, 48, 32, 32, -1, -1, -1}};
        return room;
    }

    static std::vector<int32_t> Cameras() {
        std::vector<int32_t> ids;
        for (const RoomView& view : CurrentRoom()->views)
            ids.push_back(view.camera);
        return ids;
    }

    // Each visible view as (view, x, y, width, height).
    static Rects VisibleRects() {
        Rects rects;
        for (const ViewRect& r : VisibleViewRects(*CurrentRoom()))
            rects.push_back({float(r.view), r.x, r.y, r.width, r.height});
        return rects;
    }
};

TEST_F(ViewTest, ViewsComeFromTheRecordWithCamerasMadeFromThem) {
    AddViewRoom("rmViews", false);
    RuntimeErrorCapture errors;
    Start();

    EXPECT_EQ(CurrentRoom()->views[0].port_height, 360);
    const RoomView& left_out = CurrentRoom()->views[5];
    EXPECT_EQ(std::tuple(left_out.width, left_out.border_x, left_out.speed_y),
              std::tuple(640.f, 32, -1));
    // Indices outside 0 to 7 read view 0.
    EXPECT_EQ((std::vector{Global("view_enabled"), Global("view_visible", 1),
                           Global("view_visible", 8), Global("view_visible", -1)}),
              (std::vector<double>{1, 0, 1, 1}));
    const std::vector<int32_t> cameras = Cameras();
    EXPECT_GE(*std::min_element(cameras.begin(), cameras.end()), 0);
    EXPECT_EQ(std::set<int32_t>(cameras.begin(), cameras.end()).size(), cameras.size());

    const double camera = Global("view_camera", 12);
    EXPECT_EQ(camera, Global("view_camera", 0));
    EXPECT_EQ((std::vector{CallNamed(nullptr, "camera_get_view_x", camera),
                           CallNamed(nullptr, "camera_get_view_y", camera),
                           CallNamed(nullptr, "camera_get_view_x", 999)}),
              (std::vector<double>{10, 20, -1}));
    GetCamera(int32_t(camera))->changed = false;
    CallNamed(nullptr, "camera_set_view_pos", camera, 50, 60);
    EXPECT_TRUE(GetCamera(int32_t(camera))->changed);
    CallNamed(nullptr, "camera_set_view_size", camera, 160, 90);
    CallNamed(nullptr, "camera_set_view_pos", 999, 1, 1);
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_y", camera), 60);
    EXPECT_EQ(VisibleRects(), (Rects{{0, 50, 60, 160, 90}}));

    // A view without a camera shows its own rectangle.
    SetGlobal("view_visible", 1, 1);
    CallNamed(nullptr, "camera_set_view_pos", Global("view_camera", 1), 7, 7);
    SetGlobal("view_camera", -1, 1);
    EXPECT_EQ(VisibleRects(), (Rects{{0, 50, 60, 160, 90}, {1, 100, 0, 64, 48}}));
    SetGlobal("view_enabled", 0);
    EXPECT_EQ(VisibleRects(), Rects{});
    EXPECT_TRUE(errors.Empty());
    CallNamed(nullptr, "camera_set_view_pos", camera, 1); // refused: the view stays
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", camera), 50);
}

TEST_F(ViewTest, OlderProjectsHaveNoCamerasAndLayersThatStayPut) {
    package_.header.major_version = 1;
    const int32_t room = AddViewRoom("rmOld", false);
    AddLayer(room, 1, package::kLayerInstances, 0).speed_x = 3;
    Start();

    EXPECT_EQ(Cameras(), std::vector<int32_t>(8, -1));
    EXPECT_EQ(VisibleRects(), (Rects{{0, 10, 20, 320, 180}}));
    RunFrames(2);
    EXPECT_EQ(CurrentRoom()->FindLayer(1)->x_offset, 0);
}

// Each wrong call of data/refused_calls.txt raises its own error.
TEST_F(ViewTest, WrongCallsRaiseTheirErrorAndReturnTheirResult) {
    AddViews(AddLayeredRoom("rmWrong", false, AddObject("oThing")));
    RuntimeErrorCapture errors;
    Start();
    const auto cases = ReadCaseTable(TEST_SOURCE_DIR "/Room/data/refused_calls.txt");
    EXPECT_EQ(cases.size(), 15u);
    for (const TextCase& c : cases) {
        std::vector<ScopedRValue> values;
        for (size_t i = 3; i < c.fields.size(); ++i) values.push_back(ValueOf(c.fields[i]));
        std::vector<RValue*> args;
        for (ScopedRValue& value : values) args.push_back(&value);
        ScopedRValue result;
        const char* name = c.fields[0].c_str();
        CallBuiltin(nullptr, nullptr, result, int(args.size()), FindBuiltin(name), args.data());
        if (c.fields[1] != "-") { EXPECT_EQ(Shown(result), c.fields[1]) << c.line; }
        EXPECT_EQ(errors.Messages(), std::vector<std::string>{c.fields[0] + "() - " + c.fields[2]})
            << c.line;
        errors.Clear();
    }
}

// Persistent rooms keep the layers, tile maps and cameras the game added or changed; plain
// rooms are built anew.
TEST_F(ViewTest, PersistentRoomsKeepTheLayersTileMapsAndCamerasTheGameAdded) {
    const int32_t thing = AddObject("oThing");
    const int32_t kept = AddViews(AddLayeredRoom("rmKept", true, thing));
    const int32_t fresh = AddViews(AddLayeredRoom("rmFresh", false, thing));
    RuntimeErrorCapture errors;
    Start();
    const std::vector<int32_t> kept_cameras = Cameras();
    CallNamed(nullptr, "camera_set_view_pos", kept_cameras[0], 300, 200);

    CallNamed(nullptr, "layer_create", 50, "Made");
    const auto map = int32_t(CallNamed(nullptr, "layer_tilemap_create", "Made", 0, 0, 0, 4, 4));
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 3, 1, 1), 1);
    CallNamed(nullptr, "tilemap_set", FirstElementId("Tiles"), 7, 0, 0);

    ChangeRoom(fresh);
    const std::vector<int32_t> fresh_cameras = Cameras();
    for (int32_t id : fresh_cameras)
        EXPECT_EQ(std::count(kept_cameras.begin(), kept_cameras.end(), id), 0) << id;
    CallNamed(nullptr, "layer_create", 60, "Gone");
    CallNamed(nullptr, "tilemap_set", FirstElementId("Tiles"), 7, 0, 0);
    SetLayerTargetRoom(kept);
    CallNamed(nullptr, "layer_create", 70, "Remote");
    SetLayerTargetRoom(-1);
    EXPECT_EQ(CurrentRoom()->FindLayer("Remote"), nullptr);

    ChangeRoom(kept);
    CRoom& back = *CurrentRoom();
    ASSERT_NE(back.FindLayer("Made"), nullptr);
    ASSERT_NE(back.FindLayer("Remote"), nullptr);
    EXPECT_EQ(FindTileMap(back, map)->map.cells[5], 3u);
    EXPECT_EQ(FindTileMap(back, FirstElementId("Tiles"))->map.cells[0], 7u);
    EXPECT_EQ(CallNamed(nullptr, "tilemap_set", map, 4, 2, 2), 1);
    EXPECT_EQ(Cameras(), kept_cameras);
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", kept_cameras[0]), 300);
    for (int32_t id : fresh_cameras)
        EXPECT_EQ(GetCamera(id), nullptr) << id;

    // The plain room has no running copy to target.
    SetLayerTargetRoom(fresh);
    EXPECT_EQ(CallNamed(nullptr, "layer_create", 80), -1);
    SetLayerTargetRoom(-1);
    ChangeRoom(fresh);
    EXPECT_EQ(CurrentRoom()->FindLayer("Gone"), nullptr);
    EXPECT_EQ(FindTileMap(*CurrentRoom(), FirstElementId("Tiles"))->map.cells[0], 1u);
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", Global("view_camera", 0)), 10);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>{"layer_create() - can't create layer"});
}

} // namespace
