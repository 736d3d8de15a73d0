// The input actions read through the game's scripts, and their bindings.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "GameFixture.h"
#include "scripts/InputBinding.h"

namespace {

class InputActionsTest : public GameFixture {
protected:
    // On the title screen, where the game reads the player's input.
    void SetUp() override {
        GameFixture::SetUp();
        Start(3);
        ASSERT_EQ(Runner().current_room, rmTitle);
    }

    double Read(ScriptFunction script, int action) { return Real(Run(script, action)); }

    // Held, pressed and released of each action as three digits: "110" when it goes down.
    std::string States(std::initializer_list<int> actions) {
        std::string states;
        for (int action : actions) {
            if (!states.empty()) states += " ";
            for (ScriptFunction script : {psl_Script_input_held, psl_Script_input_pressed, psl_Script_input_released})
                states += std::to_string(int(Read(script, action)));
        }
        return states;
    }

    // A frame's gamepad part: `change` made to the devices, the devices read, the states as the
    // Step sees them and oInput's End Step, which keeps the values for the next frame's edges.
    std::string StepStates(std::initializer_list<int> actions, const std::function<void()>& change) {
        change();
        UpdateGamepads();
        const std::string states = States(actions);
        psl_Object_oInput_Step_2(FirstOf(oInput), FirstOf(oInput));
        return states;
    }

    void Key(int key, bool down) {
        window_.PostKey(key, down);
        loop_->PumpMessages();
    }

    void SetAxis(int32_t pad, int axis, double value) {
        pads_.Report(pad).axes[size_t(axis)] = int16_t(std::lround(std::clamp(value * 32768, -32768.0, 32767.0)));
    }

