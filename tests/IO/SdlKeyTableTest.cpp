// The SDL key translation: the codes the game's key names and saved bindings expect.
#include <gtest/gtest.h>

#include "IO/InputConstants.h"
#include "Platform/sdl/SdlKeyTable.h"

namespace {

TEST(SdlKeyTableTest, SpotChecks) {
    const struct {
        SDL_Keycode sdl;
        int32_t code;
    } kCases[] = {
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        {SDLK_LEFT, vk_left},
        {SDLK_UP, vk_up},
        {SDLK_RIGHT, vk_right},
        {SDLK_DOWN, vk_down},
        {SDLK_RETURN, vk_enter},
        {SDLK_KP_ENTER, vk_enter},
        {SDLK_ESCAPE, vk_escape},
        {SDLK_SPACE, vk_space},
        {SDLK_BACKSPACE, vk_backspace},
        {SDLK_TAB, vk_tab},
        {SDLK_F1, vk_f1},
        {SDLK_F12, vk_f12},
        {SDLK_KP_0, vk_numpad0},
        {SDLK_KP_9, vk_numpad9},
        {SDLK_KP_MULTIPLY, vk_multiply},
        {SDLK_KP_DIVIDE, vk_divide},
        {SDLK_KP_PERIOD, vk_decimal},
        {SDLK_LSHIFT, vk_lshift},
        {SDLK_RSHIFT, vk_rshift},
        {SDLK_LCTRL, vk_lcontrol},
        {SDLK_RCTRL, vk_rcontrol},
        {SDLK_LALT, vk_lalt},
        {SDLK_RALT, vk_ralt},
        {SDLK_SEMICOLON, 186},
        {SDLK_EQUALS, 187},
        {SDLK_COMMA, 188},
        {SDLK_MINUS, 189},
        {SDLK_PERIOD, 190},
        {SDLK_SLASH, 191},
        {SDLK_BACKQUOTE, 192},
        {SDLK_LEFTBRACKET, 219},
        {SDLK_BACKSLASH, 220},
        {SDLK_RIGHTBRACKET, 221},
        {SDLK_QUOTE, 222},
        {SDLK_CAPSLOCK, 20},
        {SDLK_NUMLOCKCLEAR, 144},
        {SDLK_PAUSE, vk_pause},
        {SDLK_PRINTSCREEN, vk_printscreen},
        {SDLK_DELETE, vk_delete},
        {SDLK_INSERT, vk_insert},
        {SDLK_HOME, vk_home},
        {SDLK_END, vk_end},
        {SDLK_PAGEUP, vk_pageup},
        {SDLK_PAGEDOWN, vk_pagedown},
        {SDLK_UNKNOWN, 0},
        {SDLK_AUDIOPLAY, 0},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(VirtualKeyFromSdl(c.sdl), c.code) << SDL_GetKeyName(c.sdl);
}

// Shift polling asks SDL about a virtual-key code: every code the table gives must lead back
// to a key that gives it.
TEST(SdlKeyTableTest, EveryCodeLeadsBackToItsKey) {
    for (int32_t code = 1; code < 256; ++code) {
        SDL_Keycode key = SdlKeyFromVirtualKey(code);
        if (key == SDLK_UNKNOWN) continue;
        EXPECT_EQ(VirtualKeyFromSdl(key), code) << code;
    }
    EXPECT_EQ(SdlKeyFromVirtualKey(vk_lshift), SDLK_LSHIFT);
    EXPECT_EQ(SdlKeyFromVirtualKey(vk_rshift), SDLK_RSHIFT);
    EXPECT_EQ(SdlKeyFromVirtualKey(vk_shift), SDLK_UNKNOWN) << "only the sides are keys";
}

} // namespace
