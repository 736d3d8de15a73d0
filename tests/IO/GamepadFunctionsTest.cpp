// The gamepad built-ins over the null devices: the standard slots' layout, the threshold and
// dead zone rules, the raw slots' controller mappings, and how devices take and leave slots.
#include "BuiltinCallFixture.h"
#include "Code/RuntimeError.h"
#include "IO/GamepadConstants.h"
#include "IO/GamepadLayer.h"
#include "Object/AsyncEvents.h"
#include "Platform/null/NullGamepads.h"

namespace {

class GamepadFunctionsTest : public BuiltinCallTest {
protected:
    void SetUp() override {
        BuiltinCallTest::SetUp();
        StartGamepads(pads_, GamepadTable::kAllSlots, "");
    }
    void TearDown() override {
        StopGamepads();
        ClearAsyncEvents();
        BuiltinCallTest::TearDown();
    }
    double Read(const char* name, int32_t slot, int32_t what) {
        return Number(name, RealValue(slot), RealValue(what));
    }
    double Read(const char* name, int32_t slot) { return Number(name, RealValue(slot)); }
    // "H" held, "P" pressed, "R" released, "-" for each that is not.
    std::string Button(int32_t slot, int32_t button) {
        return std::string(Read("gamepad_button_check", slot, button) ? "H" : "-") +
               (Read("gamepad_button_check_pressed", slot, button) ? "P" : "-") +
               (Read("gamepad_button_check_released", slot, button) ? "R" : "-");
    }

    NullGamepads pads_;
};

TEST_F(GamepadFunctionsTest, StandardSlotButtonsTriggersSticksThresholdAndDeadZone) {
    int32_t pad = pads_.AttachStandard();
    EXPECT_EQ(Read("gamepad_is_connected", 0), 0) << "devices are discovered by the step's update";
    UpdateGamepads();
    ASSERT_EQ(Read("gamepad_is_connected", 0), 1);
    EXPECT_EQ((std::vector{Read("gamepad_button_count", 0), Read("gamepad_axis_count", 0),
                           Read("gamepad_hat_count", 0)}),
              (std::vector<double>{16, 4, 0}));

    pads_.Report(pad).buttons[STANDARD_A] = 1;
    UpdateGamepads();
    EXPECT_EQ(Button(0, gp_face1), "HP-");
    EXPECT_EQ(Read("gamepad_button_check", 0, 12), 1) << "A is raw button 12";
    EXPECT_EQ(Button(0, gp_face2), "---");
    UpdateGamepads();
    EXPECT_EQ(Button(0, gp_face1), "H--");
    pads_.Report(pad).buttons[STANDARD_A] = 0;
    pads_.Report(pad).buttons[STANDARD_PAD_UP] = 1;
    UpdateGamepads();
    EXPECT_EQ(Button(0, gp_face1), "--R");
    EXPECT_EQ(Button(0, gp_padu), "HP-");
    EXPECT_EQ(Button(0, gp_axislh), "HP-") << "other constants name button 0, pad up";
    UpdateGamepads();
    EXPECT_EQ(Button(0, gp_face1), "---");

    GamepadReport& report = pads_.Report(pad);
    report.left_trigger = 128;
    report.right_trigger = 127;
    report.axes = {16384, -32768, 0, 32767};
    UpdateGamepads();
    EXPECT_EQ(Read("gamepad_button_value", 0, gp_shoulderlb), 0.5);
    EXPECT_EQ(Button(0, gp_shoulderlb), "HP-") << "half-way reaches the default threshold";
    EXPECT_EQ(Button(0, gp_shoulderrb), "---");
    EXPECT_EQ(Read("gamepad_axis_value", 0, gp_axislh), 0.5);
    EXPECT_EQ(Read("gamepad_axis_value", 0, gp_axislv), 1)
        << "the stick pushed down reads positive";
    EXPECT_EQ(Read("gamepad_axis_value", 0, 1), -1) << "the raw axis keeps its sign";
    EXPECT_FLOAT_EQ(Read("gamepad_axis_value", 0, gp_axisrv), -32767.0 / 32768);

    Call("gamepad_set_button_threshold", RealValue(0), RealValue(0.75));
    EXPECT_EQ(Button(0, gp_shoulderlb), "---");

    Call("gamepad_set_axis_deadzone", RealValue(0), RealValue(0.25));
    for (auto [raw, expected] : {std::pair{6554, 0.0}, {20480, 0.5}, {-32768, -1.0}}) {
        report.axes[2] = int16_t(raw);
        UpdateGamepads();
        EXPECT_NEAR(Read("gamepad_axis_value", 0, gp_axisrh), expected, 1e-6) << raw;
    }
    RuntimeErrorCapture errors;
    Call("gamepad_set_axis_deadzone", RealValue(0), RealValue(1.5));
    EXPECT_EQ(Read("gamepad_get_axis_deadzone", 0), 0.25);
    // A slot outside the table changes and reports nothing.
    for (int32_t slot : {-1, 12}) {
        EXPECT_EQ(std::pair(Read("gamepad_is_connected", slot),
                            Read("gamepad_axis_value", slot, gp_axislh)),
                  std::pair(0.0, 0.0));
        Call("gamepad_set_axis_deadzone", RealValue(slot), RealValue(2));
    }
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"Axis dead zone is outside the accepted range"});
}

