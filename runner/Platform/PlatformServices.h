// The platform services one run of the runner uses: the real ones (an SDL window with an
// OpenGL device, SDL dialogs, clipboard and gamepads) or the null ones (no display at all).
#pragma once

#include <memory>
#include <string>

#include "Platform/Clipboard.h"
#include "Platform/Clock.h"
#include "Platform/Gamepads.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/MessageDialog.h"
#include "Platform/Window.h"

struct PlatformServices {
    Clock* clock = nullptr;
    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> graphics;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<MessageDialog> dialog; // null: the null dialog
    std::unique_ptr<Gamepads> gamepads;
    // Why the desktop's gamepads could not start ("" when they did); then none ever connect.
    std::string gamepads_failure;
};

// Services without a display: nothing can fail.
PlatformServices CreateNullPlatform();
// The message box and clipboard of the desktop, before any window exists. The process keeps
// the memory it frees while frames run (ProcessInfo.h).
PlatformServices CreateDesktopPlatform();
// Opens the desktop window with its OpenGL device; false, with a reason, when that fails.
bool OpenDesktopWindow(PlatformServices& services, int width, int height, const std::string& caption,
                       std::string& error);
