// Input through SDL: its keys as the codes saved bindings expect (data/sdl_key_codes.txt), and
// controllers on SDL's virtual devices.
#include "Platform/sdl/SdlGamepads.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

#include "IO/GamepadConstants.h"
#include "IO/GamepadTable.h"
#include "IO/InputConstants.h"
#include "Object/AsyncEvents.h"
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

Uint16 g_rumble_low = 0;
Uint16 g_rumble_high = 0;

class SdlGamepadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without a focused window SDL would ignore the devices' input.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        std::string error;
        pads_ = SdlGamepads::Create(error);
        ASSERT_TRUE(pads_) << error;
    }
    void TearDown() override {
        while (!attached_.empty())
            Detach(attached_.back());
        pads_.reset();
        ClearAsyncEvents();
    }

    SDL_Joystick* Attach(SDL_JoystickType type, const char* name, int buttons, int axes, int hats) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = Uint16(type);
        desc.nbuttons = Uint16(buttons);
        desc.naxes = Uint16(axes);
        desc.nhats = Uint16(hats);
        desc.name = name;
        desc.Rumble = [](void*, Uint16 low, Uint16 high) {
            g_rumble_low = low;
            g_rumble_high = high;
            return 0;
        };
        int index = SDL_JoystickAttachVirtualEx(&desc);
        SDL_Joystick* joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        EXPECT_TRUE(joystick) << SDL_GetError();
        if (joystick) attached_.push_back(joystick);
        return joystick;
    }
    void Detach(SDL_Joystick* joystick) {
        SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
        std::erase(attached_, joystick);
    }
    // A mapping line for the device's GUID as mapping databases write it, without the CRC.
    static std::string MappingFor(SDL_Joystick* joystick, const std::string& entries) {
        SDL_JoystickGUID guid = SDL_JoystickGetGUID(joystick);
        guid.data[2] = guid.data[3] = 0;
        char text[33];
        SDL_JoystickGetGUIDString(guid, text, sizeof text);
        return std::string(text) + "," + entries + ",platform:Linux,";
    }

    std::unique_ptr<SdlGamepads> pads_;
    GamepadTable table_;
    std::vector<SDL_Joystick*> attached_;
};

TEST_F(SdlGamepadsTest, AStandardControllerInSlotZeroAndAPlainJoystickInSlotFour) {
    SDL_Joystick* pad = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "Virtual Pad",
                               SDL_CONTROLLER_BUTTON_MAX, SDL_CONTROLLER_AXIS_MAX, 0);
    ASSERT_TRUE(pad);
    // Opening a controller sets its triggers to rest: they are pressed once it is open.
    table_.Update(*pads_);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, -32768);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    table_.Update(*pads_);
    GamepadSlot& slot = *table_.Slot(0);
    ASSERT_TRUE(slot.Connected());
    EXPECT_EQ(slot.State().description, "Virtual Pad");
    EXPECT_TRUE(slot.ButtonHeld(gp_face1) && slot.ButtonHeld(gp_padl) &&
                slot.ButtonHeld(gp_select) && !slot.ButtonHeld(gp_face2) &&
                !slot.ButtonHeld(gp_padr));
    EXPECT_EQ(slot.ButtonValue(gp_shoulderlb), 255.0f / 256);
    EXPECT_EQ(slot.ButtonValue(gp_shoulderrb), 0);
    EXPECT_NEAR(slot.AxisValue(gp_axislv), 1, 1e-4) << "down reads positive";
    EXPECT_LT(slot.AxisValue(1), 0) << "the raw axis grows upwards";
    EXPECT_EQ(slot.AxisValue(gp_axisrh), -1);

    // A virtual controller's triggers are whole axes: the middle is half-way.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    slot.vibration_left = 0.5f;
    slot.vibration_right = 1;
    table_.Update(*pads_);
    EXPECT_EQ(slot.ButtonValue(gp_shoulderlb), 0.5f);
    EXPECT_TRUE(slot.ButtonHeld(gp_shoulderlb));
    EXPECT_EQ(std::pair(g_rumble_low, g_rumble_high), (std::pair<Uint16, Uint16>(32767, 65535)));

    Detach(pad);

    // A plain joystick is read raw, in slot 4.
    SDL_Joystick* stick = Attach(SDL_JOYSTICK_TYPE_ARCADE_STICK, "Plain Stick", 6, 2, 1);
    ASSERT_TRUE(stick);
    SDL_JoystickSetVirtualButton(stick, 5, 1);
    SDL_JoystickSetVirtualAxis(stick, 1, -32768);
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_LEFTDOWN);
    table_.Update(*pads_);
    EXPECT_FALSE(table_.Slot(0)->Connected());
    GamepadSlot& raw = *table_.Slot(4);
    ASSERT_TRUE(raw.Connected());
    EXPECT_EQ(raw.ButtonCount(), 6);
    EXPECT_TRUE(raw.ButtonHeld(5) && !raw.ButtonHeld(gp_face1));
    EXPECT_EQ(raw.AxisValue(1), -1);
    EXPECT_EQ(raw.HatValue(0), 4 | 8);
}

TEST_F(SdlGamepadsTest, AMappingFileMakesAPlainJoystickAController) {
    SDL_Joystick* probe = Attach(SDL_JOYSTICK_TYPE_UNKNOWN, "File Stick", 4, 2, 0);
    ASSERT_TRUE(probe);
    const std::string file = std::string(TEST_BINARY_DIR) + "/gamecontrollerdb.txt";
    std::ofstream(file) << MappingFor(probe, "File Stick,a:b3") << "\n";
    Detach(probe);
    EXPECT_EQ(pads_->AddMappingsFromFile(file), 1);
    EXPECT_EQ(pads_->AddMappingsFromFile(file + ".missing"), 0);

    SDL_Joystick* mapped = Attach(SDL_JOYSTICK_TYPE_UNKNOWN, "File Stick", 4, 2, 0);
    ASSERT_TRUE(mapped);
    SDL_JoystickSetVirtualButton(mapped, 3, 1);
    table_.Update(*pads_);
    ASSERT_TRUE(table_.Slot(0)->Connected());
    EXPECT_TRUE(table_.Slot(0)->ButtonHeld(gp_face1));
    EXPECT_FALSE(table_.Slot(4)->Connected());
}

} // namespace