TEST(GamepadDeadZoneTest, RescalesBeyondTheZone) {
    for (auto [value, zone, rescaled] : {std::tuple{0.2f, 0.25f, 0.f}, {0.625f, 0.25f, 0.5f},
                                         {-1.f, 0.25f, -1.f}, {-0.3f, 0.f, -0.3f}, {0.3f, 1.f, 0.f},
                                         {-1.f, 1.f, -1.f}})
        EXPECT_EQ(ApplyDeadZone(value, zone), rescaled) << value << " in " << zone;
}

TEST_F(GamepadFunctionsTest, RawSlotsReadThroughTheirMapping) {
    int32_t stick =
        pads_.AttachRaw(4, 4, 1,
                        "03000000aaaa,Test Stick,a:b1,b:b5,dpup:h0.1,leftx:a0,lefty:a1~,"
                        "lefttrigger:a2,righttrigger:+a3,dpdown:-a3,x:b7,platform:Linux,");
    int32_t plain = pads_.AttachRaw(2, 1, 0);
    UpdateGamepads();
    ASSERT_EQ(Read("gamepad_is_connected", 4) + Read("gamepad_is_connected", 5), 2)
        << "joysticks start at slot 4";
    EXPECT_EQ(Read("gamepad_hat_count", 4), 1);

    GamepadReport& report = pads_.Report(stick);
    report.buttons = {0, 1, 0, 0};
    report.hats = {1};
    report.axes = {-16384, 16384, 0, -32768};
    UpdateGamepads();
    EXPECT_EQ(Button(4, gp_face1), "HP-");
    EXPECT_EQ(Read("gamepad_button_check", 4, 1), 1) << "raw indexes still read";
    EXPECT_EQ(Button(4, gp_padu), "HP-") << "a hat direction serves as a button";
    EXPECT_EQ(Read("gamepad_hat_value", 4, 0), 1);
    EXPECT_EQ(Read("gamepad_axis_value", 4, gp_axislh), -0.5);
    EXPECT_EQ(Read("gamepad_axis_value", 4, gp_axislv), -0.5) << "an inverted axis";
    EXPECT_EQ(Read("gamepad_button_value", 4, gp_shoulderlb), 0.5) << "a whole axis as a trigger";
    EXPECT_EQ(Read("gamepad_button_value", 4, gp_shoulderrb), 0) << "the upper half only";
    EXPECT_EQ(Button(4, gp_padd), "HP-") << "the lower half pushed fully";
    EXPECT_EQ(Button(4, gp_face2), "---") << "a button the device lacks";
    EXPECT_EQ(Read("gamepad_button_value", 4, gp_face3), 0);
    EXPECT_EQ(Read("gamepad_axis_value", 4, gp_axisrh), 0) << "a part the mapping leaves out";

    pads_.Report(plain).buttons = {1, 1};
    UpdateGamepads();
    EXPECT_EQ(Read("gamepad_button_check", 5, 0), 1);
    EXPECT_EQ(Read("gamepad_button_check", 5, gp_face1), 0) << "no mapping, no constants";
}

