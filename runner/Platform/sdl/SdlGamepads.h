// Gamepads through SDL: devices with a controller mapping (SDL's own database, the
// SDL_GAMECONTROLLERCONFIG environment variable, which SDL reads itself, and mapping files)
// are opened as game controllers and read in the standard layout; every device can also be
// read raw as a joystick. The state is polled: SDL's joystick events are switched off, so
// nothing piles up in the window's event queue and no window is needed.
#pragma once

#include <SDL.h>
#include <map>
#include <memory>
#include <string>

#include "Platform/Gamepads.h"

class SdlGamepads final : public Gamepads {
public:
    // Starts SDL's game controller subsystem; null, with SDL's reason, when it cannot start.
    static std::unique_ptr<SdlGamepads> Create(std::string& error);
    ~SdlGamepads() override;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    void Update() override;
    std::vector<GamepadDevice> Devices() const override;
    bool Read(int32_t id, GamepadLayout layout, GamepadReport& report) const override;
    void Vibrate(int32_t id, float left, float right) override;
    int32_t AddMappingsFromFile(const std::string& path) override;

private:
    SdlGamepads() = default;
    struct Opened {
        GamepadDevice device;
        SDL_GameController* controller = nullptr; // null for a joystick without a mapping
        SDL_Joystick* joystick = nullptr;
    };
    void Open(int device_index);
    static void Close(Opened& opened);
    static void ReadStandard(SDL_GameController* controller, GamepadReport& report);
    static void ReadRaw(const Opened& opened, GamepadReport& report);

    // By SDL's instance id, which is never reused, so the map's order is the attach order.
    std::map<SDL_JoystickID, Opened> opened_;
};
