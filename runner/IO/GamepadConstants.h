// The gamepad button and axis constants of the scripting language. Numbers below
// GAMEPAD_CONSTANT_BASE name a device's raw button or axis instead.
#pragma once

#include <cstdint>

// clang-format off
#define RUNNER_GAMEPAD_CONSTANTS(X)                                                                \
    X(gp_face1, 32769) X(gp_face2, 32770) X(gp_face3, 32771) X(gp_face4, 32772)                    \
    X(gp_shoulderl, 32773) X(gp_shoulderr, 32774) X(gp_shoulderlb, 32775) X(gp_shoulderrb, 32776)  \
    X(gp_select, 32777) X(gp_start, 32778) X(gp_stickl, 32779) X(gp_stickr, 32780)                 \
    X(gp_padu, 32781) X(gp_padd, 32782) X(gp_padl, 32783) X(gp_padr, 32784)                        \
    X(gp_axislh, 32785) X(gp_axislv, 32786) X(gp_axisrh, 32787) X(gp_axisrv, 32788)
// clang-format on

#define RUNNER_DECLARE_GAMEPAD_CONSTANT(name, value) inline constexpr int32_t name = value;
RUNNER_GAMEPAD_CONSTANTS(RUNNER_DECLARE_GAMEPAD_CONSTANT)
#undef RUNNER_DECLARE_GAMEPAD_CONSTANT

constexpr int32_t GAMEPAD_CONSTANT_BASE = 32768;
constexpr int32_t GAMEPAD_CONSTANT_COUNT = gp_axisrv - gp_face1 + 1;
