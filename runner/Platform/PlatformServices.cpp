#include "Platform/PlatformServices.h"

#include "Platform/ProcessInfo.h"
#include "Platform/null/NullBackends.h"
#include "Platform/null/NullGamepads.h"
#include "Platform/opengl/GlGraphicsDevice.h"
#include "Platform/sdl/SdlDialogs.h"
#include "Platform/sdl/SdlGamepads.h"
#include "Platform/sdl/SdlWindow.h"

PlatformServices CreateNullPlatform() {
    PlatformServices services;
    services.clock = &SystemClock();
    services.window = std::make_unique<NullWindow>();
    services.graphics = std::make_unique<NullGraphicsDevice>();
    services.clipboard = std::make_unique<NullClipboard>();
    services.gamepads = std::make_unique<NullGamepads>();
    return services;
}

PlatformServices CreateDesktopPlatform() {
    KeepFreedMemoryForReuse();
    PlatformServices services;
    services.clock = &SystemClock();
    services.window = std::make_unique<SdlWindow>();
    services.clipboard = std::make_unique<SdlClipboard>();
    services.dialog = std::make_unique<SdlMessageDialog>(*services.clipboard);
    services.gamepads = SdlGamepads::Create(services.gamepads_failure);
    if (!services.gamepads) services.gamepads = std::make_unique<NullGamepads>();
    return services;
}

bool OpenDesktopWindow(PlatformServices& services, int width, int height, const std::string& caption,
                       std::string& error) {
    if (!services.window->Open(width, height, caption, error)) return false;
    services.graphics = GlGraphicsDevice::Create(*services.window, error);
    return services.graphics != nullptr;
}
