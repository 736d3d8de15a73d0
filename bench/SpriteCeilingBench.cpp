// How many moving sprites plain OpenGL can draw at 60 fps on this machine: the ceiling that the
// runner's own drawing is compared with. The smallest program that draws the shared scenes: one
// shader, one streamed vertex buffer, one texture page, vertices built on the CPU every frame,
// one draw call per render target. Works without a display under SDL_VIDEODRIVER=offscreen.
//
//     build/bin/bench_sprite_ceiling [-v]      (-v: each count tried, on stderr)
#include <SDL.h>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <epoxy/gl.h>
#include <vector>

#include "SpriteSceneHarness.h"

namespace {

struct Vertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(Vertex) == 24);

constexpr uint32_t kWhite = 0xffffffffu;

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 uv;
uniform vec2 target_size;
out vec4 frag_colour;
out vec2 frag_uv;
void main() {
    // Pixels with y down, as sprites are placed.
    gl_Position = vec4(position.x * 2.0 / target_size.x - 1.0,
                       1.0 - position.y * 2.0 / target_size.y, position.z, 1.0);
    frag_colour = colour;
    frag_uv = uv;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 frag_colour;
in vec2 frag_uv;
uniform sampler2D page;
out vec4 out_colour;
void main() { out_colour = texture(page, frag_uv) * frag_colour; }
)";

void PutQuad(Vertex* out, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
             float v1) {
    out[0] = {x0, y0, 0.0f, kWhite, u0, v0};
    out[1] = {x1, y0, 0.0f, kWhite, u1, v0};
    out[2] = {x0, y1, 0.0f, kWhite, u0, v1};
    out[3] = {x1, y0, 0.0f, kWhite, u1, v0};
    out[4] = {x1, y1, 0.0f, kWhite, u1, v1};
    out[5] = {x0, y1, 0.0f, kWhite, u0, v1};
}

GLuint CompileShader(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
        std::exit(1);
    }
    return shader;
}

GLuint NewTexture(int width, int height, const void* rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return texture;
}

// One window and everything drawn in it, for one scene.
class CeilingRenderer {
public:
    explicit CeilingRenderer(const SpriteSceneSize& size) : size_(size) {
        window_ = SDL_CreateWindow("moving sprites", SDL_WINDOWPOS_UNDEFINED,
                                   SDL_WINDOWPOS_UNDEFINED, size.WindowWidth(), size.WindowHeight(),
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        if (!window_) Fail("window");
        context_ = SDL_GL_CreateContext(window_);
        if (!context_) Fail("OpenGL 3.3 core context");
        // Refused on some drivers; then nothing waits for vsync anyway.
        SDL_GL_SetSwapInterval(0);

        program_ = glCreateProgram();
        const GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader);
        const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, kFragmentShader);
        glAttachShader(program_, vertex);
        glAttachShader(program_, fragment);
        glLinkProgram(program_);
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        glUseProgram(program_);
        glUniform1i(glGetUniformLocation(program_, "page"), 0);
        target_size_ = glGetUniformLocation(program_, "target_size");

