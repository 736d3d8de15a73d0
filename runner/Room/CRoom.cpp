// Room layers and the instances a running room owns.
#include "Room/CRoom.h"

#include <algorithm>
#include <cstdio>

#include "Variable/InstancePool.h"

CRoom::~CRoom() {
    for (CInstance* instance : active.View()) FreeInstance(instance);
    for (CInstance* instance : deactivated) FreeInstance(instance);
    ReleaseViewCameras(*this);
}

CLayer* CRoom::FindLayer(int32_t layer_id) {
    for (CLayer& layer : layers)
        if (layer.id == layer_id) return &layer;
    return nullptr;
}

CLayer* CRoom::FindLayer(std::string_view layer_name) {
    for (CLayer& layer : layers)
        if (layer.name == layer_name) return &layer;
    return nullptr;
}

CLayer* CRoom::LayerAtDepth(int32_t depth) {
    for (CLayer& layer : layers)
        if (layer.depth == depth) return &layer;
    return nullptr;
}

CLayer& CRoom::AddLayer(int32_t layer_id, int32_t depth, std::string layer_name) {
    if (layer_name.empty()) {
        char text[32];
        std::snprintf(text, sizeof text, "%s_%x", "_layer", unsigned(layer_id));
        layer_name = text;
    }
    auto at = std::upper_bound(layers.begin(), layers.end(), depth,
                               [](int32_t d, const CLayer& layer) { return d < layer.depth; });
    CLayer layer;
    layer.id = layer_id;
    layer.depth = depth;
    layer.name = std::move(layer_name);
    return *layers.insert(at, std::move(layer));
}

CLayer& CRoom::LayerForDepth(int32_t depth) {
    if (CLayer* layer = LayerAtDepth(depth)) return *layer;
    return AddLayer(NextRunTimeLayerId(), depth, "");
}

namespace {

int32_t g_last_element_id = 0;
int32_t g_last_layer_id = 0;

} // namespace

int32_t NextLayerElementId() { return ++g_last_element_id; }

int32_t NextRunTimeLayerId() { return ++g_last_layer_id; }

void SetHighestPackageLayerId(int32_t id) { g_last_layer_id = std::max(g_last_layer_id, id); }
