// Sprite text measures, scratch surfaces, colours and sizes, and sound effects once a frame.
#include <utility>

#include "GameFixture.h"

namespace {

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
