// The one shader program the device draws with: positions through a 2D orthographic
// projection, the vertex colour multiplied by the sampled texel.
#pragma once

#include <epoxy/gl.h>
#include <string>

class GlShaderProgram {
public:
    GlShaderProgram() = default;
    ~GlShaderProgram();
    GlShaderProgram(const GlShaderProgram&) = delete;
    GlShaderProgram& operator=(const GlShaderProgram&) = delete;

    // Compiles, links and makes the program current; false with the driver's log in error.
    bool Build(std::string& error);
    // World x' = x * scale_x + offset_x (likewise y) gives clip coordinates.
    void SetProjection(float scale_x, float scale_y, float offset_x, float offset_y);

private:
    GLuint program_ = 0;
    GLint projection_location_ = -1;
};
