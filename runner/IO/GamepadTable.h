// The runner's gamepad slots and the devices behind them. Slots 0 to 3 are the standard slots:
// devices with a controller mapping take the lowest free one. Slots 4 and up take the other
// joysticks, and further controllers once the standard slots are full, and are read raw
// through their mapping. A device keeps its slot until it is removed; a device whose reading
// fails loses its slot's connection and stays out until it is removed and attached again.
//
// Every step the table takes a snapshot of what the devices report and applies it: a slot
// whose connection changes posts the system event "gamepad discovered" or "gamepad lost" with
// its "pad_index". A replay applies recorded snapshots instead (see GamepadSnapshot.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IO/GamepadSlot.h"
#include "IO/GamepadSnapshot.h"
#include "Platform/Gamepads.h"

class GamepadTable {
public:
    static constexpr int32_t kStandardSlots = 4;
    static constexpr int32_t kAllSlots = 12;
    // The most a raw slot keeps of a device.
    static constexpr int32_t kRawButtons = 128;
    static constexpr int32_t kRawAxes = 40;
    static constexpr int32_t kRawHats = 4;

    explicit GamepadTable(int32_t slot_count = kAllSlots);

    int32_t SlotCount() const { return int32_t(slots_.size()); }
    // Null outside the table.
    GamepadSlot* Slot(int32_t index);

    // Reads the devices into a snapshot and applies it, then sends each connected slot's
    // vibration to its device.
    void Update(Gamepads& devices);
    GamepadSnapshot Snapshot() const;
    // Slots beyond the snapshot's end are disconnected.
    void Apply(const GamepadSnapshot& snapshot);

private:
    struct Binding {
        int32_t device = -1; // the device's id; −1 for a free slot
        bool failed = false;
    };
    void Bind(const std::vector<GamepadDevice>& devices);
    int32_t FreeSlot(int32_t first, int32_t end) const;
    GamepadSlotState ReadSlot(Gamepads& devices, int32_t slot, const GamepadDevice& device);

    std::vector<GamepadSlot> slots_;
    std::vector<Binding> bindings_;
};
