#include "IO/GamepadTable.h"

#include <algorithm>

#include "Code/GameConstants.h"
#include "Object/AsyncEvents.h"

namespace {

// Trigger bytes and stick values scale as XInput's do.
constexpr float kTriggerScale = 1.0f / 256.0f;
constexpr float kAxisScale = 1.0f / 32768.0f;

float ButtonValue(uint8_t down) {
    return down ? 1.0f : 0.0f;
}
float AxisValue(int16_t axis) {
    return float(axis) * kAxisScale;
}

// `count` values, converted; those the report lacks read 0.
template <typename To, typename From, typename Convert>
std::vector<To> Converted(const std::vector<From>& from, size_t count, Convert convert) {
    std::vector<To> to(count);
    for (size_t i = 0; i < std::min(count, from.size()); ++i)
        to[i] = convert(from[i]);
    return to;
}

// What a raw slot keeps of a device.
template <typename To, typename From, typename Convert>
std::vector<To> ConvertedUpTo(const std::vector<From>& from, int32_t limit, Convert convert) {
    return Converted<To>(from, std::min(from.size(), size_t(limit)), convert);
}

void ReadStandard(const GamepadReport& report, GamepadValues& values) {
    values.buttons = Converted<float>(report.buttons, STANDARD_BUTTON_COUNT, ButtonValue);
    values.buttons[STANDARD_LEFT_TRIGGER] = float(report.left_trigger) * kTriggerScale;
    values.buttons[STANDARD_RIGHT_TRIGGER] = float(report.right_trigger) * kTriggerScale;
    values.axes = Converted<float>(report.axes, STANDARD_AXIS_COUNT, AxisValue);
}

void ReadRaw(const GamepadReport& report, GamepadValues& values) {
    values.buttons = ConvertedUpTo<float>(report.buttons, GamepadTable::kRawButtons, ButtonValue);
    values.axes = ConvertedUpTo<float>(report.axes, GamepadTable::kRawAxes, AxisValue);
    values.hats = ConvertedUpTo<int32_t>(report.hats, GamepadTable::kRawHats,
                                         [](uint8_t hat) { return int32_t(hat); });
}

void PostConnection(int32_t slot, bool connected) {
    PostAsyncEvent(ev_system_event,
                   {{"event_type", connected ? "gamepad discovered" : "gamepad lost"},
                    {"pad_index", double(slot)}});
}

} // namespace

GamepadTable::GamepadTable(int32_t slot_count)
    : slots_(size_t(std::clamp(slot_count, 0, kAllSlots))), bindings_(slots_.size()) {}

GamepadSlot* GamepadTable::Slot(int32_t index) {
    if (index < 0 || index >= SlotCount()) return nullptr;
    return &slots_[size_t(index)];
}

int32_t GamepadTable::FreeSlot(int32_t first, int32_t end) const {
    for (int32_t slot = first; slot < std::min(end, SlotCount()); ++slot)
        if (bindings_[size_t(slot)].device < 0) return slot;
    return -1;
}

void GamepadTable::Bind(const std::vector<GamepadDevice>& devices) {
    auto listed = [&](int32_t id) {
        return std::any_of(devices.begin(), devices.end(),
                           [&](const GamepadDevice& d) { return d.id == id; });
    };
    for (Binding& binding : bindings_)
        if (binding.device >= 0 && !listed(binding.device)) binding = Binding{};
    for (const GamepadDevice& device : devices) {
        auto bound = std::find_if(bindings_.begin(), bindings_.end(),
                                  [&](const Binding& b) { return b.device == device.id; });
        if (bound != bindings_.end()) continue;
        int32_t slot = device.standard ? FreeSlot(0, kStandardSlots) : -1;
        if (slot < 0) slot = FreeSlot(kStandardSlots, kAllSlots);
        if (slot >= 0) bindings_[size_t(slot)].device = device.id;
    }
}

GamepadSlotState GamepadTable::ReadSlot(Gamepads& devices, int32_t slot,
                                        const GamepadDevice& device) {
    GamepadSlotState state;
    GamepadReport report;
    state.standard = slot < kStandardSlots;
    if (!devices.Read(device.id, state.standard ? GamepadLayout::Standard : GamepadLayout::Raw,
                      report))
        return GamepadSlotState{};
    state.connected = true;
    state.description = device.description;
    if (state.standard) {
        ReadStandard(report, state.values);
    } else {
        state.mapping = device.mapping;
        ReadRaw(report, state.values);
    }
    return state;
}

void GamepadTable::Update(Gamepads& devices) {
    devices.Update();
    const std::vector<GamepadDevice> attached = devices.Devices();
    Bind(attached);
    GamepadSnapshot snapshot(slots_.size());
    for (size_t slot = 0; slot < slots_.size(); ++slot) {
        Binding& binding = bindings_[slot];
        if (binding.device < 0 || binding.failed) continue;
        for (const GamepadDevice& device : attached)
            if (device.id == binding.device)
                snapshot[slot] = ReadSlot(devices, int32_t(slot), device);
        binding.failed = !snapshot[slot].connected;
    }
    Apply(snapshot);
    for (size_t slot = 0; slot < slots_.size(); ++slot)
        if (slots_[slot].Connected())
            devices.Vibrate(bindings_[slot].device, slots_[slot].vibration_left,
                            slots_[slot].vibration_right);
}

GamepadSnapshot GamepadTable::Snapshot() const {
    GamepadSnapshot snapshot;
    for (const GamepadSlot& slot : slots_)
        snapshot.push_back(slot.State());
    return snapshot;
}

void GamepadTable::Apply(const GamepadSnapshot& snapshot) {
    for (size_t slot = 0; slot < slots_.size(); ++slot) {
        // A disconnected slot reads nothing, whatever else the snapshot holds.
        const GamepadSlotState& given =
            slot < snapshot.size() ? snapshot[slot] : GamepadSlotState{};
        bool was_connected = slots_[slot].Connected();
        slots_[slot].Take(given.connected ? given : GamepadSlotState{});
        if (was_connected != given.connected) PostConnection(int32_t(slot), given.connected);
    }
}
