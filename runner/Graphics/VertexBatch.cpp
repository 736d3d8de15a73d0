// The CPU vertex stream and its hand-over to the device.
#include "Graphics/VertexBatch.h"

#include <cassert>

VertexBatch::VertexBatch(GraphicsDevice& device) : device_(device), vertices_(kCapacity) {}

Vertex* VertexBatch::Append(TextureId texture, int count) {
    assert(count > 0 && count <= kCapacity);
    if (count_ > 0 && (texture != texture_ || count_ + count > kCapacity)) Flush();
    texture_ = texture;
    Vertex* room = vertices_.data() + count_;
    count_ += count;
    return room;
}

void VertexBatch::Flush() {
    if (count_ == 0) return;
    device_.DrawTriangles(texture_, vertices_.data(), count_);
    ++counters_.draw_calls;
    counters_.vertices += count_;
    if (texture_ != last_drawn_) ++counters_.texture_binds;
    last_drawn_ = texture_;
    count_ = 0;
}
