// From the window to the room: pixel density, the letterbox around the application surface,
// and the room's views.
#include <gtest/gtest.h>

#include "IO/MousePosition.h"
#include "IO/MouseState.h"
#include "Room/CRoom.h"

namespace {

// A 1000x600 window shows a 320x180 surface at 3x, 960x540, from (20, 30).
ScreenLayout Letterboxed(int client_width, int client_height) {
    ScreenLayout layout;
    layout.client_width = client_width;
    layout.client_height = client_height;
    layout.drawable_width = 1000;
    layout.drawable_height = 600;
    layout.surface_width = 320;
    layout.surface_height = 180;
    layout.surface_rect = FitSurfaceToWindow(320, 180, 1000, 600);
    return layout;
}

TEST(MousePositionTest, WindowToPictureThroughTheLetterbox) {
    const ScreenLayout layout = Letterboxed(1000, 600);
    ASSERT_EQ(layout.surface_rect, (WindowRect{20, 30, 960, 540}));
    EXPECT_EQ(WindowToPicture(layout, 20, 30), (PointF{0, 0}));
    EXPECT_EQ(WindowToPicture(layout, 20 + 3 * 100, 30 + 3 * 50), (PointF{100, 50}));
    EXPECT_EQ(WindowToPicture(layout, 0, 0), (PointF{-20.f / 3, -10})) << "the bars lie outside";
    // A high-density display: events in half the pixels.
    EXPECT_EQ(WindowToPicture(Letterboxed(500, 300), 10 + 150, 15 + 75), (PointF{100, 50}));
}

TEST(MousePositionTest, PictureToRoomThroughTheViews) {
    CRoom room;
    room.width = 640;
    room.height = 360;
    EXPECT_EQ(PictureToRoom(room, {100, 50}, 320, 180), (PointF{200, 100}))
        << "no views: the whole room";

    room.views_enabled = true;
    EXPECT_EQ(PictureToRoom(room, {100, 50}, 320, 180), (PointF{100, 50})) << "no view visible";
    // Two views side by side, each over half the surface.
    room.views[0] = {.visible = true, .x = 1000, .y = 500, .width = 160, .height = 180,
                     .port_x = 0, .port_y = 0, .port_width = 160, .port_height = 180};
    room.views[1] = {.visible = true, .x = 0, .y = 0, .width = 80, .height = 90,
                     .port_x = 160, .port_y = 0, .port_width = 160, .port_height = 180};
    EXPECT_EQ(PictureToRoom(room, {100, 50}, 320, 180), (PointF{1100, 550}));
    EXPECT_EQ(PictureToRoom(room, {200, 50}, 320, 180), (PointF{20, 25}))
        << "the second view's port";
    EXPECT_EQ(PictureToRoom(room, {-20, 50}, 320, 180), (PointF{980, 550}))
        << "outside: the first view";
}

TEST(MousePositionTest, ButtonsAcrossSteps) {
    MouseState mouse;
    const ScreenLayout layout = Letterboxed(1000, 600);
    mouse.Move(320, 180);
    mouse.Button(0, true);
    mouse.Button(1, true);
    mouse.Button(1, false);
    mouse.Wheel(-1);
    mouse.StepUpdate(layout);
    EXPECT_EQ(mouse.Current().position, (PointF{100, 50}));
    EXPECT_TRUE(mouse.Held(1) && mouse.Pressed(1) && !mouse.Released(1));
    EXPECT_TRUE(!mouse.Held(2) && mouse.Pressed(2) && mouse.Released(2));
    EXPECT_TRUE(mouse.Held(MB_ANY) && !mouse.Held(MB_NONE) && !mouse.Held(3));
    EXPECT_TRUE(mouse.Current().wheel_down && !mouse.Current().wheel_up);
    mouse.StepUpdate(layout);
    EXPECT_TRUE(mouse.Held(1) && !mouse.Pressed(1) && !mouse.Pressed(2) &&
                !mouse.Current().wheel_down);
    mouse.Button(7, true);
    mouse.Button(0, false);
    mouse.StepUpdate(layout);
    EXPECT_TRUE(mouse.Held(MB_NONE) && mouse.Released(1));
}

} // namespace
