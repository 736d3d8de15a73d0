// The Draw stage in the frame, against the recording device: which drawing events run how
// often and in what order, what instances draw by default, the views' ports and the copy of
// the application surface to the window.
#include "Run/DrawStage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "Graphics/GraphicsContext.h"
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

template <int32_t Subtype>
void Record(CInstance* self, CInstance*) {
    g_calls.push_back({Subtype, self->id, g_device->viewport});
    if (Subtype != ev_draw_normal) return;
    ScopedRValue view;
    GetVariableDirect(GlobalObject(), FindBuiltinVariable("view_current"), ARRAY_INDEX_NONE, view);
    g_views.push_back(ToReal(view));
}

void DrawNothing(CInstance* self, CInstance*) {
    g_calls.push_back({ev_draw_normal, self->id, g_device->viewport});
}

void DrawSpriteAt50(CInstance* self, CInstance*) {
    CallNamed(self, "draw_sprite", 0, 0, 50, 50);
}

void LeaveATargetSet(CInstance* self, CInstance*) {
    CallNamed(self, "surface_set_target", CallNamed(self, "surface_create", 8, 8));
}

void MakeSurfaces(CInstance* self, CInstance*) {
    for (int i = 0; i < 40; ++i)
        CallNamed(self, "surface_create", 4, 4);
}

void HideSelf(CInstance* self, CInstance*) {
    self->SetFlag(INSTANCE_FLAG_VISIBLE, false);
}

constexpr int32_t kEverySubtype[] = {ev_draw_pre,  ev_draw_begin, ev_draw_normal, ev_draw_end,
                                     ev_draw_post, ev_gui_begin,  ev_gui,         ev_gui_end};

class DrawStageTest : public RoomFixture {
protected:
    void SetUp() override {
        RoomFixture::SetUp();
        g_calls.clear();
        g_views.clear();
        g_device = &graphics_;
    }
    void TearDown() override {
        SetActiveGraphics(nullptr);
        g_device = nullptr;
        RoomFixture::TearDown();
    }

    // An object with a recording handler for every drawing event.
    int32_t AddRecorder(const std::string& name, int32_t depth = 0) {
        const int32_t object = AddObject(name, -1, false, depth);
        AddEvent(object, ev_draw, ev_draw_pre, Record<ev_draw_pre>);
        AddEvent(object, ev_draw, ev_draw_begin, Record<ev_draw_begin>);
        AddEvent(object, ev_draw, ev_draw_normal, Record<ev_draw_normal>);
        AddEvent(object, ev_draw, ev_draw_end, Record<ev_draw_end>);
        AddEvent(object, ev_draw, ev_draw_post, Record<ev_draw_post>);
        AddEvent(object, ev_draw, ev_gui_begin, Record<ev_gui_begin>);
        AddEvent(object, ev_draw, ev_gui, Record<ev_gui>);
        AddEvent(object, ev_draw, ev_gui_end, Record<ev_gui_end>);
        return object;
    }

    // A 16x16 sprite on its own 16x16 texture page.
    int32_t AddDrawnSprite() {
        PackageTexture texture;
        texture.encoding = TextureEncoding::Raw32;
        texture.width = texture.height = 16;
        texture.pixels.assign(16 * 16 * 4, 255);
        package_.textures.emplace_back(texture);
        package_.texture_page_entries.push_back(
            {0, 0, 16, 16, 0, 0, 16, 16, 16, 16, int16_t(package_.textures.size() - 1)});
        const int32_t sprite =
            AddSprite("sBox", std::vector<std::string>(16, std::string(16, '#')));
        package_.sprites[size_t(sprite)]->frames = {
            int32_t(package_.texture_page_entries.size() - 1)};
        return sprite;
    }

    // Starts the game drawing through a context at the game's size of 320x180.
    void StartDrawing() {
        Start();
        drawing_.LoadPackage(loader_.Package());
        SetActiveGraphics(&drawing_);
    }

    std::map<int32_t, int> CountsBySubtype() const {
        std::map<int32_t, int> counts;
        for (const DrawCall& call : g_calls)
            ++counts[call.subtype];
        return counts;
    }

    // The vertices drawn from `texture` into `target`, in order.
    std::vector<Vertex> VerticesOf(TextureId texture, TextureId target) {
        drawing_.Flush();
        std::vector<Vertex> vertices;
        for (const auto& draw : graphics_.draws)
            if (draw.texture == texture && draw.target == target)
                vertices.insert(vertices.end(), draw.vertices.begin(), draw.vertices.end());
        return vertices;
    }

    TextureId SurfaceTexture() {
        const Surface* surface = drawing_.Targets().Find(0);
        return surface ? surface->texture : 0;
    }
    TextureId SpriteTexture() { return drawing_.Pages().Entry(0)->texture; }

    GraphicsContext drawing_{graphics_, 320, 180};
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
    StartDrawing();

    Frames(1);
    const std::map<int32_t, int> expected = {
        {ev_draw_pre, 1},  {ev_draw_begin, 2}, {ev_draw_normal, 2}, {ev_draw_end, 2},
        {ev_draw_post, 1}, {ev_gui_begin, 1},  {ev_gui, 1},         {ev_gui_end, 1}};
    EXPECT_EQ(CountsBySubtype(), expected);

    // Pre-draw, then each visible view in order with its port, then Post-draw and the GUI.
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
    // The GUI covers the whole window.
    EXPECT_EQ(g_calls.back().viewport, (NullGraphicsDevice::Viewport{0, 0, 640, 480}));

    Frames(1);
    EXPECT_EQ(g_calls.size(), 2 * order.size());
}

TEST_F(DrawStageTest, ARoomWithoutViewsIsDrawnOnceOverTheWholeSurface) {
    AddRecorder("oRecorder");
    const int32_t room = AddRoom("rmPlain");
    AddInstance(room, 0);
    StartDrawing();

    Frames(1);
    EXPECT_EQ(CountsBySubtype()[ev_draw_normal], 1);
    EXPECT_EQ(CountsBySubtype()[ev_draw_begin], 1);
    const auto draw = std::find_if(g_calls.begin(), g_calls.end(), [](const DrawCall& call) {
        return call.subtype == ev_draw_normal;
    });
    EXPECT_EQ(draw->viewport, (NullGraphicsDevice::Viewport{0, 0, 320, 180}));
}

TEST_F(DrawStageTest, AnInvisibleInstanceRunsNoDrawingEvents) {
    const int32_t recorder = AddRecorder("oRecorder");
    AddEvent(recorder, ev_create, 0, HideSelf);
    const int32_t seen = AddRecorder("oSeen");
    const int32_t room = AddRoom("rmHidden");
    AddInstance(room, recorder);
    const int32_t seen_id = AddInstance(room, seen);
    StartDrawing();

    Frames(1);
    ASSERT_EQ(g_calls.size(), std::size(kEverySubtype)); // each event once, without views
    for (const DrawCall& call : g_calls)
        EXPECT_EQ(call.instance, seen_id);
}

TEST_F(DrawStageTest, ADrawHandlerHidesTheDefaultSprite) {
    const int32_t sprite = AddDrawnSprite();
    const int32_t plain = AddObject("oPlain", -1, false, 0, sprite);
    const int32_t handled = AddObject("oHandled", -1, false, 0, sprite);
    AddEvent(handled, ev_draw, ev_draw_normal, DrawNothing);
    const int32_t room = AddRoom("rmSprites");
    AddInstance(room, plain, 10, 20);
    AddInstance(room, handled, 100, 100);
    StartDrawing();

    Frames(1);
    EXPECT_EQ(CountsBySubtype()[ev_draw_normal], 1);
    // Only the plain instance's sprite, drawn into the application surface at its position.
    const std::vector<Vertex> quad = VerticesOf(SpriteTexture(), SurfaceTexture());
    ASSERT_EQ(quad.size(), 6u);
    for (const Vertex& corner : quad) {
        EXPECT_GE(corner.x, 10);
        EXPECT_LE(corner.x, 26);
        EXPECT_GE(corner.y, 20);
        EXPECT_LE(corner.y, 36);
    }
}

TEST_F(DrawStageTest, DrawEndLiesOnTopOfEveryLayer) {
    const int32_t sprite = AddDrawnSprite();
    // The Draw End object sits on the deepest layer, drawn first.
    const int32_t deep = AddObject("oDeep", -1, false, 100);
    AddEvent(deep, ev_draw, ev_draw_end, DrawSpriteAt50);
    AddEvent(deep, ev_draw, ev_draw_normal, DrawNothing);
    const int32_t top = AddObject("oTop", -1, false, -100, sprite);
    const int32_t room = AddRoom("rmLayers");
    AddInstance(room, deep);
    AddInstance(room, top, 10, 10);
    StartDrawing();

    Frames(1);
    const std::vector<Vertex> quads = VerticesOf(SpriteTexture(), SurfaceTexture());
    ASSERT_EQ(quads.size(), 12u);
    const auto left = [&quads](size_t first) {
        return std::min_element(quads.begin() + long(first), quads.begin() + long(first) + 6,
                                [](const Vertex& a, const Vertex& b) { return a.x < b.x; })
            ->x;
    };
    EXPECT_EQ(left(0), 10); // the top layer's default sprite
    EXPECT_EQ(left(6), 50); // then Draw End's
}

TEST_F(DrawStageTest, TheSurfaceIsCopiedToTheWindowAtAWholeScale) {
    AddRoom("rmEmpty");
    package_.options.window_colour = 0x563412; // red lowest
    StartDrawing();

    Frames(1);
    ASSERT_NE(SurfaceTexture(), 0u);
    EXPECT_EQ(graphics_.textures.at(SurfaceTexture()).width, 320);
    EXPECT_EQ(graphics_.textures.at(SurfaceTexture()).height, 180);
    // 640x480 holds 320x180 twice over: 640x360 with bars of 60 above and below.
    const std::vector<Vertex> copy = VerticesOf(SurfaceTexture(), 0);
    ASSERT_EQ(copy.size(), 6u);
    const WindowRect expected = FitSurfaceToWindow(320, 180, 640, 480);
    for (const Vertex& corner : copy) {
        EXPECT_TRUE(corner.x == expected.x || corner.x == expected.x + expected.width) << corner.x;
        EXPECT_TRUE(corner.y == expected.y || corner.y == expected.y + expected.height) << corner.y;
    }
    EXPECT_EQ(expected, (WindowRect{0, 60, 640, 360}));
    // The window was cleared once, to the package's window colour made opaque, before the
    // copy, as no Pre-draw handler ran.
    std::vector<uint32_t> window_clears;
    for (const auto& clear : graphics_.clears)
        if (clear.target == 0) window_clears.push_back(clear.argb);
    EXPECT_EQ(window_clears, std::vector<uint32_t>{0xFF123456u});
}

TEST_F(DrawStageTest, TheCursorSpriteIsDrawnLastAtTheMouse) {
    const int32_t sprite = AddDrawnSprite();
    AddRoom("rmEmpty");
    StartDrawing();
    CursorSprite() = sprite;
    RunnerInput().mouse.Move(20, 30);

    Frames(1);
    const PointF mouse = RunnerInput().mouse.Current().position; // in the surface's pixels
    ASSERT_NE(mouse, (PointF{0, 0}));
    CursorSprite() = -1;
    drawing_.Flush();
    // Over the copy of the surface, doubled into the window below a bar of 60: at the mouse.
    ASSERT_FALSE(graphics_.draws.empty());
    const auto& last = graphics_.draws.back();
    EXPECT_EQ(last.texture, SpriteTexture());
    EXPECT_EQ(last.target, 0u);
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (const Vertex& corner : last.vertices) {
        left = std::min(left, corner.x);
        top = std::min(top, corner.y);
        right = std::max(right, corner.x);
        bottom = std::max(bottom, corner.y);
    }
    EXPECT_EQ(left, mouse.x * 2);
    EXPECT_EQ(top, 60 + mouse.y * 2);
    EXPECT_EQ(right, left + 16);
    EXPECT_EQ(bottom, top + 16);
}

TEST_F(DrawStageTest, NoHandlersAndNoSpritesDrawNothingButTheCopy) {
    AddObject("oQuiet");
    const int32_t room = AddRoom("rmQuiet");
    AddInstance(room, 0);
    StartDrawing();

    Frames(1);
    EXPECT_TRUE(g_calls.empty());
    drawing_.Flush();
    ASSERT_EQ(graphics_.draws.size(), 1u);
    EXPECT_EQ(graphics_.draws[0].texture, SurfaceTexture());
}

