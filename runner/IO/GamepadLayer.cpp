#include "IO/GamepadLayer.h"

#include <filesystem>

#include "Base/OutputChannel.h"
#include "Base/Utf8Path.h"

namespace {

struct GamepadLayer {
    GamepadTable table{GamepadTable::kAllSlots};
    Gamepads* devices = nullptr;
};

GamepadLayer& Layer() {
    static GamepadLayer layer;
    return layer;
}

} // namespace

void StartGamepads(Gamepads& devices, int32_t slot_count, const std::string& package_folder) {
    Layer() = GamepadLayer{GamepadTable(slot_count), &devices};
    std::error_code error;
    std::filesystem::path file = Utf8Path(package_folder) / "gamecontrollerdb.txt";
    if (std::filesystem::is_regular_file(file, error))
        DebugOutput().Printf("Gamepad mappings: %d from %s\n",
                             devices.AddMappingsFromFile(Utf8Text(file)), Utf8Text(file).c_str());
}

void StopGamepads() {
    Layer() = GamepadLayer{};
}

GamepadTable& RunnerGamepads() {
    return Layer().table;
}

void UpdateGamepads() {
    if (Layer().devices) Layer().table.Update(*Layer().devices);
}
