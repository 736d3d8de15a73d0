// Streaming vertices: each batch re-specifies the whole buffer, so the driver hands out fresh
// storage instead of waiting for the previous draw to finish reading the old one.
#include "Platform/opengl/GlVertexStream.h"

#include <bit>
#include <cstddef>

namespace {

const void* Offset(size_t bytes) {
    return reinterpret_cast<const void*>(bytes);
}

} // namespace

GlVertexStream::GlVertexStream() {
    glGenVertexArrays(1, &array_);
    glBindVertexArray(array_);
    glGenBuffers(1, &buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    constexpr GLsizei kStride = sizeof(Vertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, Offset(offsetof(Vertex, x)));
    // Red in the low byte is red first in memory: four normalised bytes in order.
    static_assert(std::endian::native == std::endian::little);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
                          Offset(offsetof(Vertex, colour)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, kStride, Offset(offsetof(Vertex, u)));
}

GlVertexStream::~GlVertexStream() {
    glDeleteBuffers(1, &buffer_);
    glDeleteVertexArrays(1, &array_);
}

void GlVertexStream::Draw(const Vertex* vertices, int count) {
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count) * GLsizeiptr{sizeof(Vertex)},
                 vertices, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, count);
}
