#include "Platform/sdl/SdlGamepads.h"

#include <algorithm>

namespace {

// Each step renews the motors' levels; should the steps stop coming, the motors stop soon after.
constexpr Uint32 kRumbleMillis = 1000;

struct ButtonPlace {
    SDL_GameControllerButton sdl;
    StandardButton standard;
};
constexpr ButtonPlace kStandardButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, STANDARD_PAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, STANDARD_PAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, STANDARD_PAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, STANDARD_PAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, STANDARD_START},
    {SDL_CONTROLLER_BUTTON_BACK, STANDARD_BACK},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, STANDARD_LEFT_STICK},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, STANDARD_RIGHT_STICK},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, STANDARD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, STANDARD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_A, STANDARD_A},
    {SDL_CONTROLLER_BUTTON_B, STANDARD_B},
    {SDL_CONTROLLER_BUTTON_X, STANDARD_X},
    {SDL_CONTROLLER_BUTTON_Y, STANDARD_Y},
};

// SDL's vertical axes grow downwards; the standard layout's grow upwards.
int16_t Upwards(Sint16 value) {
    return static_cast<int16_t>(std::min(-int32_t(value), 32767));
}

// SDL's triggers run from 0 to 32767, the standard layout's from 0 to 255; rounding puts
// SDL's half-way (16383) on 128, which reads as exactly 0.5.
uint8_t TriggerByte(Sint16 value) {
    return static_cast<uint8_t>(std::clamp((int32_t(value) * 256 + 16383) / 32767, 0, 255));
}

Uint16 MotorSpeed(float level) {
    return static_cast<Uint16>(std::clamp(level, 0.0f, 1.0f) * 65535.0f);
}

} // namespace

std::unique_ptr<SdlGamepads> SdlGamepads::Create(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    return std::unique_ptr<SdlGamepads>(new SdlGamepads());
}

SdlGamepads::~SdlGamepads() {
    for (auto& [instance, opened] : opened_)
        Close(opened);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::Update() {
    SDL_GameControllerUpdate();
    for (auto it = opened_.begin(); it != opened_.end();) {
        if (SDL_JoystickGetAttached(it->second.joystick)) {
            ++it;
            continue;
        }
        Close(it->second);
        it = opened_.erase(it);
    }
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (!opened_.contains(SDL_JoystickGetDeviceInstanceID(index))) Open(index);
}

void SdlGamepads::Open(int device_index) {
    Opened opened;
    if (SDL_IsGameController(device_index)) {
        opened.controller = SDL_GameControllerOpen(device_index);
        if (opened.controller) opened.joystick = SDL_GameControllerGetJoystick(opened.controller);
    } else {
        opened.joystick = SDL_JoystickOpen(device_index);
    }
    if (!opened.joystick) return;
    GamepadDevice& device = opened.device;
    device.id = SDL_JoystickInstanceID(opened.joystick);
    device.standard = opened.controller != nullptr;
    const char* name = opened.controller ? SDL_GameControllerName(opened.controller)
                                         : SDL_JoystickName(opened.joystick);
    device.description = name ? name : "";
    if (char* mapping = SDL_GameControllerMappingForDeviceIndex(device_index)) {
        device.mapping = mapping;
        SDL_free(mapping);
    }
    device.buttons = SDL_JoystickNumButtons(opened.joystick);
    device.axes = SDL_JoystickNumAxes(opened.joystick);
    device.hats = SDL_JoystickNumHats(opened.joystick);
    opened_[device.id] = std::move(opened);
}

void SdlGamepads::Close(Opened& opened) {
    if (opened.controller)
        SDL_GameControllerClose(opened.controller);
    else
        SDL_JoystickClose(opened.joystick);
}

std::vector<GamepadDevice> SdlGamepads::Devices() const {
    std::vector<GamepadDevice> devices;
    for (const auto& [instance, opened] : opened_)
        devices.push_back(opened.device);
    return devices;
}

bool SdlGamepads::Read(int32_t id, GamepadLayout layout, GamepadReport& report) const {
    auto found = opened_.find(id);
    if (found == opened_.end() || !SDL_JoystickGetAttached(found->second.joystick)) return false;
    if (layout == GamepadLayout::Standard && found->second.controller)
        ReadStandard(found->second.controller, report);
    else
        ReadRaw(found->second, report);
    return true;
}

void SdlGamepads::ReadStandard(SDL_GameController* controller, GamepadReport& report) {
    report.buttons.assign(STANDARD_BUTTON_COUNT, 0);
    for (const ButtonPlace& place : kStandardButtons)
        report.buttons[size_t(place.standard)] = SDL_GameControllerGetButton(controller, place.sdl);
    report.axes = {SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX),
                   Upwards(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY)),
                   SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX),
                   Upwards(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY))};
    report.hats.clear();
    report.left_trigger =
        TriggerByte(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    report.right_trigger =
        TriggerByte(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
}

void SdlGamepads::ReadRaw(const Opened& opened, GamepadReport& report) {
    const GamepadDevice& device = opened.device;
    report.buttons.resize(size_t(device.buttons));
    for (int i = 0; i < device.buttons; ++i)
        report.buttons[size_t(i)] = SDL_JoystickGetButton(opened.joystick, i);
    report.axes.resize(size_t(device.axes));
    for (int i = 0; i < device.axes; ++i)
        report.axes[size_t(i)] = SDL_JoystickGetAxis(opened.joystick, i);
    report.hats.resize(size_t(device.hats));
    for (int i = 0; i < device.hats; ++i)
        report.hats[size_t(i)] = SDL_JoystickGetHat(opened.joystick, i);
    report.left_trigger = report.right_trigger = 0;
}

void SdlGamepads::Vibrate(int32_t id, float left, float right) {
    auto found = opened_.find(id);
    if (found == opened_.end() || !SDL_JoystickHasRumble(found->second.joystick)) return;
    SDL_JoystickRumble(found->second.joystick, MotorSpeed(left), MotorSpeed(right), kRumbleMillis);
}

int32_t SdlGamepads::AddMappingsFromFile(const std::string& path) {
    int added = SDL_GameControllerAddMappingsFromFile(path.c_str());
    return added > 0 ? added : 0;
}
