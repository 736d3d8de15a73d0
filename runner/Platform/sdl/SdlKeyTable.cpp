// The one translation table from SDL key codes to virtual-key codes. Letters (65 'A' to 90 'Z')
// and digits (48 '0' to 57 '9') follow from their characters; everything else is listed:
// editing and navigation keys, the arrows (37 to 40), the modifiers by side (Shift 160/161,
// Control 162/163, Alt 164/165, the system keys 91/92), F1 to F24 (112 to 135), the keypad
// (digits 96 to 105, * 106, + 107, - 109, . 110, / 111; its Enter reads as Enter, 13) and the
// punctuation keys of a US layout (; 186, = 187, , 188, - 189, . 190, / 191, ` 192, [ 219,
// \ 220, ] 221, ' 222).
#include "Platform/sdl/SdlKeyTable.h"

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    int32_t virtual_key;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},           {SDLK_CLEAR, 12},
    {SDLK_RETURN, 13},       {SDLK_KP_ENTER, 13},     {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},     {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},     {SDLK_END, 35},
    {SDLK_HOME, 36},         {SDLK_LEFT, 37},         {SDLK_UP, 38},
    {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},         {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},       {SDLK_DELETE, 46},       {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},         {SDLK_APPLICATION, 93},  {SDLK_KP_0, 96},
    {SDLK_KP_1, 97},         {SDLK_KP_2, 98},         {SDLK_KP_3, 99},
    {SDLK_KP_4, 100},        {SDLK_KP_5, 101},        {SDLK_KP_6, 102},
    {SDLK_KP_7, 103},        {SDLK_KP_8, 104},        {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},     {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},   {SDLK_F1, 112},
    {SDLK_F2, 113},          {SDLK_F3, 114},          {SDLK_F4, 115},
    {SDLK_F5, 116},          {SDLK_F6, 117},          {SDLK_F7, 118},
    {SDLK_F8, 119},          {SDLK_F9, 120},          {SDLK_F10, 121},
    {SDLK_F11, 122},         {SDLK_F12, 123},         {SDLK_F13, 124},
    {SDLK_F14, 125},         {SDLK_F15, 126},         {SDLK_F16, 127},
    {SDLK_F17, 128},         {SDLK_F18, 129},         {SDLK_F19, 130},
    {SDLK_F20, 131},         {SDLK_F21, 132},         {SDLK_F22, 133},
    {SDLK_F23, 134},         {SDLK_F24, 135},         {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},  {SDLK_LSHIFT, 160},      {SDLK_RSHIFT, 161},
    {SDLK_LCTRL, 162},       {SDLK_RCTRL, 163},       {SDLK_LALT, 164},
    {SDLK_RALT, 165},        {SDLK_SEMICOLON, 186},   {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},       {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},       {SDLK_BACKQUOTE, 192},   {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

} // namespace

int32_t VirtualKeyFromSdl(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return int32_t(key - SDLK_a) + 'A';
    if (key >= SDLK_0 && key <= SDLK_9) return int32_t(key - SDLK_0) + '0';
    for (const KeyPair& pair : kKeys)
        if (pair.sdl == key) return pair.virtual_key;
    return 0;
}

SDL_Keycode SdlKeyFromVirtualKey(int32_t virtual_key) {
    if (virtual_key >= 'A' && virtual_key <= 'Z') return SDL_Keycode(SDLK_a + (virtual_key - 'A'));
    if (virtual_key >= '0' && virtual_key <= '9') return SDL_Keycode(SDLK_0 + (virtual_key - '0'));
    for (const KeyPair& pair : kKeys)
        if (pair.virtual_key == virtual_key) return pair.sdl;
    return SDLK_UNKNOWN;
}