        glGenVertexArrays(1, &vao_);
        glBindVertexArray(vao_);
        glGenBuffers(1, &buffer_);
        glBindBuffer(GL_ARRAY_BUFFER, buffer_);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<void*>(offsetof(Vertex, x)));
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                              reinterpret_cast<void*>(offsetof(Vertex, colour)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<void*>(offsetof(Vertex, u)));

        const SpritePage page = MakeSpritePage();
        page_ = NewTexture(page.width, page.height, page.rgba.data());
        const SpritePageRect rect = SpritePageRectFor(size);
        u0_ = static_cast<float>(rect.x) / static_cast<float>(page.width);
        v0_ = static_cast<float>(rect.y) / static_cast<float>(page.height);
        u1_ = static_cast<float>(rect.x + rect.w) / static_cast<float>(page.width);
        v1_ = static_cast<float>(rect.y + rect.h) / static_cast<float>(page.height);

        if (size.scale != 1) {
            surface_ = NewTexture(size.surface_w, size.surface_h, nullptr);
            glGenFramebuffers(1, &framebuffer_);
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, surface_,
                                   0);
            if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
                Fail("surface framebuffer");
        }
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0.1f, 0.1f, 0.2f, 1.0f);
    }

    CeilingRenderer(const CeilingRenderer&) = delete;
    CeilingRenderer& operator=(const CeilingRenderer&) = delete;

    ~CeilingRenderer() {
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteTextures(1, &surface_);
        glDeleteTextures(1, &page_);
        glDeleteBuffers(1, &buffer_);
        glDeleteVertexArrays(1, &vao_);
        glDeleteProgram(program_);
        SDL_GL_DeleteContext(context_);
        SDL_DestroyWindow(window_);
    }

    int DrawFrame(const SpriteScene& scene) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                std::fprintf(stderr, "window closed\n");
                std::exit(1);
            }
        }

        const std::span<const MovingSprite> sprites = scene.Sprites();
        const auto sprite_w = static_cast<float>(size_.sprite_w);
        const auto sprite_h = static_cast<float>(size_.sprite_h);
        const size_t sprite_vertices = sprites.size() * 6;
        // The surface's quad rides in the same upload, after the sprites.
        vertices_.resize(sprite_vertices + 6);
        Vertex* out = vertices_.data();
        for (const MovingSprite& sprite : sprites) {
            PutQuad(out, sprite.x, sprite.y, sprite.x + sprite_w, sprite.y + sprite_h, u0_, v0_,
                    u1_, v1_);
            out += 6;
        }
        // The surface's first row is its top, as drawn through the y-down projection.
        PutQuad(out, 0.0f, 0.0f, static_cast<float>(size_.WindowWidth()),
                static_cast<float>(size_.WindowHeight()), 0.0f, 1.0f, 1.0f, 0.0f);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(Vertex)),
                     vertices_.data(), GL_STREAM_DRAW);

        int drawable_w = 0;
        int drawable_h = 0;
        SDL_GL_GetDrawableSize(window_, &drawable_w, &drawable_h);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        if (framebuffer_ != 0) {
            glViewport(0, 0, size_.surface_w, size_.surface_h);
        } else {
            glViewport(0, 0, drawable_w, drawable_h);
        }
        glClear(GL_COLOR_BUFFER_BIT);
        glUniform2f(target_size_, static_cast<float>(size_.surface_w),
                    static_cast<float>(size_.surface_h));
        glBindTexture(GL_TEXTURE_2D, page_);
        glEnable(GL_BLEND);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(sprite_vertices));
        int draw_calls = 1;

        if (framebuffer_ != 0) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glViewport(0, 0, drawable_w, drawable_h);
            glUniform2f(target_size_, static_cast<float>(size_.WindowWidth()),
                        static_cast<float>(size_.WindowHeight()));
            glBindTexture(GL_TEXTURE_2D, surface_);
            glDisable(GL_BLEND);
            glDrawArrays(GL_TRIANGLES, static_cast<GLint>(sprite_vertices), 6);
            ++draw_calls;
        }
        SDL_GL_SwapWindow(window_);
        return draw_calls;
    }

private:
    [[noreturn]] static void Fail(const char* what) {
        std::fprintf(stderr, "bench_sprite_ceiling: no %s: %s\n", what, SDL_GetError());
        std::exit(1);
    }

    SpriteSceneSize size_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    GLuint program_ = 0;
    GLint target_size_ = -1;
    GLuint vao_ = 0;
    GLuint buffer_ = 0;
    GLuint page_ = 0;
    GLuint surface_ = 0;
    GLuint framebuffer_ = 0;
    float u0_ = 0, v0_ = 0, u1_ = 0, v1_ = 0;
    std::vector<Vertex> vertices_;
};

} // namespace

int main(int argc, char** argv) {
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bench_sprite_ceiling: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    for (const SpriteSceneSize& size : kSpriteScenes) {
        CeilingRenderer renderer(size);
        if (verbose) {
            std::fprintf(stderr, "%s, scene %dx%d@%dx%dx%d\n",
                         reinterpret_cast<const char*>(glGetString(GL_RENDERER)), size.sprite_w,
                         size.sprite_h, size.surface_w, size.surface_h, size.scale);
        }
        const SpriteSearchResult result = FindSpritesAt60Fps(
            size, [&renderer](const SpriteScene& scene) { return renderer.DrawFrame(scene); },
            verbose ? stderr : nullptr);
        PrintSpriteSearchResult(size, "ceiling", result);
    }
    SDL_Quit();
    return 0;
}
