// Views and cameras: the views of the room record with their defaults, the view variables,
// the cameras made for them and their built-ins, the visible views' rectangles, cameras kept
// only by persistent rooms, and older projects without cameras.
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

#include "Code/RuntimeError.h"
#include "Room/CameraTable.h"
#include "Room/RoomFixture.h"

namespace {

using Rects = std::vector<std::vector<float>>;

class ViewTest : public RoomFixture {
protected:
    // Views on; view 0 shows (10, 20, 320, 180), view 1, hidden, (100, 0, 64, 48).
    int32_t AddViewRoom(const std::string& name, bool persistent) {
        const int32_t room = AddRoom(name, persistent);
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

    CallNamed(nullptr, "camera_get_view_x");
    CallNamed(nullptr, "camera_get_view_y", camera, 1);
    CallNamed(nullptr, "camera_set_view_pos", camera, 1);
    CallNamed(nullptr, "camera_set_view_size", camera, 1, 2, 3);
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "camera_get_view_x() - wrong number of arguments",
                                     "camera_get_view_y() - wrong number of arguments",
                                     "camera_set_view_pos() - wrong number of arguments",
                                     "camera_set_view_size() - wrong number of arguments",
                                 }));
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", camera), 50);
}

TEST_F(ViewTest, CamerasOutliveARoomOnlyWhenItIsPersistent) {
    const int32_t kept = AddViewRoom("rmKept", true);
    const int32_t fresh = AddViewRoom("rmFresh", false);
    Start();

    const std::vector<int32_t> kept_cameras = Cameras();
    CallNamed(nullptr, "camera_set_view_pos", kept_cameras[0], 300, 200);
    ChangeRoom(fresh);
    const std::vector<int32_t> fresh_cameras = Cameras();
    for (int32_t id : fresh_cameras)
        EXPECT_EQ(std::count(kept_cameras.begin(), kept_cameras.end(), id), 0) << id;

    ChangeRoom(kept);
    EXPECT_EQ(Cameras(), kept_cameras);
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", kept_cameras[0]), 300);
    for (int32_t id : fresh_cameras)
        EXPECT_EQ(GetCamera(id), nullptr) << id;

    // The plain room gets new cameras from its record on its next visit.
    ChangeRoom(fresh);
    EXPECT_EQ(CallNamed(nullptr, "camera_get_view_x", Global("view_camera", 0)), 10);
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

} // namespace
