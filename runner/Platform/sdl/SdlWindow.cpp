// The SDL window: its OpenGL context, placement, desktop full screen and event pump. Alt+Enter
// and F11 toggle full screen here, before the game's input sees the keys.
#include "Platform/sdl/SdlWindow.h"

#include "Platform/sdl/SdlKeyTable.h"

namespace {

// SDL numbers the buttons from 1, left, middle, right; the runner left, right, middle from 0.
int32_t RunnerButton(uint8_t sdl_button) {
    switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
    }
}

void ReportKey(const SDL_KeyboardEvent& key, PlatformEvents& events) {
    const bool down = key.type == SDL_KEYDOWN;
    if (int32_t code = VirtualKeyFromSdl(key.keysym.sym)) events.OnKey(code, down, key.repeat != 0);
    // Text input leaves the backspace to the key; the typed text takes it as a character.
    if (down && key.keysym.sym == SDLK_BACKSPACE) events.OnText("\b");
}

} // namespace

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
        case SDL_KEYDOWN: {
            const SDL_Keysym& key = event.key.keysym;
            bool toggle = key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT) != 0);
            if (toggle && !event.key.repeat) SetFullScreen(!FullScreen());
            ReportKey(event.key, events);
            break;
        }
        case SDL_KEYUP: ReportKey(event.key, events); break;
        case SDL_TEXTINPUT: events.OnText(event.text.text); break;
        case SDL_MOUSEMOTION: events.OnMouseMove(event.motion.x, event.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            events.OnMouseMove(event.button.x, event.button.y);
            events.OnMouseButton(RunnerButton(event.button.button),
                                 event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL:
            events.OnMouseWheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y
                                                                                : event.wheel.y);
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) events.OnFocusLost();
            else if (event.window.event == SDL_WINDOWEVENT_CLOSE) events.OnQuitRequested();
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

void SdlWindow::ClientSize(int& width, int& height) const {
    width = height = 0;
    if (window_) SDL_GetWindowSize(window_, &width, &height);
}

void SdlWindow::SetClientSize(int width, int height) {
    if (window_) SDL_SetWindowSize(window_, width, height);
}

void SdlWindow::Borders(int& left, int& top, int& right, int& bottom) const {
    left = top = right = bottom = 0;
    if (window_ && SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0)
        left = top = right = bottom = 0;
}

void SdlWindow::OuterRect(int& x, int& y, int& width, int& height) const {
    x = y = width = height = 0;
    if (!window_) return;
    int left, top, right, bottom;
    Borders(left, top, right, bottom);
    SDL_GetWindowPosition(window_, &x, &y);
    ClientSize(width, height);
    x -= left;
    y -= top;
    width += left + right;
    height += top + bottom;
}

void SdlWindow::MoveOuterTo(int x, int y) {
    if (!window_) return;
    int left, top, right, bottom;
    Borders(left, top, right, bottom);
    // SDL places the client area.
    SDL_SetWindowPosition(window_, x + left, y + top);
}

void SdlWindow::DisplaySize(int& width, int& height) const {
    width = height = 0;
    SDL_DisplayMode mode{};
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) return;
    width = mode.w;
    height = mode.h;
}

void SdlWindow::SetFullScreen(bool on) {
    if (window_) SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

bool SdlWindow::KeyHeld(int32_t virtual_key) const {
    SDL_Keycode key = SdlKeyFromVirtualKey(virtual_key);
    if (key == SDLK_UNKNOWN) return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    SDL_Scancode scancode = SDL_GetScancodeFromKey(key);
    return state && scancode < count && state[scancode] != 0;
}

bool SdlWindow::FullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlWindow::SetIcon(int width, int height, const uint8_t* rgba) {
    if (!window_ || !rgba) return;
    // SDL copies the pixels, so the surface only borrows them.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
}

void SdlWindow::ShowCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }
