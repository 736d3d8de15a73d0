// The game drawing through OpenGL without a display, its pixels read back. The drawing effects and
// the speech box are compared with golden images in game/golden/ and, by their rules, with plain
// drawings of the same made with built-ins in the same picture, so that a golden rewritten without
// looking cannot bless a wrong picture. Rewrite them, after looking, with
//     RUNNER_UPDATE_GOLDEN=1 build/bin/game_tests --gtest_filter='DrawingEffectsGolden.*'
#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "GameFixture.h"
#include "Graphics/PngImage.h"
#include "GlTestWindow.h"
#include "Platform/GoldenImage.h"
#include "scripts/SpriteEffects.h"

namespace {

constexpr int kCell = 48; // the sprite's box at (4, 4) in a cell of its own
constexpr Rgba kBackground{32, 96, 64, 255};

Value RunnerColour(Rgba colour) { return Value(double(VertexColour(colour) & 0xFFFFFF)); }

class GlGameFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::string error;
        ASSERT_TRUE(gl_.Open(320, 180, error)) << error;
        Start(0, &gl_.Device());
    }
    // A frame begun on a picture cleared to `colour`; what it shows once drawn.
    void BeginPicture(const Value& colour) {
        gl_.Device().BeginFrame();
        graphics_->BeginFrame();
        Builtin("draw_clear_alpha", colour, Value(1));
    }
    RgbaImage Picture() {
        graphics_->Flush();
        return {320, 180, gl_.Device().ReadPixels(0, 0, 320, 180)};
    }

    GlTestWindow gl_;
};

class DrawingEffectsGolden : public GlGameFixture {
protected:
    void SetUp() override {
        GlGameFixture::SetUp();
        BeginPicture(RunnerColour(kBackground));
    }
    static double Mireth(const char* measure) { return Real(Builtin(measure, Value(sMirethIdle))); }
    // The painter as Mireth standing, its box's top-left corner at (left + 4, top + 4).
    CInstance* Place(int left, int top, double xscale = 1, double scale = 1) {
        CInstance* painter = FirstOf(oInput);
        const double origin = Mireth("sprite_get_xoffset");
        SetBuiltinVar(painter, VAR_sprite_index, Value(sMirethIdle));
        SetBuiltinVar(painter, VAR_image_xscale, Value(xscale * scale));
        SetBuiltinVar(painter, VAR_image_yscale, Value(scale));
        SetBuiltinVar(painter, VAR_x,
                      Value(left + 4 + (xscale > 0 ? origin : Mireth("sprite_get_width") - origin) * scale));
        SetBuiltinVar(painter, VAR_y, Value(top + 4 + Mireth("sprite_get_yoffset") * scale));
        return painter;
    }
    template <typename... Args>
    void Paint(ScriptFunction script, const Args&... args) {
        CallScript(script, FirstOf(oInput), FirstOf(oInput), Value(args)...);
    }
};

// Whether cell `drawn` is what rule(pixel, in the sprite, next to it) makes of cell `plain`
// (cells numbered 10 a row).
template <typename Rule>
::testing::AssertionResult FollowsRule(const RgbaImage& image, int plain, int drawn, Rule rule) {
    const auto at = [&](int cell, int x, int y) {
        return PixelAt(image.pixels, image.width, cell % 10 * kCell + x, cell / 10 * kCell + y);
    };
    const auto in = [&](int x, int y) { return x >= 0 && y >= 0 && at(plain, x, y) != kBackground; };
    for (int y = 0; y < kCell - 1; ++y)
        for (int x = 0; x < kCell - 1; ++x) {
            const Rgba want =
                rule(at(plain, x, y), in(x, y), in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1));
            if (!Near(at(drawn, x, y), want))
                return ::testing::AssertionFailure()
                       << "cell " << drawn << " at " << x << ", " << y << ": " << at(drawn, x, y) << " not " << want;
        }
    return ::testing::AssertionSuccess();
}

// Top row by cells: Mireth plain, outlined, mirrored, mirrored with a red outline, as a
// yellow silhouette and as a green stencil. Second row: the sprite wrapped in from beyond the
// room's right and top edges, a gradient stencil, the sprite doubled and black, outlined, then as
// an actor draws itself: its outlined picture composed, drawn again from that picture, and
// composed again once every surface is lost.
TEST_F(DrawingEffectsGolden, OutlinesSilhouettesStencilsAndWrapping) {
    const double ox = Mireth("sprite_get_xoffset"), oy = Mireth("sprite_get_yoffset");
    const Value sprite(sMirethIdle), white = RunnerColour({255, 255, 255, 255});
    const Value red = RunnerColour({255, 0, 0, 255}), green = RunnerColour({0, 255, 0, 255});
    CInstance* painter = Place(0, 0);
    Builtin("draw_sprite", sprite, Value(0), BuiltinVar(painter, VAR_x), BuiltinVar(painter, VAR_y));
    Place(kCell, 0);
    Paint(psl_Script_draw_outline);
    Place(2 * kCell, 0, -1);
    Builtin("draw_sprite_ext", sprite, Value(0), BuiltinVar(painter, VAR_x), BuiltinVar(painter, VAR_y), Value(-1),
            Value(1), Value(0), white, Value(1));
    Place(3 * kCell, 0, -1);
    Paint(psl_Script_draw_outline, red);
    Place(4 * kCell, 0);
    SetBuiltinVar(painter, VAR_image_blend, RunnerColour({255, 255, 0, 255}));
    Paint(psl_Script_draw_silhouette, 0, 0);
    SetBuiltinVar(painter, VAR_image_blend, white);
    Paint(psl_Script_draw_stencil_with_gradient, sprite, 5 * kCell + 4 + ox, 4 + oy, green, green, green, green);
    Place(320, kCell - 180); // beyond the room: shown one room width left and one height down
    Paint(psl_Script_draw_self_wrapped);
    Paint(psl_Script_draw_stencil_with_gradient, sprite, kCell + 4 + ox, kCell + 4 + oy, red,
          RunnerColour({255, 255, 0, 255}), green, RunnerColour({0, 0, 255, 255}));
    Place(2 * kCell, kCell, 1, 2);
    Paint(psl_Script_draw_outline_ext, 0, 1);
    Place(3 * kCell, kCell);
    DrawOutlinedActor(painter, painter);
    graphics_->Flush();
    const int64_t composed = graphics_->Counters().draw_calls;
    Place(4 * kCell, kCell);
    DrawOutlinedActor(painter, painter);
    graphics_->Flush();
    EXPECT_EQ(graphics_->Counters().draw_calls, composed + 1); // one quad, no surface drawn into
    graphics_->Targets().DropAll();
    Place(5 * kCell, kCell);
    DrawOutlinedActor(painter, painter);
    const RgbaImage image = Picture();

    const auto outlined = [](Rgba outline) {
        return [outline](Rgba pixel, bool in, bool next) { return in ? pixel : next ? outline : kBackground; };
    };
    const auto flat = [](Rgba fill) { return [fill](Rgba, bool in, bool) { return in ? fill : kBackground; }; };
    EXPECT_TRUE(FollowsRule(image, 0, 1, outlined({0, 0, 0, 255})));
    EXPECT_TRUE(FollowsRule(image, 2, 3, outlined({255, 0, 0, 255})));
    EXPECT_TRUE(FollowsRule(image, 0, 4, flat({255, 255, 0, 255})));
    EXPECT_TRUE(FollowsRule(image, 0, 5, flat({0, 255, 0, 255})));
    EXPECT_TRUE(FollowsRule(image, 0, 10, [](Rgba pixel, bool, bool) { return pixel; }));
    for (int cell : {13, 14, 15})
        EXPECT_TRUE(FollowsRule(image, 0, cell, outlined({0, 0, 0, 255})));
    EXPECT_TRUE(MatchesGoldenImage(image, "game/golden/sprite_effects.png"));
}

