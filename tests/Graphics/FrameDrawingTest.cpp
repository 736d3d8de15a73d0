// Drawing within the frame loop: what a frame's handlers queue reaches the device before the
// frame is presented, and the counters cover one frame at a time.
#include "Graphics/GraphicsContext.h"
#include "Object/WorldFixture.h"

namespace {

void DrawTriangleEachStep(CInstance* self, CInstance*) {
    CallNamed(self, "draw_triangle", 0, 0, 10, 0, 0, 10, 0);
}

class FrameDrawing : public WorldFixture {
protected:
    void TearDown() override {
        SetActiveGraphics(nullptr);
        WorldFixture::TearDown();
    }
};

TEST_F(FrameDrawing, EachFrameHandsItsDrawingToTheDeviceAndCountsItAlone) {
    GraphicsContext drawing(graphics_, 320, 180);
    SetActiveGraphics(&drawing);
    const int32_t object = AddObject("oDrawer");
    AddEvent(object, ev_step, ev_step_normal, DrawTriangleEachStep);
    const int32_t room = AddRoom("rmOnly");
    AddInstance(room, object);
    AddInstance(room, object);
    Start();

    // Each frame: both triangles in one call, then the copy of the application surface.
    Frames(1);
    EXPECT_EQ(graphics_.frames_presented, 1);
    ASSERT_EQ(graphics_.draws.size(), 2u);
    EXPECT_EQ(graphics_.draws[0].vertices.size(), 6u);
    EXPECT_EQ(drawing.Counters().draw_calls, 2);

    Frames(2);
    EXPECT_EQ(graphics_.draws.size(), 6u);
    EXPECT_EQ(drawing.Counters().draw_calls, 2);
    EXPECT_EQ(drawing.Counters().vertices, 12);
}

} // namespace
