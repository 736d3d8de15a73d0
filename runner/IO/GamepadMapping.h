// Where a gamepad constant is read on a slot. The standard slots read a fixed layout: the
// button constants name XInput buttons, the triggers are buttons 10 and 11, and the vertical
// stick axes are negated so that down reads positive. The raw slots read through the device's
// controller mapping in SDL's text format ("a:b1", "dpup:h0.1", "leftx:a0", "lefttrigger:a2",
// "-a1", "a3~"), and a constant the mapping does not name reads nothing. On every slot a number
// below GAMEPAD_CONSTANT_BASE is a raw button or axis index.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "IO/GamepadConstants.h"

struct GamepadSource {
    enum class Kind : uint8_t { None, Button, Axis, Hat };
    Kind kind = Kind::None;
    int32_t index = 0;
    int32_t hat_mask = 0;
    // +1 or −1: only that half of the axis, as a magnitude from 0 to 1.
    int32_t half = 0;
    bool inverted = false;
    // A whole axis that stands for a trigger reads from 0 (one end) to 1 (the other).
    bool trigger = false;
};

class GamepadMapping {
public:
    static GamepadMapping Standard();
    // Entries it does not understand are skipped; "" maps nothing.
    static GamepadMapping FromText(std::string_view text);

    GamepadSource Button(int32_t number) const {
        return Find(number, buttons_, other_button_, GamepadSource::Kind::Button);
    }
    GamepadSource Axis(int32_t number) const {
        return Find(number, axes_, other_axis_, GamepadSource::Kind::Axis);
    }

private:
    using Table = std::array<GamepadSource, GAMEPAD_CONSTANT_COUNT>;
    static GamepadSource Find(int32_t number, const Table& table, const GamepadSource& other,
                              GamepadSource::Kind raw);

    Table buttons_{};
    Table axes_{};
    // Numbers at or above the base that name no constant.
    GamepadSource other_button_{};
    GamepadSource other_axis_{};
};
