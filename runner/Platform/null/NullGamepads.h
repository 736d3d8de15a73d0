// Gamepads without a platform: none are attached unless a test attaches them, and a test sets
// what they report. The standard and raw layouts read the same report.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Platform/Gamepads.h"

class NullGamepads final : public Gamepads {
public:
    struct Motors {
        float left = 0;
        float right = 0;
    };

    void Update() override { ++updates; }
    std::vector<GamepadDevice> Devices() const override;
    bool Read(int32_t id, GamepadLayout layout, GamepadReport& report) const override;
    void Vibrate(int32_t id, float left, float right) override { motors[id] = {left, right}; }
    int32_t AddMappingsFromFile(const std::string& path) override;

    // A controller in the standard layout, or a joystick with only raw buttons, axes and hats
    // (with a controller mapping when one is given). Returns the device's id.
    int32_t AttachStandard(const std::string& description = "Test controller");
    int32_t AttachRaw(int32_t buttons, int32_t axes, int32_t hats, const std::string& mapping = "");
    void Detach(int32_t id);
    // What the device reports from now on; a test writes into it.
    GamepadReport& Report(int32_t id) { return devices_[id].report; }
    // The device stays listed, but reading it fails.
    void FailReads(int32_t id) { devices_[id].failing = true; }

    int32_t updates = 0;
    std::map<int32_t, Motors> motors;
    std::vector<std::string> mapping_files;

private:
    struct Attached {
        GamepadDevice device;
        GamepadReport report;
        bool failing = false;
    };
    int32_t Attach(GamepadDevice device);

    std::map<int32_t, Attached> devices_;
    int32_t next_id_ = 1;
};
