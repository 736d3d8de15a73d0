#include "Platform/sdl/SdlWindow.h"

SdlWindow::~SdlWindow() {
    if (context_) SDL_GL_DeleteContext(context_);
    if (window_) SDL_DestroyWindow(window_);
    if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Open(int width, int height, const std::string& caption, std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no video device: ") + SDL_GetError();
        return false;
    }
    video_started_ = true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) {
        error = std::string("cannot create the window: ") + SDL_GetError();
        return false;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        error = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
        return false;
    }
    return true;
}

void SdlWindow::SetCaption(const std::string& caption) {
    if (window_) SDL_SetWindowTitle(window_, caption.c_str());
}

void SdlWindow::PumpEvents(PlatformEvents& events) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_QUIT: events.OnQuitRequested(); break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) events.OnQuitRequested();
            else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                events.OnWindowResized(event.window.data1, event.window.data2);
            break;
        default: break;
        }
    }
}

void SdlWindow::SwapBuffers() {
    if (window_) SDL_GL_SwapWindow(window_);
}

bool SdlWindow::SetSwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0; }

double SdlWindow::RefreshRate() const {
    SDL_DisplayMode mode{};
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0 || mode.refresh_rate <= 0) return 60.0;
    return mode.refresh_rate;
}

void SdlWindow::DrawableSize(int& width, int& height) const {
    width = height = 0;
    if (window_) SDL_GL_GetDrawableSize(window_, &width, &height);
}