// A prompt with a button glyph, and under it the same drawn piece by piece; two centred lines,
// and under them the same drawn by the runner's own centring.
TEST_F(DrawingEffectsGolden, SpriteTextAndCentredLines) {
    Builtin("draw_set_font", GlobalValue("mireth_font"));
    Builtin("draw_set_colour", RunnerColour({255, 255, 255, 255}));
    Builtin("sprite_set_offset", Value(sConfigFaceButtons), Value(3), Value(2)); // top-aligned all the same
    const std::string before = "Press ", after = " to jump!";
    Paint(psl_Script_draw_text_sprite, 4, 4, before + "\\sConfigFaceButtons:0" + after);
    const double pen = 4 + Real(Builtin("string_width", Value(before)));
    Builtin("draw_text", Value(4), Value(40), Value(before));
    Builtin("draw_sprite", Value(sConfigFaceButtons), Value(0), Value(pen + 3), Value(40 + 2));
    Builtin("draw_text", Value(pen + Real(Builtin("sprite_get_width", Value(sConfigFaceButtons)))), Value(40),
            Value(after));
    const char* lines = "A gift for you\nMerry Snowtide!";
    Paint(psl_Script_draw_text_centered, 160, 80, lines);
    Builtin("draw_set_halign", Value(fa_center));
    Builtin("draw_text", Value(160), Value(130), Value(lines));
    const RgbaImage image = Picture();

    int ink = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 320; ++x) {
            const auto at = [&](int top) { return PixelAt(image.pixels, 320, x, top + y); };
            ASSERT_EQ(at(4), at(40)) << x << ", " << y;
            ASSERT_EQ(at(80), at(130)) << x << ", " << y;
            ink += at(4) != kBackground;
        }
    EXPECT_GT(ink, 0);
    EXPECT_TRUE(MatchesGoldenImage(image, "game/golden/sprite_text.png"));
}