    // A capture's result as "input:value", or the number it gave.
    static std::string Pair(Value found) {
        if (found.Kind() != VALUE_ARRAY) return ValueText(found);
        return ValueText(Element(found, 0)) + ":" + ValueText(Element(found, 1));
    }
};

TEST_F(InputActionsTest, UpMovesAndJumpsAndRepeatsWhileHeld) {
    Key(vk_up, true);
    std::vector<int> repeats, custom;
    for (int frame = 1; frame <= 30; ++frame) {
        RunFrames(1);
        if (frame == 1) {
            EXPECT_EQ(States({0, 4, 1}), "110 110 000");
            EXPECT_EQ(Read(psl_Script_input_held_time, 4), 1);
        }
        if (Real(Run(psl_Script_input_pressed_repeat, 4))) repeats.push_back(frame);
        if (Real(Run(psl_Script_input_pressed_repeat, 4, 10, 5))) custom.push_back(frame); // speed 10, delay 5
    }
    EXPECT_EQ(repeats, (std::vector<int>{1, 20, 26}));
    EXPECT_EQ(custom, (std::vector<int>{1, 5, 15, 25}));

    Key(vk_up, false);
    RunFrames(1);
    EXPECT_EQ(States({4}), "001");
    EXPECT_EQ(Read(psl_Script_input_held_time, 4), 0);
}

TEST_F(InputActionsTest, SticksCountBeyondHalfWayWithEdgesFromTheLastEndStep) {
    EXPECT_EQ(Read(psl_Script_input_raw_axis, 2), 0); // no gamepad
    const int32_t pad = pads_.AttachStandard();
    EXPECT_EQ(StepStates({3}, [&] { SetAxis(pad, 0, 1); }), "110"); // pushed when first seen
    EXPECT_EQ(StepStates({3}, [&] { SetAxis(pad, 0, 0.4); }), "001");
    EXPECT_EQ(StepStates({3}, [&] { SetAxis(pad, 0, 0.6); }), "110");
    EXPECT_EQ(StepStates({3}, [] {}), "100");
    EXPECT_EQ(StepStates({3, 2}, [&] { SetAxis(pad, 0, -1); }), "001 110");

    EXPECT_EQ(Read(psl_Script_input_raw_axis, 2), -1);
    SetAxis(pad, 0, 0);
    SetAxis(pad, 2, -1);
    RunFrames(1);
    EXPECT_EQ(Read(psl_Script_input_raw_axis, 2), 0); // the first stick bound answers
}

TEST_F(InputActionsTest, HatsAndButtonsOnTheDevicesTheReadsAreLimitedTo) {
    const int32_t joystick = pads_.AttachRaw(0, 0, 1);
    RunFrames(1);
    EXPECT_EQ(StepStates({0, 3, 1}, [&] { pads_.Report(joystick).hats[0] = 1 | 2; }), "110 110 000");
    EXPECT_EQ(StepStates({0, 3}, [&] { pads_.Report(joystick).hats[0] = 2; }), "001 100");

    const int32_t first = pads_.AttachStandard();
    pads_.AttachStandard();
    RunFrames(1);
    pads_.Report(first).buttons[STANDARD_A] = 1;
    RunFrames(1);
    EXPECT_EQ(States({4}), "110");
    CInstance* input = FirstOf(oInput);
    Assign(Var(input, SLOT_multiplayer), Value(1));
    Assign(Var(input, SLOT_gpid), BuiltinVar(input, VAR_id));
    Run(psl_Script_input_set_gamepad, 1);
    EXPECT_EQ(States({4}), "000");
    Run(psl_Script_input_set_gamepad, 0);
    EXPECT_EQ(States({4}), "110");
}

TEST_F(InputActionsTest, AWaitingSlotIsFilledInPlaceByWhatTheCaptureFound) {
    EXPECT_EQ(Bindings(2, true), "Left, A, DPad Left, LStick Left, RStick Left, Hat Left");
    Run(psl_Script_input_assign_wait, 2, 1);
    EXPECT_EQ(Bindings(2, true), "Left, (Press Button), DPad Left, LStick Left, RStick Left, Hat Left");
    Key('Q', true);
    RunFrames(1);
    Run(psl_Script_input_assign_key, 2, Run(psl_Script_input_any_key));
    EXPECT_EQ(Bindings(2, true), "Left, Q, DPad Left, LStick Left, RStick Left, Hat Left");
    EXPECT_EQ(States({2}), "110");

    const int32_t pad = pads_.AttachStandard();
    const int32_t joystick = pads_.AttachRaw(0, 0, 2);
    RunFrames(1);
    pads_.Report(pad).buttons[STANDARD_PAD_UP] = 1;
    pads_.Report(pad).buttons[STANDARD_B] = 1;
    SetAxis(pad, 0, 0.9);  // past half way beyond the dead zone of 0.5 that the reads set
    SetAxis(pad, 1, -0.9); // down
    pads_.Report(joystick).hats[1] = 4 | 8;
    UpdateGamepads();
    EXPECT_EQ(Pair(Run(psl_Script_input_any_gamepad_button)), "32770");
    EXPECT_EQ(Pair(Run(psl_Script_input_any_gamepad_axis)), "32785:1");
    EXPECT_EQ(Pair(Run(psl_Script_input_any_gamepad_hat)), "1:4");
    psl_Object_oInput_Step_2(FirstOf(oInput), FirstOf(oInput));
    SetAxis(pad, 0, 0);
    SetAxis(pad, 3, 0.9); // up; the left stick's down was already pushed
    UpdateGamepads();
    EXPECT_EQ(Pair(Run(psl_Script_input_any_gamepad_axis)), "32788:-1");
    for (ScriptFunction nothing_new : {psl_Script_input_any_gamepad_button, psl_Script_input_any_gamepad_hat})
        EXPECT_EQ(Pair(Run(nothing_new)), "-1");
    EXPECT_EQ(Real(Run(psl_Script_input_any_key)), 0);
}

TEST_F(InputActionsTest, KeysAndBindingsHaveTheirNamesAndGlyphs) {
    std::string keys;
    for (int code : {65, 186, 59, 192, 222, 220, 96, 105, 163, 49})
        keys += ValueText(Run(psl_Script_input_key_string, code)) + "/";
    EXPECT_EQ(keys, "A/; :/; :/` ~/'\"/ |/Num 0/Num 9/RCtrl/1/");

    // A binding's plain name and its name with glyphs.
    const auto names = [&](auto... elements) {
        const Value binding = Run(psl_Script_list_create, elements...);
        return ValueText(Run(psl_Script_input_string, binding)) + "|" +
               ValueText(Run(psl_Script_input_string_sprite, binding));
    };
    using namespace binding;
    EXPECT_EQ(names(Mouse, 3), "Middle Click|Middle Click");
    EXPECT_EQ(names(GamepadButton, gp_face1), "Bottom Face Button|\\sConfigFaceButtons:2");
    EXPECT_EQ(names(GamepadButton, gp_shoulderrb), "R Back|R Back");
    EXPECT_EQ(names(GamepadButton, gp_stickr), "RStick Press|\\sConfigRStick:0 Press");
    EXPECT_EQ(names(GamepadButton, 12), "Unknown|Unknown");
    EXPECT_EQ(names(GamepadAxis, gp_axisrv, -1), "RStick Up|\\sConfigRStick:0 Up");
    EXPECT_EQ(names(GamepadAxis, 3, 1), "Unknown|Unknown");
    EXPECT_EQ(names(GamepadHat, 0, 8), "Hat Left|\\sConfigHat:8");
    EXPECT_EQ(names(Wait), "(Press Button)|(Press Button)");
}

} // namespace
