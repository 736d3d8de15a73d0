// The keyboard as scripts see it: held, pressed and released keys by virtual-key code, the
// current and last key and the typed text. The window's messages write a pending copy between
// steps; the step update makes it the current one, so a whole step reads one snapshot and a key
// pressed and released between two steps still reads as pressed and released.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Key codes 0 and 1 are not keys: the checks read them as "no key" and "any key".
constexpr int32_t VK_NOKEY = 0;
constexpr int32_t VK_ANYKEY = 1;
constexpr int32_t KEY_CODE_COUNT = 256;
// The typed text keeps at most this many characters.
constexpr int64_t TYPED_TEXT_LIMIT = 1023;

using KeyFlags = std::array<uint8_t, KEY_CODE_COUNT>;

struct KeyArrays {
    KeyFlags held{};
    KeyFlags pressed{};
    KeyFlags released{};
    bool operator==(const KeyArrays&) const = default;
};

// What a step reads: the key arrays with the current key, the last key and the typed text.
struct KeyboardSnapshot {
    KeyArrays keys;
    int32_t key = 0; // keyboard_key
    int32_t last_key = 0; // keyboard_lastkey
    std::string text; // keyboard_string
    bool operator==(const KeyboardSnapshot&) const = default;
};

class KeyboardState {
public:
    KeyboardState();

    // A key went down or up. Codes pass the key map first; codes above 255 are dropped. The
    // left and right codes of Shift, Control and Alt (160 to 165) stand for their key: Control
    // and Alt record both codes, Shift only the generic one (its sides come from polling).
    void KeyDown(int32_t code, bool repeat);
    void KeyUp(int32_t code);
    // Typed text in UTF-8, character by character: 8 takes the last one back, other codes
    // below 32 are ignored.
    void TypeText(std::string_view utf8);

    // Start of a step: pressed and released start over, the Shift sides are polled through
    // `side_down` (given 160 or 161), and the pending state becomes the current one.
    void StepUpdate(const std::function<bool(int32_t)>& side_down);
    // Every key back to up, no current or last key; the key map and the typed text stay.
    void Clear();

    // keyboard_check and friends over the current state; 0 for codes above 255.
    bool Held(int32_t key) const { return Check(current_.keys.held, key); }
    bool Pressed(int32_t key) const { return Check(current_.keys.pressed, key); }
    bool Released(int32_t key) const { return Check(current_.keys.released, key); }

    const KeyboardSnapshot& Current() const { return current_; }
    // A replay puts a recorded step in place of the update.
    void SetCurrent(const KeyboardSnapshot& snapshot) { current_ = snapshot; }
    // Scripts may write keyboard_key, keyboard_lastkey and keyboard_string; the write holds
    // for the following steps too.
    void SetKey(int32_t key);
    void SetLastKey(int32_t key);
    void SetText(std::string text);

    // keyboard_set_map: `from` reads as `to` from now on.
    void SetMap(int32_t from, int32_t to);

private:
    static bool Check(const KeyFlags& flags, int32_t key);
    void Down(int32_t code, bool repeat);
    void Up(int32_t code);
    void PollShiftSide(int32_t code, bool down);

    KeyboardSnapshot current_;
    KeyboardSnapshot pending_;
    int32_t previous_key_ = 0; // the pending key before the current one
    std::array<int32_t, KEY_CODE_COUNT> map_{};
};
