// Compiling and linking the device's shader program.
#include "Platform/opengl/GlShaderProgram.h"

#include <vector>

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 texcoord;
uniform vec4 projection;
out vec4 vertex_colour;
out vec2 vertex_texcoord;
void main() {
    gl_Position = vec4(position.xy * projection.xy + projection.zw, 0.0, 1.0);
    vertex_colour = colour;
    vertex_texcoord = texcoord;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vertex_colour;
in vec2 vertex_texcoord;
uniform sampler2D page;
out vec4 fragment;
void main() {
    fragment = texture(page, vertex_texcoord) * vertex_colour;
}
)";

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length) + 1);
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    return log.data();
}

GLuint Compile(GLenum kind, const char* source, std::string& error) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    error = "shader does not compile: " + ShaderLog(shader);
    glDeleteShader(shader);
    return 0;
}

} // namespace

GlShaderProgram::~GlShaderProgram() {
    if (program_) glDeleteProgram(program_);
}

bool GlShaderProgram::Build(std::string& error) {
    GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader, error);
    if (!vertex) return false;
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader, error);
    if (!fragment) {
        glDeleteShader(vertex);
        return false;
    }
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glLinkProgram(program_);
    // The program keeps what it needs; the shaders go when it does.
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (!linked) {
        GLint length = 0;
        glGetProgramiv(program_, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length) + 1);
        glGetProgramInfoLog(program_, length, nullptr, log.data());
        error = std::string("shader program does not link: ") + log.data();
        return false;
    }
    glUseProgram(program_);
    projection_location_ = glGetUniformLocation(program_, "projection");
    glUniform1i(glGetUniformLocation(program_, "page"), 0);
    return true;
}

void GlShaderProgram::SetProjection(float scale_x, float scale_y, float offset_x, float offset_y) {
    glUniform4f(projection_location_, scale_x, scale_y, offset_x, offset_y);
}
