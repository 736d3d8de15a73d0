// SDL's key codes as the runner's virtual-key codes (the codes of the Windows keyboard, which
// the game's key names and saved bindings use).
#pragma once

#include <SDL.h>

#include <cstdint>

// 0 for a key the runner has no code for. Letters give their upper-case character code and
// digits theirs; Shift, Control and Alt give their left or right code (160 to 165).
int32_t VirtualKeyFromSdl(SDL_Keycode key);
// The SDL key for a virtual-key code, SDLK_UNKNOWN for none; letters and digits by character.
SDL_Keycode SdlKeyFromVirtualKey(int32_t virtual_key);
