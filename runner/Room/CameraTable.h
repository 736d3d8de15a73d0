// The runner's cameras, looked up by id. A camera holds a view rectangle in room coordinates;
// its changed flag tells the drawing code to rebuild its matrices.
#pragma once

#include <cstdint>

struct CCamera {
    int32_t id;
    float x;
    float y;
    float width;
    float height;
    bool changed;
};

// The new camera's id: the lowest one free.
int32_t CreateCamera(float x, float y, float width, float height);
// Null when no camera has the id.
CCamera* GetCamera(int32_t id);
// An id that names no camera is ignored.
void DestroyCamera(int32_t id);