TEST_F(DrawStageTest, ATargetLeftSetIsReportedOncePerFrameAndReset) {
    const int32_t careless = AddObject("oCareless");
    AddEvent(careless, ev_draw, ev_draw_normal, LeaveATargetSet);
    const int32_t room = AddRoom("rmCareless");
    AddInstance(room, careless);
    AddInstance(room, careless);
    StartDrawing();

    Frames(1);
    const std::string report =
        "Unbalanced surface stack. You MUST use surface_reset_target() for each set.\n";
    EXPECT_EQ(error_output_, report);
    EXPECT_EQ(drawing_.Targets().Depth(), 0u);
    // The copy still reaches the window.
    drawing_.Flush();
    EXPECT_EQ(graphics_.draws.back().texture, SurfaceTexture());
    EXPECT_EQ(graphics_.draws.back().target, 0u);
}

TEST_F(DrawStageTest, SurfacesMadeInPreDrawLeaveTheApplicationSurfaceInUse) {
    const int32_t maker = AddObject("oMaker");
    AddEvent(maker, ev_draw, ev_draw_pre, MakeSurfaces);
    const int32_t room = AddRoom("rmMaker");
    AddInstance(room, maker);
    StartDrawing();

    Frames(1);
    drawing_.Flush();
    ASSERT_FALSE(graphics_.draws.empty());
    EXPECT_EQ(graphics_.draws.back().texture, SurfaceTexture());
    const auto surface_clears =
        std::count_if(graphics_.clears.begin(), graphics_.clears.end(),
                      [this](const auto& clear) { return clear.target == SurfaceTexture(); });
    EXPECT_EQ(surface_clears, 1); // the room's colour
}

TEST_F(DrawStageTest, InstancesOnAnInvisibleLayerRunNoDrawingEvents) {
    const int32_t hidden = AddRecorder("oHidden", 10);
    const int32_t room = AddRoom("rmLayerHidden");
    AddInstance(room, hidden);
    StartDrawing();
    const CInstance* alone = Objects().Find(hidden)->instances[0];
    CurrentRoom()->FindLayer(alone->layer)->visible = false;

    // Alone with its events, and then beside a second instance.
    Frames(1);
    EXPECT_TRUE(g_calls.empty());
    CallNamed(nullptr, "instance_create_depth", 0, 0, 10, hidden);
    Frames(1);
    EXPECT_TRUE(g_calls.empty());
    CurrentRoom()->FindLayer(alone->layer)->visible = true;
    Frames(1);
    EXPECT_EQ(g_calls.size(), 2 * std::size(kEverySubtype));
}


// Without keeping the aspect the surface is stretched over the window; without the surface the
// room is drawn straight into the window.
TEST_F(DrawStageTest, WithoutKeepAspectOrWithoutTheSurface) {
    const int32_t sprite = AddDrawnSprite();
    const int32_t plain = AddObject("oPlain", -1, false, 0, sprite);
    const int32_t room = AddRoom("rmDirect");
    AddInstance(room, plain, 10, 20);
    Start();
    drawing_.LoadPackage(loader_.Package());
    DrawStage stage;
    stage.keep_aspect = false;
    stage.Run(drawing_, *CurrentRoom());
    ASSERT_EQ(stage.ApplicationSurface(), 0);
    const std::vector<Vertex> copy = VerticesOf(SurfaceTexture(), 0);
    ASSERT_EQ(copy.size(), 6u);
    for (const Vertex& corner : copy) {
        EXPECT_TRUE(corner.x == 0 || corner.x == 640) << corner.x;
        EXPECT_TRUE(corner.y == 0 || corner.y == 480) << corner.y;
    }

    stage.use_application_surface = false;
    stage.Run(drawing_, *CurrentRoom());
    EXPECT_EQ(stage.ApplicationSurface(), -1);
    EXPECT_EQ(drawing_.Targets().Find(0), nullptr);
    EXPECT_EQ(VerticesOf(SpriteTexture(), 0).size(), 6u);
    // The room's rectangle over the whole window.
    EXPECT_EQ(graphics_.draws.back().viewport, (NullGraphicsDevice::Viewport{0, 0, 640, 480}));
    EXPECT_EQ(graphics_.draws.back().projection, (NullGraphicsDevice::Projection{0, 0, 640, 480}));
}

} // namespace
