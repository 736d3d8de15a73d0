// The one CPU vertex stream every drawing call appends to. Corners are computed on the CPU and
// queued; the device draws the queue in one call when the texture changes, when the queue is
// full, or when the caller flushes because target, projection or blend state is about to change.
// Counts draw calls, vertices and texture changes, for tests and benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "Platform/GraphicsDevice.h"

struct DrawCounters {
    int64_t draw_calls = 0;
    int64_t vertices = 0;
    int64_t texture_binds = 0; // draw calls whose texture differs from the previous call's
};

class VertexBatch {
public:
    // Vertices queued at most: 32768 quads, so a busy frame still goes in one draw call. The queue
    // holds only as many as frames have asked for so far.
    static constexpr int kCapacity = 6 * 32768;

    explicit VertexBatch(GraphicsDevice& device);

    // Room for `count` vertices (at most kCapacity) that sample `texture`, to be filled by the
    // caller. What is queued for another texture, or what would overflow, is drawn first.
    Vertex* Append(TextureId texture, int count);
    // Draws what is queued.
    void Flush();

    // The texture of the queued vertices, or of the last draw call when none are queued.
    TextureId Texture() const { return texture_; }
    const DrawCounters& Counters() const { return counters_; }
    void ResetCounters() { counters_ = {}; }

private:
    GraphicsDevice& device_;
    std::vector<Vertex> vertices_;
    int count_ = 0;
    TextureId texture_ = 0;
    TextureId last_drawn_ = 0;
    DrawCounters counters_;
};
