// A layer of a running room: its depth, offsets and speeds, and the elements drawn on it.
// Instances sit on layers as instance elements.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Room/LayerElements.h"

class CInstance;

struct LayerElement {
    int32_t id = -1; // from the runner-wide element counter
    CInstance* instance = nullptr;
    LayerAsset asset;
};

struct CLayer {
    int32_t id = -1;
    std::string name;
    int32_t depth = 0;
    float x_offset = 0;
    float y_offset = 0;
    float speed_x = 0;
    float speed_y = 0;
    bool visible = true;
    std::vector<LayerElement> elements;
};

// Element ids are unique across rooms for the whole run.
int32_t NextLayerElementId();
// A layer made at run time gets one above the greater of the last such id and the highest
// layer id of the package.
int32_t NextRunTimeLayerId();
void SetHighestPackageLayerId(int32_t id);
