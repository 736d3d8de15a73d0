// The CPU vertex stream and its hand-over to the device.
#include "Graphics/VertexBatch.h"

#include <algorithm>
#include <cassert>

namespace {

// What the queue holds from the start: a title screen's worth. It doubles as frames ask for more.
constexpr size_t kFirstCapacity = 6 * 1024;

} // namespace

VertexBatch::VertexBatch(GraphicsDevice& device) : device_(device), vertices_(kFirstCapacity) {}

Vertex* VertexBatch::Append(TextureId texture, int count) {
    assert(count > 0 && count <= kCapacity);
    if (count_ > 0 && (texture != texture_ || count_ + count > kCapacity)) Flush();
    const size_t needed = size_t(count_ + count);
    if (needed > vertices_.size()) vertices_.resize(std::min(size_t(kCapacity), std::max(needed, vertices_.size() * 2)));
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
