// The vertex array and the one buffer that every batch of triangles streams through.
#pragma once

#include <epoxy/gl.h>

#include "Platform/GraphicsDevice.h"

class GlVertexStream {
public:
    // Makes the vertex array and buffer and leaves both bound.
    GlVertexStream();
    ~GlVertexStream();
    GlVertexStream(const GlVertexStream&) = delete;
    GlVertexStream& operator=(const GlVertexStream&) = delete;

    void Draw(const Vertex* vertices, int count);

private:
    GLuint array_ = 0;
    GLuint buffer_ = 0;
};
