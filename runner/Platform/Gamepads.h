// The gamepads and joysticks the platform sees. Each device is listed under an id that stays
// the same while it stays attached; which slot of the runner it takes is the runner's choice.
// A device can be read in two layouts: the standard controller layout (devices the platform
// knows a controller mapping for), shaped like an XInput report, or raw, as the joystick's own
// buttons, axes and hats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class GamepadLayout { Standard, Raw };

// Button indices of the standard layout: the bit numbers of the XInput button mask. Bits 10
// and 11 carry no button; the runner keeps its triggers there.
enum StandardButton : int32_t {
    STANDARD_PAD_UP = 0,
    STANDARD_PAD_DOWN = 1,
    STANDARD_PAD_LEFT = 2,
    STANDARD_PAD_RIGHT = 3,
    STANDARD_START = 4,
    STANDARD_BACK = 5,
    STANDARD_LEFT_STICK = 6,
    STANDARD_RIGHT_STICK = 7,
    STANDARD_LEFT_SHOULDER = 8,
    STANDARD_RIGHT_SHOULDER = 9,
    STANDARD_LEFT_TRIGGER = 10,
    STANDARD_RIGHT_TRIGGER = 11,
    STANDARD_A = 12,
    STANDARD_B = 13,
    STANDARD_X = 14,
    STANDARD_Y = 15,
    STANDARD_BUTTON_COUNT = 16,
};
// Axes of the standard layout; the vertical ones are positive upwards, as XInput reports them.
constexpr int32_t STANDARD_AXIS_COUNT = 4;

struct GamepadDevice {
    int32_t id = 0;
    // A controller mapping is known: the device can be read in the standard layout.
    bool standard = false;
    std::string description;
    // The controller mapping in SDL's text format, "" when none is known.
    std::string mapping;
    // The raw layout's sizes.
    int32_t buttons = 0;
    int32_t axes = 0;
    int32_t hats = 0;
};

// One reading of a device.
struct GamepadReport {
    std::vector<uint8_t> buttons; // 1 down, 0 up; the standard layout's by StandardButton
    std::vector<int16_t> axes;    // −32768 to 32767
    std::vector<uint8_t> hats;    // bits: up 1, right 2, down 4, left 8
    uint8_t left_trigger = 0;     // the standard layout's triggers, 0 to 255
    uint8_t right_trigger = 0;
};

class Gamepads {
public:
    virtual ~Gamepads() = default;

    // Brings every device's state up to date and notices devices attached or removed since
    // the last call. Called once per step, before the devices are read.
    virtual void Update() = 0;
    // The devices attached now, in the order they were attached.
    virtual std::vector<GamepadDevice> Devices() const = 0;
    // The device's state as of the last Update; false when it can no longer be read.
    virtual bool Read(int32_t id, GamepadLayout layout, GamepadReport& report) const = 0;
    // Motor levels from 0 to 1 (left the heavy one); devices without motors ignore them.
    virtual void Vibrate(int32_t id, float left, float right) = 0;
    // Adds controller mappings in SDL's text format from a file; returns how many were added
    // (0 for a missing file).
    virtual int32_t AddMappingsFromFile(const std::string& path) = 0;
};
