// The Draw stage in the frame, against the recording device.
#include "Run/DrawStage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "IO/InputState.h"
#include "Object/ObjectTable.h"
#include "Room/RoomFixture.h"
#include "Run/Letterbox.h"

namespace {

struct DrawCall {
    int32_t subtype;
    int32_t instance;
    NullGraphicsDevice::Viewport viewport;
};

std::vector<DrawCall> g_calls;
NullGraphicsDevice* g_device = nullptr;
std::vector<double> g_views; // view_current in each Draw event

// One handler per event, so that a handler run for the wrong event shows.
template <int32_t Subtype>
void Record(CInstance* self, CInstance*) {
    g_calls.push_back({Subtype, self->id, g_device->viewport});
    if (Subtype == ev_draw_normal) g_views.push_back(GetBuiltin(GlobalObject(), "view_current"));
}

constexpr std::pair<int32_t, EventFunction> kRecorders[] = {
    {ev_draw_pre, Record<ev_draw_pre>},   {ev_draw_begin, Record<ev_draw_begin>},
    {ev_draw_normal, Record<ev_draw_normal>}, {ev_draw_end, Record<ev_draw_end>},
    {ev_draw_post, Record<ev_draw_post>}, {ev_gui_begin, Record<ev_gui_begin>},
    {ev_gui, Record<ev_gui>},             {ev_gui_end, Record<ev_gui_end>}};

class DrawStageTest : public RoomDrawingFixture {
protected:
    void SetUp() override {
        RoomDrawingFixture::SetUp();
        g_calls.clear();
        g_views.clear();
        g_device = &graphics_;
    }

    int32_t AddRecorder(const std::string& name, int32_t depth = 0) {
        const int32_t object = AddObject(name, -1, false, depth);
        for (const auto& [subtype, handler] : kRecorders)
            AddEvent(object, ev_draw, subtype, handler);
        return object;
    }

