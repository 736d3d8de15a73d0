// The keyboard's pending and current state across steps, as scripts read it.
#include <gtest/gtest.h>

#include <set>

#include "IO/InputConstants.h"
#include "IO/KeyboardState.h"

namespace {

// Steps the keyboard with the Shift sides read from `sides`.
struct Keys {
    KeyboardState keyboard;
    std::set<int32_t> sides;

    void Step() {
        keyboard.StepUpdate([this](int32_t code) { return sides.contains(code); });
    }
    std::string Read(int32_t key) const {
        return std::string(keyboard.Held(key) ? "H" : "-") + (keyboard.Pressed(key) ? "P" : "-") +
               (keyboard.Released(key) ? "R" : "-");
    }
};

TEST(KeyboardStateTest, HeldPressedAndReleasedAcrossSteps) {
    Keys keys;
    keys.keyboard.KeyDown('A', false);
    EXPECT_EQ(keys.Read('A'), "---") << "messages wait for the next step";
    keys.Step();
    EXPECT_EQ(keys.Read('A'), "HP-");
    keys.Step();
    EXPECT_EQ(keys.Read('A'), "H--");
    keys.keyboard.KeyUp('A');
    keys.Step();
    EXPECT_EQ(keys.Read('A'), "--R");
    keys.Step();
    EXPECT_EQ(keys.Read('A'), "---");

    // Down and up between two steps: pressed and released in the next, never held.
    keys.keyboard.KeyDown('B', false);
    keys.keyboard.KeyUp('B');
    keys.Step();
    EXPECT_EQ(keys.Read('B'), "-PR");
    keys.Step();
    EXPECT_EQ(keys.Read('B'), "---");

    // Up and down again between two steps: still held, and pressed anew.
    keys.keyboard.KeyDown('C', false);
    keys.Step();
    keys.keyboard.KeyUp('C');
    keys.keyboard.KeyDown('C', false);
    keys.Step();
    EXPECT_EQ(keys.Read('C'), "HPR");
}

TEST(KeyboardStateTest, AutoRepeatDoesNotPressAgain) {
    Keys keys;
    keys.keyboard.KeyDown(vk_left, false);
    keys.Step();
    for (int i = 0; i < 3; ++i) {
        keys.keyboard.KeyDown(vk_left, true);
        keys.Step();
        EXPECT_EQ(keys.Read(vk_left), "H--") << "step " << i;
    }
    // A repeat of a key that is not held (its first message was lost) holds it unpressed.
    keys.keyboard.KeyDown(vk_up, true);
    keys.Step();
    EXPECT_EQ(keys.Read(vk_up), "H--");
}

TEST(KeyboardStateTest, NoKeyAndAnyKey) {
    Keys keys;
    keys.Step();
    EXPECT_TRUE(keys.keyboard.Held(vk_nokey));
    EXPECT_FALSE(keys.keyboard.Held(vk_anykey));
    EXPECT_FALSE(keys.keyboard.Pressed(vk_anykey));
    keys.keyboard.KeyDown(vk_space, false);
    keys.Step();
    EXPECT_FALSE(keys.keyboard.Held(vk_nokey));
    EXPECT_TRUE(keys.keyboard.Held(vk_anykey));
    EXPECT_TRUE(keys.keyboard.Pressed(vk_anykey));
    EXPECT_FALSE(keys.keyboard.Released(vk_anykey));
    EXPECT_TRUE(keys.keyboard.Released(vk_nokey));
    keys.Step();
    EXPECT_FALSE(keys.keyboard.Pressed(vk_anykey));
    EXPECT_TRUE(keys.keyboard.Pressed(vk_nokey));
    // Codes past the table read as up, whatever is held.
    EXPECT_FALSE(keys.keyboard.Held(256));
    EXPECT_FALSE(keys.keyboard.Held(-5));
}

TEST(KeyboardStateTest, ModifiersByGenericAndSideCodes) {
    Keys keys;
    // Control and Alt record their generic code and their side.
    keys.keyboard.KeyDown(vk_rcontrol, false);
    keys.keyboard.KeyDown(vk_lalt, false);
    keys.Step();
    EXPECT_EQ(keys.Read(vk_control), "HP-");
    EXPECT_EQ(keys.Read(vk_rcontrol), "HP-");
    EXPECT_EQ(keys.Read(vk_lcontrol), "---");
    EXPECT_EQ(keys.Read(vk_alt), "HP-");
    EXPECT_EQ(keys.Read(vk_lalt), "HP-");
    EXPECT_EQ(keys.Read(vk_ralt), "---");
    keys.keyboard.KeyUp(vk_rcontrol);
    keys.Step();
    EXPECT_EQ(keys.Read(vk_control), "--R");
    EXPECT_EQ(keys.Read(vk_rcontrol), "--R");

    // Shift's message records only the generic code; its sides come from polling.
    keys.keyboard.KeyDown(vk_lshift, false);
    keys.Step();
    EXPECT_EQ(keys.Read(vk_shift), "HP-");
    EXPECT_EQ(keys.Read(vk_lshift), "---") << "the system does not report it down";
    keys.sides = {vk_lshift};
    keys.Step();
    EXPECT_EQ(keys.Read(vk_lshift), "HP-");
    keys.Step();
    EXPECT_EQ(keys.Read(vk_lshift), "H--");
    // Both Shifts down, one let go: only polling notices, as the generic key stays down.
    keys.sides = {vk_lshift, vk_rshift};
    keys.Step();
    keys.sides = {vk_lshift};
    keys.Step();
    EXPECT_EQ(keys.Read(vk_rshift), "--R");
    EXPECT_EQ(keys.Read(vk_shift), "H--");
}

TEST(KeyboardStateTest, CurrentAndLastKey) {
    Keys keys;
    keys.keyboard.KeyDown('A', false);
    keys.keyboard.KeyDown('S', false);
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().key, 'S');
    EXPECT_EQ(keys.keyboard.Current().last_key, 'S');
    // Letting the newer key go returns to the one still held.
    keys.keyboard.KeyUp('S');
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().key, 'A');
    EXPECT_EQ(keys.keyboard.Current().last_key, 'S');
    keys.keyboard.KeyUp('A');
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().key, 0);
    EXPECT_EQ(keys.keyboard.Current().last_key, 'S');
    // A script's write holds through later steps.
    keys.keyboard.SetKey(vk_enter);
    keys.Step();
    EXPECT_EQ(keys.keyboard.Current().key, vk_enter);
}

TEST(KeyboardStateTest, TypedText) {
    Keys keys;
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
}

TEST(KeyboardStateTest, ClearAndKeyMap) {
    Keys keys;
    keys.keyboard.SetMap('W', vk_up);
    keys.keyboard.KeyDown('W', false);
    keys.keyboard.TypeText("w");
    keys.Step();
    EXPECT_EQ(keys.Read(vk_up), "HP-");
    EXPECT_EQ(keys.Read('W'), "---");
    keys.keyboard.Clear();
    EXPECT_EQ(keys.Read(vk_up), "---");
    keys.Step();
    EXPECT_EQ(keys.Read(vk_up), "---") << "the pending state went too";
    EXPECT_EQ(keys.keyboard.Current().text, "w");
    keys.keyboard.KeyDown('W', false);
    keys.Step();
    EXPECT_EQ(keys.Read(vk_up), "HP-") << "the map stays";
}

} // namespace
