// The smallest program that opens the game's window: SDL2 and an OpenGL 3.3 core context, the
// window as large as the game makes it on this display (the largest whole scale of its 320 x 180
// view that fits), one cleared frame shown. With "-draw" the frame also has what any picture
// needs: a shader and one textured quad from a page as large as the game's. It prints "first
// frame" once that frame is on its way to the screen, then waits to be stopped. bench_startup
// compares the game's start-up with it.
#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <epoxy/gl.h>
#include <vector>

namespace {

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// One textured quad over the window, drawn with a shader of its own.
void DrawQuad() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, R"(#version 330 core
layout(location = 0) in vec2 position;
out vec2 uv;
void main() { uv = position * 0.5 + 0.5; gl_Position = vec4(position, 0.0, 1.0); })"));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, R"(#version 330 core
in vec2 uv;
uniform sampler2D page;
out vec4 colour;
void main() { colour = texture(page, uv); })"));
    glLinkProgram(program);
    glUseProgram(program);
    std::vector<unsigned char> pixels(1024 * 109 * 4, 200);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 109, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    GLuint array = 0, buffer = 0;
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(0);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

} // namespace

int main(int argc, char** argv) {
    const bool draw = argc > 1 && std::strcmp(argv[1], "-draw") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_DisplayMode display{};
    SDL_GetCurrentDisplayMode(0, &display);
    int scale = 16;
    while (scale > 1 && (320 * scale > display.w || 180 * scale > display.h)) --scale;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 320 * scale, 180 * scale,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (draw) DrawQuad();
    SDL_GL_SwapWindow(window);
    glFinish();
    std::printf("first frame\n");
    std::fflush(stdout);
    for (int waited = 0; waited < 10000; waited += 10) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {}
        SDL_Delay(10);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
