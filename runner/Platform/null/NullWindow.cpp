#include "Platform/null/NullBackends.h"

void NullWindow::PumpEvents(PlatformEvents& events) {
    if (!quit_posted_) return;
    quit_posted_ = false;
    events.OnQuitRequested();
}