    TextureId SurfaceTexture() {
        const Surface* surface = drawing_.Targets().Find(0);
        return surface ? surface->texture : 0;
    }
    std::vector<uint32_t> ClearsOf(TextureId target) {
        std::vector<uint32_t> clears;
        for (const auto& clear : graphics_.clears)
            if (clear.target == target) clears.push_back(clear.argb);
        return clears;
    }
};

TEST_F(DrawStageTest, TwoViewsRunTheViewEventsTwiceAndTheOthersOnce) {
    AddRecorder("oRecorder");
    const int32_t room = AddRoom("rmTwoViews");
    PackageRoom& record = *package_.rooms[size_t(room)];
    record.views_enabled = true;
    record.views = {{1, 0, 0, 160, 180, 0, 0, 160, 180, 32, 32, -1, -1, -1},
                    {0, 0, 0, 64, 48, 0, 0, 64, 48, 32, 32, -1, -1, -1},
                    {1, 160, 0, 160, 180, 160, 0, 160, 180, 32, 32, -1, -1, -1}};
    const int32_t id = AddInstance(room, 0);
    // An invisible instance runs none of them.
    const int32_t hidden = AddRecorder("oHidden");
    AddEvent(hidden, ev_create, 0,
             [](CInstance* self, CInstance*) { self->SetFlag(INSTANCE_FLAG_VISIBLE, false); });
    AddInstance(room, hidden);
    StartDrawing();

    RunFrames(1);
    std::vector<int32_t> order;
    for (const DrawCall& call : g_calls) {
        order.push_back(call.subtype);
        EXPECT_EQ(call.instance, id);
    }
    EXPECT_EQ(order, (std::vector<int32_t>{ev_draw_pre, ev_draw_begin, ev_draw_normal, ev_draw_end,
                                           ev_draw_begin, ev_draw_normal, ev_draw_end, ev_draw_post,
                                           ev_gui_begin, ev_gui, ev_gui_end}));
    EXPECT_EQ(g_calls[1].viewport, (NullGraphicsDevice::Viewport{0, 0, 160, 180}));
    EXPECT_EQ(g_calls[4].viewport, (NullGraphicsDevice::Viewport{160, 0, 160, 180}));
    EXPECT_EQ(g_views, (std::vector<double>{0, 2}));
    EXPECT_EQ(g_calls.back().viewport, (NullGraphicsDevice::Viewport{0, 0, 640, 480}));

    RunFrames(1);
    EXPECT_EQ(g_calls.size(), 2 * order.size());
}

TEST_F(DrawStageTest, DrawHandlersReplaceTheDefaultSpriteAndDrawEndLiesOnTopOfEveryLayer) {
    const int32_t sprite = AddWhiteSprite("sBox");
    const int32_t plain = AddObject("oPlain", -1, false, 0, sprite);
    const int32_t handled = AddObject("oHandled", -1, false, 0, sprite);
    AddEvent(handled, ev_draw, ev_draw_normal, Record<ev_draw_normal>);
    const int32_t deep = AddObject("oDeep", -1, false, 100); // on the layer drawn first
    AddEvent(deep, ev_draw, ev_draw_normal, Record<ev_draw_normal>);
    AddEvent(deep, ev_draw, ev_draw_end,
             [](CInstance* self, CInstance*) { CallNamed(self, "draw_sprite", 0, 0, 50, 50); });
    const int32_t room = AddRoom("rmSprites");
    AddInstance(room, plain, 10, 20);
    AddInstance(room, handled, 100, 100);
    AddInstance(room, deep);
    StartDrawing();

    RunFrames(1);
    EXPECT_EQ(g_calls.size(), 2u);
    const std::vector<Vertex> quads = VerticesOf(PageTexture(0), SurfaceTexture());
    ASSERT_EQ(quads.size(), 12u);
    EXPECT_EQ(BoundsOf(quads, 0, 6), (std::array<float, 4>{10, 20, 26, 36}));
    EXPECT_EQ(BoundsOf(quads, 6, 6), (std::array<float, 4>{50, 50, 66, 66}));
}

TEST_F(DrawStageTest, EachFrameDrawsTheSurfaceCopyAndCursorAndCountsItAlone) {
    const int32_t sprite = AddWhiteSprite("sBox");
    const int32_t object = AddObject("oDrawer");
    AddEvent(object, ev_step, ev_step_normal, [](CInstance* self, CInstance*) {
        CallNamed(self, "draw_triangle", 0, 0, 10, 0, 0, 10, 0);
    });
    const int32_t room = AddRoom("rmOnly");
    AddInstance(room, object);
    AddInstance(room, object);
    package_.options.window_colour = 0x563412; // red lowest
    StartDrawing();
    CursorSprite() = sprite;
    RunnerInput().mouse.Move(20, 30);

    RunFrames(1);
    CursorSprite() = -1;
    const PointF mouse = RunnerInput().mouse.Current().position; // in the surface's pixels
    ASSERT_NE(mouse, (PointF{0, 0}));
    EXPECT_EQ(graphics_.frames_presented, 1);
    ASSERT_EQ(graphics_.draws.size(), 3u);
    EXPECT_EQ(graphics_.draws[0].vertices.size(), 6u);
    EXPECT_EQ(drawing_.Counters().draw_calls, 3);
    ASSERT_NE(SurfaceTexture(), 0u);
    EXPECT_EQ(std::pair(graphics_.textures.at(SurfaceTexture()).width,
                        graphics_.textures.at(SurfaceTexture()).height),
              std::pair(320, 180));
    // 640x480 holds 320x180 twice over: 640x360 with bars of 60 above and below.
    const std::vector<Vertex> copy = VerticesOf(SurfaceTexture(), 0);
    ASSERT_EQ(copy.size(), 6u);
    EXPECT_EQ(BoundsOf(copy), (std::array<float, 4>{0, 60, 640, 420}));
    // Cleared once, to the package's window colour made opaque, as no Pre-draw handler ran.
    EXPECT_EQ(ClearsOf(0), std::vector<uint32_t>{0xFF123456u});
    const auto& cursor = graphics_.draws.back();
    EXPECT_EQ(std::pair(cursor.texture, cursor.target), std::pair(PageTexture(0), TextureId{0}));
    const float left = mouse.x * 2, top = 60 + mouse.y * 2;
    EXPECT_EQ(BoundsOf(cursor.vertices), (std::array{left, top, left + 16, top + 16}));

    RunFrames(2);
    EXPECT_EQ(graphics_.draws.size(), 7u);
    EXPECT_EQ(std::pair(drawing_.Counters().draw_calls, drawing_.Counters().vertices),
              (std::pair<int64_t, int64_t>(2, 12)));
}

TEST_F(DrawStageTest, SurfaceMisuseInDrawingEventsLeavesTheApplicationSurfaceInUse) {
    const int32_t careless = AddObject("oCareless");
    AddEvent(careless, ev_draw, ev_draw_normal, [](CInstance* self, CInstance*) {
        CallNamed(self, "surface_set_target", CallNamed(self, "surface_create", 8, 8));
    });
    const int32_t maker = AddObject("oMaker");
    AddEvent(maker, ev_draw, ev_draw_pre, [](CInstance* self, CInstance*) {
        for (int i = 0; i < 40; ++i)
            CallNamed(self, "surface_create", 4, 4);
    });
    const int32_t room = AddRoom("rmCareless");
    AddInstance(room, careless);
    AddInstance(room, careless);
    AddInstance(room, maker);
    StartDrawing();

    RunFrames(1);
    EXPECT_EQ(error_output_,
              "Unbalanced surface stack. You MUST use surface_reset_target() for each set.\n");
    EXPECT_EQ(drawing_.Targets().Depth(), 0u);
    // Surfaces made in Pre-draw do not take the application surface's id: the room's colour
    // clears it once, and the copy still reaches the window.
    EXPECT_EQ(ClearsOf(SurfaceTexture()).size(), 1u);
    drawing_.Flush();
    EXPECT_EQ(std::pair(graphics_.draws.back().texture, graphics_.draws.back().target),
              std::pair(SurfaceTexture(), TextureId{0}));
}

TEST_F(DrawStageTest, InstancesOnAnInvisibleLayerRunNoDrawingEvents) {
    const int32_t hidden = AddRecorder("oHidden", 10);
    AddInstance(AddRoom("rmLayerHidden"), hidden);
    StartDrawing();
    const CInstance* alone = Objects().Find(hidden)->instances[0];
    CurrentRoom()->FindLayer(alone->layer)->visible = false;

    // Alone with its events, and then beside a second instance.
    RunFrames(1);
    CallNamed(nullptr, "instance_create_depth", 0, 0, 10, hidden);
    RunFrames(1);
    EXPECT_TRUE(g_calls.empty());
    CurrentRoom()->FindLayer(alone->layer)->visible = true;
    RunFrames(1);
    // Without views each event runs once, for both instances in turn, over the surface.
    ASSERT_EQ(g_calls.size(), 2 * std::size(kRecorders));
    for (size_t i = 0; i < g_calls.size(); ++i)
        EXPECT_EQ(g_calls[i].subtype, kRecorders[i / 2].first) << i;
    EXPECT_EQ(g_calls[4].viewport, (NullGraphicsDevice::Viewport{0, 0, 320, 180}));
}

TEST_F(DrawStageTest, WithoutKeepAspectOrWithoutTheSurface) {
    const int32_t plain = AddObject("oPlain", -1, false, 0, AddWhiteSprite("sBox"));
    AddInstance(AddRoom("rmDirect"), plain, 10, 20);
    Start();
    drawing_.LoadPackage(loader_.Package());
    DrawStage stage;
    stage.keep_aspect = false;
    stage.Run(drawing_, *CurrentRoom());
    ASSERT_EQ(stage.ApplicationSurface(), 0);
    const std::vector<Vertex> copy = VerticesOf(SurfaceTexture(), 0);
    ASSERT_EQ(copy.size(), 6u);
    EXPECT_EQ(BoundsOf(copy), (std::array<float, 4>{0, 0, 640, 480}));

    stage.use_application_surface = false;
    stage.Run(drawing_, *CurrentRoom());
    EXPECT_EQ(stage.ApplicationSurface(), -1);
    EXPECT_EQ(drawing_.Targets().Find(0), nullptr);
    EXPECT_EQ(VerticesOf(PageTexture(0), 0).size(), 6u);
    EXPECT_EQ(graphics_.draws.back().viewport, (NullGraphicsDevice::Viewport{0, 0, 640, 480}));
    EXPECT_EQ(graphics_.draws.back().projection, (NullGraphicsDevice::Projection{0, 0, 640, 480}));
}

TEST(Letterbox, WholeScalesCentredWithBarsFractionalOnlyBelowOneToOne) {
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1280, 720), (WindowRect{0, 0, 1280, 720}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 320, 180), (WindowRect{0, 0, 320, 180}));
    // 1920/320 = 6 but 1200/180 = 6.67: 6x, bars above and below.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1920, 1200), (WindowRect{0, 60, 1920, 1080}));
    // 1000/320 = 3.1 and 700/180 = 3.9: 3x, not the fractional 3.125.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 1000, 700), (WindowRect{20, 80, 960, 540}));
    // A tall window: bars above and below, side bars from the rounding down.
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 650, 1000), (WindowRect{5, 320, 640, 360}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 160, 200), (WindowRect{0, 55, 160, 90}));
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 300, 90), (WindowRect{70, 0, 160, 90}));
    EXPECT_EQ(FitSurfaceToWindow(0, 180, 640, 480), WindowRect{});
    EXPECT_EQ(FitSurfaceToWindow(320, 180, 0, 480), WindowRect{});
}

} // namespace
