// The camera table: slots indexed by id, a freed id given to the next camera made.
#include "Room/CameraTable.h"

#include <optional>
#include <vector>

namespace {

std::vector<std::optional<CCamera>> g_cameras;

} // namespace

int32_t CreateCamera(float x, float y, float width, float height) {
    size_t slot = 0;
    while (slot < g_cameras.size() && g_cameras[slot])
        ++slot;
    if (slot == g_cameras.size()) g_cameras.emplace_back();
    g_cameras[slot] = CCamera{int32_t(slot), x, y, width, height, true};
    return int32_t(slot);
}

CCamera* GetCamera(int32_t id) {
    if (id < 0 || size_t(id) >= g_cameras.size() || !g_cameras[size_t(id)]) return nullptr;
    return &*g_cameras[size_t(id)];
}

void DestroyCamera(int32_t id) {
    if (CCamera* camera = GetCamera(id)) g_cameras[size_t(camera->id)].reset();
}
