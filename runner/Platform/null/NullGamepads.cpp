#include "Platform/null/NullGamepads.h"

std::vector<GamepadDevice> NullGamepads::Devices() const {
    std::vector<GamepadDevice> list;
    for (const auto& [id, attached] : devices_)
        list.push_back(attached.device);
    return list;
}

bool NullGamepads::Read(int32_t id, GamepadLayout, GamepadReport& report) const {
    auto found = devices_.find(id);
    if (found == devices_.end() || found->second.failing) return false;
    report = found->second.report;
    return true;
}

int32_t NullGamepads::AddMappingsFromFile(const std::string& path) {
    mapping_files.push_back(path);
    return 0;
}

int32_t NullGamepads::Attach(GamepadDevice device) {
    device.id = next_id_++;
    Attached& attached = devices_[device.id];
    attached.report.buttons.resize(size_t(device.buttons));
    attached.report.axes.resize(size_t(device.axes));
    attached.report.hats.resize(size_t(device.hats));
    attached.device = std::move(device);
    return attached.device.id;
}

int32_t NullGamepads::AttachStandard(const std::string& description) {
    GamepadDevice device;
    device.standard = true;
    device.description = description;
    device.buttons = STANDARD_BUTTON_COUNT;
    device.axes = STANDARD_AXIS_COUNT;
    return Attach(std::move(device));
}

int32_t NullGamepads::AttachRaw(int32_t buttons, int32_t axes, int32_t hats,
                                const std::string& mapping) {
    GamepadDevice device;
    device.description = "Test joystick";
    device.mapping = mapping;
    device.buttons = buttons;
    device.axes = axes;
    device.hats = hats;
    return Attach(std::move(device));
}

void NullGamepads::Detach(int32_t id) {
    devices_.erase(id);
    motors.erase(id);
}
