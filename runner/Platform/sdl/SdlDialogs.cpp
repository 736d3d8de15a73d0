#include "Platform/sdl/SdlDialogs.h"

#include <SDL.h>

namespace {

enum ButtonId { kCopy = 1, kAbort = 2, kIgnore = 3 };

} // namespace

void SdlClipboard::SetText(const std::string& text) { SDL_SetClipboardText(text.c_str()); }

std::string SdlClipboard::GetText() {
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

void SdlMessageDialog::ShowMessage(const std::string& caption, const std::string& text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), nullptr);
}

ErrorChoice SdlMessageDialog::ShowErrorReport(const std::string& report, bool fatal) {
    const SDL_MessageBoxButtonData buttons[] = {
        {0, kCopy, "Copy"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kAbort, "Abort"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kIgnore, "Ignore"},
    };
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_ERROR;
    box.title = "Code Error";
    box.message = report.c_str();
    box.buttons = buttons;
    box.numbuttons = fatal ? 2 : 3;
    for (;;) {
        int pressed = kAbort;
        // No message box can be shown (no display): the report is on the error output already.
        if (SDL_ShowMessageBox(&box, &pressed) != 0) return fatal ? ErrorChoice::Abort : ErrorChoice::Ignore;
        if (pressed == kCopy) {
            clipboard_.SetText(report);
            continue;
        }
        return pressed == kIgnore ? ErrorChoice::Ignore : ErrorChoice::Abort;
    }
}
