// The keyboard's and the mouse's pending and current state across steps, as scripts read it,
// and the mouse's way from the window through the letterbox and the room's views.
#include <gtest/gtest.h>

#include <set>

#include "IO/InputConstants.h"
#include "IO/KeyboardState.h"
#include "IO/MousePosition.h"
#include "IO/MouseState.h"
#include "Room/CRoom.h"

namespace {

// Steps the keyboard with the Shift sides read from `sides`.
struct Keys {
    KeyboardState keyboard;
    std::set<int32_t> sides;

    void Step() {
        keyboard.StepUpdate([this](int32_t code) { return sides.contains(code); });
    }
    // "H" held, "P" pressed, "R" released, "-" for each that is not.
    std::string Read(std::initializer_list<int32_t> keys) const {
        std::string readings;
        for (int32_t key : keys)
            readings += std::string(readings.empty() ? "" : " ") +
                        (keyboard.Held(key) ? "H" : "-") + (keyboard.Pressed(key) ? "P" : "-") +
                        (keyboard.Released(key) ? "R" : "-");
        return readings;
    }
    std::string StepAndRead(std::initializer_list<int32_t> keys) {
        Step();
        return Read(keys);
    }
};

TEST(KeyboardStateTest, HeldPressedAndReleasedAcrossSteps) {
    Keys keys;
    keys.keyboard.KeyDown('A', false);
    EXPECT_EQ(keys.Read({'A'}), "---") << "messages wait for the next step";
    EXPECT_EQ(keys.StepAndRead({'A'}), "HP-");
    EXPECT_EQ(keys.StepAndRead({'A'}), "H--");
    keys.keyboard.KeyDown('A', true);
    EXPECT_EQ(keys.StepAndRead({'A'}), "H--") << "an auto-repeat does not press again";
    keys.keyboard.KeyUp('A');
    EXPECT_EQ(keys.StepAndRead({'A'}), "--R");
    EXPECT_EQ(keys.StepAndRead({'A'}), "---");
    // A repeat of a key that is not held (its first message was lost) holds it unpressed.
    keys.keyboard.KeyDown(vk_up, true);
    EXPECT_EQ(keys.StepAndRead({vk_up}), "H--");

    // Down and up between two steps: pressed and released in the next, never held.
    keys.keyboard.KeyDown('B', false);
    keys.keyboard.KeyUp('B');
    EXPECT_EQ(keys.StepAndRead({'B'}), "-PR");
    EXPECT_EQ(keys.StepAndRead({'B'}), "---");

    // Up and down again between two steps: still held, and pressed anew.
    keys.keyboard.KeyDown('C', false);
    keys.Step();
    keys.keyboard.KeyUp('C');
    keys.keyboard.KeyDown('C', false);
    EXPECT_EQ(keys.StepAndRead({'C'}), "HPR");
}

TEST(KeyboardStateTest, NoKeyIsTheComplementOfAnyKeyAndModifiersHaveGenericAndSideCodes) {
    Keys keys;
    EXPECT_EQ(keys.StepAndRead({vk_nokey, vk_anykey}), "HPR ---");
    keys.keyboard.KeyDown(vk_space, false);
    EXPECT_EQ(keys.StepAndRead({vk_nokey, vk_anykey}), "--R HP-");
    EXPECT_EQ(keys.StepAndRead({vk_nokey, vk_anykey}), "-PR H--");
    // Codes past the table read as up, whatever is held.
    EXPECT_EQ(keys.Read({256, -5}), "--- ---");
    keys.keyboard.KeyUp(vk_space);

    // Control and Alt record their generic code and their side.
    keys.keyboard.KeyDown(vk_rcontrol, false);
    keys.keyboard.KeyDown(vk_lalt, false);
    EXPECT_EQ(keys.StepAndRead({vk_control, vk_rcontrol, vk_lcontrol, vk_alt, vk_lalt, vk_ralt}),
              "HP- HP- --- HP- HP- ---");
    keys.keyboard.KeyUp(vk_rcontrol);
    EXPECT_EQ(keys.StepAndRead({vk_control, vk_rcontrol}), "--R --R");

    // Shift's message records only the generic code; its sides come from polling, which does
    // not report it down yet.
    keys.keyboard.KeyDown(vk_lshift, false);
    EXPECT_EQ(keys.StepAndRead({vk_shift, vk_lshift}), "HP- ---");
    keys.sides = {vk_lshift};
    EXPECT_EQ(keys.StepAndRead({vk_lshift}), "HP-");
    EXPECT_EQ(keys.StepAndRead({vk_lshift}), "H--");
    // Both Shifts down, one let go: only polling notices, as the generic key stays down.
    keys.sides = {vk_lshift, vk_rshift};
    keys.Step();
    keys.sides = {vk_lshift};
    EXPECT_EQ(keys.StepAndRead({vk_rshift, vk_shift}), "--R H--");
}

TEST(KeyboardStateTest, CurrentAndLastKeyTypedTextClearAndKeyMap) {
    Keys keys;
    using Pair = std::pair<int32_t, int32_t>;
    auto current = [&] {
        keys.Step();
        return Pair{keys.keyboard.Current().key, keys.keyboard.Current().last_key};
    };
    keys.keyboard.KeyDown('A', false);
    keys.keyboard.KeyDown('S', false);
    EXPECT_EQ(current(), Pair('S', 'S'));
    // Letting the newer key go returns to the one still held.
    keys.keyboard.KeyUp('S');
    EXPECT_EQ(current(), Pair('A', 'S'));
    keys.keyboard.KeyUp('A');
    EXPECT_EQ(current(), Pair(0, 'S'));
    // A script's write holds through later steps.
    keys.keyboard.SetKey(vk_enter);
    EXPECT_EQ(current(), Pair(vk_enter, 'S'));

    keys.keyboard.TypeText("ab\tc\xC3\xA9");
    keys.keyboard.TypeText("\b");
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().text, "abc")
        << "the tab is dropped, the backspace takes the é";
    keys.keyboard.SetText("");
    keys.keyboard.TypeText("\b\b");
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().text, "");

    // At the limit the text starts over from its last character.
    keys.keyboard.SetText(std::string(TYPED_TEXT_LIMIT - 1, 'x') + "y");
    keys.keyboard.TypeText("z");
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().text, "yz");

    keys.keyboard.SetText("");
    keys.keyboard.SetMap('W', vk_up);
    keys.keyboard.KeyDown('W', false);
    keys.keyboard.TypeText("w");
    EXPECT_EQ(keys.StepAndRead({vk_up, 'W'}), "HP- ---");
    keys.keyboard.Clear();
    EXPECT_EQ(keys.Read({vk_up}), "---");
    EXPECT_EQ(keys.StepAndRead({vk_up}), "---") << "the pending state went too";
    EXPECT_EQ(keys.keyboard.Current().text, "w");
    keys.keyboard.KeyDown('W', false);
    EXPECT_EQ(keys.StepAndRead({vk_up}), "HP-") << "the map stays";
}

// A 1000x600 window shows a 320x180 surface at 3x, 960x540, from (20, 30).
ScreenLayout Letterboxed(int client_width, int client_height) {
    return {client_width, client_height, 1000, 600, FitSurfaceToWindow(320, 180, 1000, 600), 320,
            180};
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
