// The runner's one gamepad table and the devices it reads. The built-ins read the table; the
// frame loop's input stage updates it once per step. Until the layer is started (and after it
// stops) the table has all its slots and no devices, so every slot reads as disconnected.
#pragma once

#include <cstdint>
#include <string>

#include "IO/GamepadTable.h"

class Gamepads;

// At start-up: a fresh table of `slot_count` slots reading `devices`, with the controller
// mappings of "gamecontrollerdb.txt" in the package's folder added to the devices' own.
// Devices already attached are discovered in the first step, like any other, so that a replay
// sees the same connection events.
void StartGamepads(Gamepads& devices, int32_t slot_count, const std::string& package_folder);
// Before the devices go away.
void StopGamepads();
GamepadTable& RunnerGamepads();
// This step's reading of the devices; nothing without devices.
void UpdateGamepads();
