// The SDL key translation: the codes the game's key names and saved bindings expect, listed by
// SDL key name in data/sdl_key_codes.txt.
#include <fstream>
#include <gtest/gtest.h>

#include "IO/InputConstants.h"
#include "Platform/sdl/SdlKeyTable.h"

namespace {

TEST(SdlKeyTableTest, KeysGiveTheirCodesAndCodesLeadBackToTheirKeys) {
    std::ifstream table(TEST_SOURCE_DIR "/IO/data/sdl_key_codes.txt");
    int keys = 0;
    for (int32_t code; table >> code;) {
        std::string name;
        std::getline(table >> std::ws, name);
        const SDL_Keycode key = SDL_GetKeyFromName(name.c_str());
        ASSERT_NE(key, SDLK_UNKNOWN) << name;
        EXPECT_EQ(VirtualKeyFromSdl(key), code) << name;
        ++keys;
    }
    EXPECT_EQ(keys, 49);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN), 0);

    // Shift polling asks SDL about a virtual-key code: every code the table gives must lead
    // back to a key that gives it.
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