TEST_F(GamepadFunctionsTest, DevicesTakeAndLeaveSlots) {
    int32_t first = pads_.AttachStandard("first");
    std::vector<int32_t> more;
    for (int i = 0; i < 4; ++i)
        more.push_back(pads_.AttachStandard("more"));
    UpdateGamepads();
    EXPECT_EQ(Text("gamepad_get_description", RealValue(0)), "first");
    EXPECT_EQ(Read("gamepad_is_connected", 4), 1) << "a fifth controller is read raw";
    EXPECT_EQ(Read("gamepad_button_count", 4), 16);

    pads_.Detach(first);
    UpdateGamepads();
    EXPECT_EQ(Read("gamepad_is_connected", 0), 0);
    int32_t again = pads_.AttachStandard("again");
    UpdateGamepads();
    EXPECT_EQ(Text("gamepad_get_description", RealValue(0)), "again") << "the lowest free slot";
    EXPECT_EQ(Read("gamepad_is_connected", 4), 1) << "a device keeps its slot";

    pads_.Report(again).buttons[STANDARD_B] = 1;
    UpdateGamepads();
    pads_.FailReads(again);
    UpdateGamepads();
    EXPECT_EQ(Read("gamepad_is_connected", 0), 0);
    EXPECT_EQ(Button(0, gp_face2), "--R") << "a lost slot's values are cleared";
    UpdateGamepads();
    EXPECT_EQ(Read("gamepad_is_connected", 0), 0) << "a failed device stays out";

    Call("gamepad_set_vibration", RealValue(1), RealValue(0.25), RealValue(3));
    UpdateGamepads();
    EXPECT_EQ(std::pair(pads_.motors[more[0]].left, pads_.motors[more[0]].right),
              std::pair(0.25f, 1.0f));
    EXPECT_EQ(Number("gamepad_get_device_count"), 12);
}

TEST_F(GamepadFunctionsTest, SnapshotsReplayWhatTheDevicesReported) {
    int32_t pad = pads_.AttachStandard();
    pads_.Report(pad).left_trigger = 200;
    pads_.Report(pad).axes = {-100, 2000, 0, 0};
    UpdateGamepads();
    int32_t stick = pads_.AttachRaw(2, 2, 1, "00,Stick,a:b1,");
    pads_.Report(stick).hats = {8};
    pads_.Report(stick).buttons = {0, 1};
    UpdateGamepads();
    GamepadSnapshot recorded = RunnerGamepads().Snapshot();

    // A replay has no devices at all.
    StopGamepads();
    RunnerGamepads().Apply(recorded);
    EXPECT_EQ(RunnerGamepads().Snapshot(), recorded);
    EXPECT_EQ(Read("gamepad_button_value", 0, gp_shoulderlb), 200.0 / 256);
    EXPECT_FLOAT_EQ(Read("gamepad_axis_value", 0, gp_axislv), -2000.0 / 32768);
    EXPECT_EQ(Read("gamepad_hat_value", 4, 0), 8);
    EXPECT_EQ(Read("gamepad_button_check", 4, gp_face1), 1) << "through the recorded mapping";
    RunnerGamepads().Apply({});
    EXPECT_EQ(Read("gamepad_is_connected", 0), 0);
}

} // namespace
