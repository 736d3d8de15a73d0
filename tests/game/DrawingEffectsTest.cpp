// Sprite text measures, scratch surfaces, colours and sizes, and sound effects once a frame, on
// the game's own package.
#include <utility>

#include "GameFixture.h"

namespace {

class DrawingEffectsTest : public GameFixture {
protected:
    // A script run by the input controller, a persistent instance.
    template <typename... Args>
    Value Run(ScriptFunction script, const Args&... args) {
        return CallScript(script, FirstOf(oInput), FirstOf(oInput), Value(args)...);
    }
    double SpriteTextWidth(const char* text) {
        return Real(Run(psl_Script_string_width_sprite, text));
    }
    static double TextWidth(const char* text) { return Real(Builtin("string_width", Value(text))); }
    bool Exists(const RValue& surface) {
        return graphics_->Targets().Find(int32_t(Real(surface))) != nullptr;
    }

    // Voices of `sound` on the mixer.
    int Voices(int32_t sound) {
        int count = 0;
        for (int32_t id = kVoiceIdBase + 1; id <= kVoiceIdBase + AudioSystem::kSourceCount; ++id) {
            const CVoice* voice = audio_->FindVoice(id);
            count += voice && voice->active && voice->sound == sound;
        }
        return count;
    }
    float Pitch(int32_t sound) const { return std::as_const(*audio_).Asset(sound)->pitch; }
};

TEST_F(DrawingEffectsTest, GlyphsTakeTheirSpritesWidthAndBackslashesStayText) {
    Start();
    Builtin("draw_set_font", GlobalValue("mireth_font"));
    const double glyph = Real(Builtin("sprite_get_width", Value(sConfigFaceButtons)));
    ASSERT_GT(glyph, 0);
    ASSERT_GT(TextWidth("\\"), 0); // else the backslash cases below would prove nothing
    EXPECT_EQ(SpriteTextWidth("a\\sConfigFaceButtons:0b"), TextWidth("a") + TextWidth("b") + glyph);
    EXPECT_EQ(SpriteTextWidth("\\sConfigFaceButtons:0\\xConfigFaceButtons:12"), 2 * glyph);
    EXPECT_EQ(SpriteTextWidth("ab\\"), TextWidth("ab\\"));
    EXPECT_EQ(SpriteTextWidth("a\\\\b"), TextWidth("a\\b"));
    EXPECT_EQ(SpriteTextWidth("\\\\sConfigFaceButtons:0"), TextWidth("\\sConfigFaceButtons:0"));
    EXPECT_EQ(SpriteTextWidth(""), 0);
}

TEST_F(DrawingEffectsTest, SizesColoursAndRectangles) {
    Start();
    const std::pair<double, double> powers[] = {{1, 1}, {17, 32}, {16, 16},
                                                {0, 1}, {0.5, 1}, {1025, 2048}};
    for (const auto& [n, power] : powers)
        EXPECT_EQ(Real(Run(psl_Script_npow2, n)), power) << n;

    const auto hsl = [&](int h, int s, int l) {
        return Real(Run(psl_Script_make_color_hsl_240, h, s, l));
    };
    EXPECT_EQ(hsl(0, 240, 120), 0x0000FF); // pure red: red is the low byte
    EXPECT_EQ(hsl(80, 240, 120), 0x00FF00);
    EXPECT_EQ(hsl(160, 240, 120), 0xFF0000);
    EXPECT_EQ(hsl(40, 240, 0), 0);          // black, whatever the saturation
    EXPECT_EQ(hsl(40, 240, 240), 0xFFFFFF); // white
    EXPECT_EQ(hsl(40, 0, 120), 0x808080);   // grey: no saturation

    const auto overlap = [&](int l2, int t2, int r2, int b2) {
        return bool(Run(psl_Script_intersect_rect, 0, 0, 10, 10, l2, t2, r2, b2));
    };
    EXPECT_TRUE(overlap(9, 9, 20, 20));
    EXPECT_TRUE(overlap(-5, 2, 15, 3));   // across
    EXPECT_FALSE(overlap(10, 0, 20, 10)); // edges touching
    EXPECT_FALSE(overlap(0, -10, 10, 0));
    EXPECT_EQ(Real(Run(psl_Script_room_get_height)), 180);
}

TEST_F(DrawingEffectsTest, ScratchSurfacesAreSharedAndMadeAgainWhenLost) {
    Start();
    const Value first = Run(psl_Script_get_scratch_surface, 16);
    ASSERT_TRUE(Exists(first));
    EXPECT_EQ(graphics_->Targets().Find(int32_t(Real(first)))->width, 16);
    EXPECT_EQ(Real(Run(psl_Script_get_scratch_surface, 16, 0)), Real(first));
    const Value other_slot = Run(psl_Script_get_scratch_surface, 16, 3);
    const Value other_size = Run(psl_Script_get_scratch_surface, 2048);
    EXPECT_NE(Real(other_slot), Real(first));
    EXPECT_NE(Real(other_size), Real(first));
    EXPECT_EQ(graphics_->Targets().Find(int32_t(Real(other_size)))->height, 2048);

    Builtin("surface_free", first);
    EXPECT_TRUE(Exists(Run(psl_Script_get_scratch_surface, 16)));
    graphics_->Targets().DropAll();
    const Value remade = Run(psl_Script_get_scratch_surface, 16, 3);
    EXPECT_TRUE(Exists(remade));
    EXPECT_EQ(Real(Run(psl_Script_get_scratch_surface, 16, 3)), Real(remade));

    RuntimeErrorCapture errors;
    Run(psl_Script_get_scratch_surface, 4096);
    Run(psl_Script_get_scratch_surface, 0);
    Run(psl_Script_get_scratch_surface, 16, 4);
    ASSERT_EQ(errors.Messages().size(), 3u);
    EXPECT_EQ(errors.Messages()[0],
              "get_scratch_surface: no scratch surface of size 4096 in slot 0");
}

TEST_F(DrawingEffectsTest, ASoundStartsOnceAFrameAtAPitchInItsRange) {
    with_audio_ = true;
    Start();
    Run(psl_Script_sfx_play, sfxJump);
    Run(psl_Script_sfx_play, sfxJump);
    Run(psl_Script_sfx_play, sfxHurt);
    EXPECT_EQ(Voices(sfxJump), 1);
    EXPECT_EQ(Voices(sfxHurt), 1);
    EXPECT_EQ(Pitch(sfxJump), 1); // no range: as it was

    // The next frame (the camera empties the map at the end of each step).
    Builtin("ds_map_clear", GlobalValue("played_this_frame"));
    Run(psl_Script_sfx_play, sfxJump, 0.5, 0.75);
    EXPECT_EQ(Voices(sfxJump), 2);
    EXPECT_GE(Pitch(sfxJump), 0.5f);
    EXPECT_LT(Pitch(sfxJump), 0.75f);
}

} // namespace