// A speaker's box drawn by the box drawer: the rounded box with its pointer, a word in red, a
// button glyph, and the chosen answer lit.
TEST_F(DrawingEffectsGolden, ASpeechBoxWithItsPointerColoursGlyphAndAnswers) {
    RunFrames(3); // on to the title, where no room change holds back events
    BeginPicture(RunnerColour(kBackground));
    CInstance* speaker = GameFixture::Place(oNPC, 160, 150);
    CInstance* box = GameFixture::Place(oTextbox, 160, 120);
    Assign(Var(box, SLOT_npc), BuiltinVar(speaker, VAR_id));
    Assign(Var(box, SLOT_text),
           Value("Merry {color 255}Snowtide{color 16777215}! Press \\sConfigFaceButtons:2 {ask yes no}"));
    event_user(box, box, 1);
    event_user(box, box, 0);
    Assign(Var(box, SLOT_answer), Value(1));
    event_perform(FirstOf(oTextboxDrawer), FirstOf(oTextboxDrawer), ev_draw, ev_draw_end);
    const RgbaImage image = Picture();

    const auto at = [&](double x, double y) { return PixelAt(image.pixels, 320, int(x), int(y)); };
    const double x1 = Get(box, SLOT_bx1), y1 = Get(box, SLOT_by1);
    const double x2 = Get(box, SLOT_bx2), y2 = Get(box, SLOT_by2);
    EXPECT_EQ(y2, 120);
    EXPECT_EQ(at(x1 + 2, y1 + 2), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(at(x1, y1), kBackground);               // a rounded corner
    EXPECT_EQ(at(160, y2 + 1), (Rgba{0, 0, 0, 255})); // the pointer
    EXPECT_EQ(at(140, y2 + 1), kBackground);
    int red = 0, yellow = 0, white = 0;
    for (double y = y1; y < y2; ++y)
        for (double x = x1; x < x2; ++x) {
            red += at(x, y) == Rgba{255, 0, 0, 255};
            yellow += at(x, y) == Rgba{255, 224, 64, 255};
            white += at(x, y) == Rgba{255, 255, 255, 255};
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(yellow, 5);
    EXPECT_GT(white, 50);
    EXPECT_TRUE(MatchesGoldenImage(image, "game/golden/speech_box.png"));
    // The drawer's surface goes with it, not at the next loss of surfaces.
    const Value surface = Var(FirstOf(oTextboxDrawer), SLOT_surfy);
    Builtin("instance_destroy", BuiltinVar(FirstOf(oTextboxDrawer), VAR_id));
    EXPECT_FALSE(Real(Builtin("surface_exists", surface)));
}

// An arena wall draws a whole tsBoss slab in each of its cells, in place, and nothing beyond them:
// compared with the four slabs drawn by a plain tile map.
using ArenaWallDrawing = GlGameFixture;

TEST_F(ArenaWallDrawing, EachCellShowsAWholeSlabOfTheArenaTileSet) {
    constexpr std::array<double, 4> kSlabs = {5, 6, 9, 10};
    constexpr int kRows = 6, kWallX = 32, kWallY = 16, kSlabsX = 160;
    RunFrames(1);
    CInstance* wall = Place(oBossBlock, kWallX, kWallY, 1, kRows);
    const Value layer = Builtin("layer_create", Value(0));
    const Value slabs = Builtin("layer_tilemap_create", layer, Value(0), Value(0), Value(tsBoss), Value(4), Value(1));
    for (int i = 0; i < 4; ++i) Builtin("tilemap_set", slabs, Value(kSlabs[i]), Value(i), Value(0));

    BeginPicture(Value(0));
    Builtin("draw_tilemap", slabs, Value(kSlabsX), Value(kWallY));
    psl_Object_oBossBlock_Draw_0(wall, wall);
    const std::vector<uint8_t> pixels = Picture().pixels;
    const auto cell = [&](int left, int top) {
        std::vector<Rgba> block;
        for (int y = top; y < top + 16; ++y)
            for (int x = left; x < left + 16; ++x) block.push_back(PixelAt(pixels, 320, x, y));
        return block;
    };
    std::array<std::vector<Rgba>, 4> slab;
    for (int i = 0; i < 4; ++i) slab[i] = cell(kSlabsX + 16 * i, kWallY);
    for (int i = 1; i < 4; ++i) ASSERT_NE(slab[i], slab[i - 1]); // else a mix-up would pass

    std::set<int> shown;
    for (int row = 0; row < kRows; ++row) {
        const std::vector<Rgba> drawn = cell(kWallX, kWallY + 16 * row);
        const int found = int(std::find(slab.begin(), slab.end(), drawn) - slab.begin());
        EXPECT_LT(found, 4) << "row " << row << " is no slab";
        shown.insert(found);
    }
    EXPECT_GT(shown.size(), 1u); // the slabs vary down the wall
    // The ring of pixels around the wall's box stays clear.
    for (int y = kWallY - 1; y <= kWallY + 16 * kRows; ++y)
        for (int x = kWallX - 1; x <= kWallX + 16; x += y == kWallY - 1 || y == kWallY + 16 * kRows ? 1 : 17)
            EXPECT_EQ(PixelAt(pixels, 320, x, y), (Rgba{0, 0, 0, 255})) << x << ", " << y;
}

// F12: a PNG of what the window shows, in the save folder's "screenshots" folder.
class ScreenshotTest : public GlGameFixture {
protected:
    // The screenshots' paths in name order, which is the order they were taken in.
    std::vector<std::string> Shots() const {
        Saves().Drain();
        std::vector<std::string> shots;
        std::error_code missing;
        for (const auto& file : std::filesystem::directory_iterator(save_.Path() + "screenshots", missing))
            shots.push_back(file.path().string());
        std::sort(shots.begin(), shots.end());
        return shots;
    }
    size_t DebugLines(const std::string& start) const {
        size_t count = 0;
        for (size_t at = debug_output_.find(start); at != std::string::npos; at = debug_output_.find(start, at + 1))
            ++count;
        return count;
    }
};

TEST_F(ScreenshotTest, EachPressSavesTheWindowsPictureUnderANewNameAndTheGameNeverSeesF12) {
    RunFrames(10);
    Tap(vk_f12, 2); // each captured and queued
    const std::vector<std::string> shots = Shots();
    ASSERT_EQ(shots.size(), 2u);
    RgbaImage last;
    std::string error;
    ASSERT_TRUE(ReadPng(shots[1], last, error)) << error;
    const RgbaImage& shown = loop_->CapturedFrame();
    EXPECT_EQ((std::array{last.width, last.height}), (std::array{320, 180}));
    EXPECT_TRUE(last.pixels == shown.pixels);
    EXPECT_NE(std::count(last.pixels.begin(), last.pixels.end(), last.pixels[0]), std::ssize(last.pixels));
    for (const std::string& shot : shots) EXPECT_EQ(DebugLines("Screenshot saved: " + shot + "\n"), 1u) << debug_output_;
    EXPECT_EQ(RunnerInput().keyboard.Current().last_key, 0);

    // Where the folder cannot be made, one line says so and play goes on.
    std::filesystem::remove_all(save_.Path() + "screenshots");
    WriteSaveFile("screenshots", "");
    const int32_t frames = Runner().frames_drawn;
    Tap(vk_f12);
    RunFrames(1);
    Saves().Drain();
    EXPECT_EQ(DebugLines("ERROR!!! :: Failed to save file: " + save_.Path() + "screenshots/"), 1u) << debug_output_;
    EXPECT_EQ(DebugLines("Screenshot saved"), 2u);
    EXPECT_TRUE(Runner().running);
    EXPECT_EQ(Runner().frames_drawn, frames + 3);
}

class NullScreenshotTest : public GameFixture {};

TEST_F(NullScreenshotTest, WithoutAPictureNothingIsWritten) {
    Start();
    window_.PostKey(vk_f12, true);
    RunFrames(3);
    Saves().Drain();
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "screenshots"));
    EXPECT_EQ(debug_output_.find("Screenshot"), std::string::npos);
}

