#include "Run/IdleCursor.h"

#include "Platform/Window.h"

void IdleCursor::OnMoved(int64_t now_us) {
    last_move_us_ = now_us;
    Show(true);
}

void IdleCursor::Update(int64_t now_us) {
    // In a window the pointer stays, and the wait starts afresh on entering full screen.
    if (!window_.FullScreen()) {
        OnMoved(now_us);
        return;
    }
    if (now_us - last_move_us_ >= kHideAfterUs) Show(false);
}

void IdleCursor::Show(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    window_.ShowCursor(shown);
}