// Sprite text measures, scratch surfaces, colours and sizes, and sound effects once a frame, on
// the null device.
class DrawingEffectsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        with_audio_ = true;
        Start();
    }
    template <typename... Args>
    static double Number(ScriptFunction script, const Args&... args) { return Real(Run(script, args...)); }
    double Width(const char* text) { return Number(psl_Script_string_width_sprite, text); }
    static double TextWidth(const char* text) { return Real(Builtin("string_width", Value(text))); }
    // The voices of `sound` on the mixer.
    int Voices(int32_t sound) {
        int count = 0;
        for (int32_t id = kVoiceIdBase + 1; id <= kVoiceIdBase + AudioSystem::kSourceCount; ++id)
            count += audio_->FindVoice(id) && audio_->FindVoice(id)->sound == sound;
        return count;
    }
};

TEST_F(DrawingEffectsTest, GlyphsTakeTheirSpritesWidthAndBackslashesStayText) {
    Builtin("draw_set_font", GlobalValue("mireth_font"));
    const double glyph = Real(Builtin("sprite_get_width", Value(sConfigFaceButtons)));
    ASSERT_GT(glyph, 0);
    ASSERT_GT(TextWidth("\\"), 0); // else the backslash cases would prove nothing
    EXPECT_EQ(Width("a\\sConfigFaceButtons:0b"), TextWidth("a") + TextWidth("b") + glyph);
    EXPECT_EQ(Width("\\sConfigFaceButtons:0\\xConfigFaceButtons:12"), 2 * glyph);
    EXPECT_EQ(Width("ab\\"), TextWidth("ab\\"));
    EXPECT_EQ(Width("a\\\\b"), TextWidth("a\\b"));
    EXPECT_EQ(Width("\\\\sConfigFaceButtons:0"), TextWidth("\\sConfigFaceButtons:0"));
}

TEST_F(DrawingEffectsTest, SizesColoursAndRectangles) {
    EXPECT_EQ(Number(psl_Script_npow2, 1), 1);
    EXPECT_EQ(Number(psl_Script_npow2, 17), 32);
    EXPECT_EQ(Number(psl_Script_npow2, 0), 1);
    const auto hsl = [&](int h, int s, int l) {
        return Number(psl_Script_make_color_hsl_240, h, s, l);
    };
    EXPECT_EQ(hsl(0, 240, 120), 0x0000FF); // pure red (red is the low byte)
    EXPECT_EQ(hsl(160, 240, 120), 0xFF0000);
    EXPECT_EQ(hsl(40, 240, 0), 0);        // black, whatever the saturation
    EXPECT_EQ(hsl(40, 0, 120), 0x808080); // no saturation: grey
    const auto overlap = [&](int l2, int t2, int r2, int b2) {
        return Number(psl_Script_intersect_rect, 0, 0, 10, 10, l2, t2, r2, b2);
    };
    EXPECT_TRUE(overlap(9, 9, 20, 20));
    EXPECT_TRUE(overlap(-5, 2, 15, 3));   // across
    EXPECT_FALSE(overlap(10, 0, 20, 10)); // edges touching
    EXPECT_FALSE(overlap(0, -10, 10, 0));
}

TEST_F(DrawingEffectsTest, ScratchSurfacesAreSharedAndMadeAgainWhenLost) {
    const double first = Number(psl_Script_get_scratch_surface, 16);
    ASSERT_NE(graphics_->Targets().Find(int32_t(first)), nullptr);
    EXPECT_EQ(graphics_->Targets().Find(int32_t(first))->width, 16);
    EXPECT_EQ(Number(psl_Script_get_scratch_surface, 16, 0), first);
    EXPECT_NE(Number(psl_Script_get_scratch_surface, 16, 3), first);
    EXPECT_NE(Number(psl_Script_get_scratch_surface, 2048), first);

    Builtin("surface_free", Value(first));
    EXPECT_NE(graphics_->Targets().Find(int32_t(Number(psl_Script_get_scratch_surface, 16))), nullptr);
    graphics_->Targets().DropAll();
    const double remade = Number(psl_Script_get_scratch_surface, 16, 3);
    EXPECT_NE(graphics_->Targets().Find(int32_t(remade)), nullptr);
    EXPECT_EQ(Number(psl_Script_get_scratch_surface, 16, 3), remade);

    RuntimeErrorCapture errors;
    Number(psl_Script_get_scratch_surface, 4096);
    Number(psl_Script_get_scratch_surface, 0);
    Number(psl_Script_get_scratch_surface, 16, 4);
    ASSERT_EQ(errors.Messages().size(), 3u);
    EXPECT_EQ(errors.Messages()[0], "get_scratch_surface: no scratch surface of size 4096 in slot 0");
}

TEST_F(DrawingEffectsTest, ASoundStartsOnceAFrameAtAPitchInItsRange) {
    for (int32_t sound : {sfxJump, sfxJump, sfxHurt})
        Number(psl_Script_sfx_play, sound);
    EXPECT_EQ(Voices(sfxJump), 1);
    EXPECT_EQ(Voices(sfxHurt), 1);
    const float& pitch = std::as_const(*audio_).Asset(sfxJump)->pitch;
    EXPECT_EQ(pitch, 1); // no range: as it was

    Builtin("ds_map_clear", GlobalValue("played_this_frame")); // as the camera does every frame
    Number(psl_Script_sfx_play, sfxJump, 0.5, 0.75);
    EXPECT_EQ(Voices(sfxJump), 2);
    EXPECT_GE(pitch, 0.5f);
    EXPECT_LT(pitch, 0.75f);
}

} // namespace
