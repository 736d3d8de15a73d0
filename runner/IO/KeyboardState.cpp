#include "IO/KeyboardState.h"

#include <algorithm>

#include "Support/Utf8Text.h"

namespace {

constexpr int32_t kLeftShift = 160;
constexpr int32_t kRightShift = 161;
constexpr int32_t kLeftControl = 162;
constexpr int32_t kRightAlt = 165;

// The bytes a UTF-8 character takes, by its first byte; a byte that starts none stands alone.
size_t Utf8SequenceSize(uint8_t lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xC0 && lead < 0xE0) return 2;
    return 1;
}

bool IsKeyCode(int32_t code) { return code >= 0 && code < KEY_CODE_COUNT; }

void OrInto(KeyFlags& into, const KeyFlags& from) {
    for (size_t i = 0; i < into.size(); ++i) into[i] |= from[i];
}

} // namespace

KeyboardState::KeyboardState() {
    for (int32_t i = 0; i < KEY_CODE_COUNT; ++i) map_[size_t(i)] = i;
}

bool KeyboardState::Check(const KeyFlags& flags, int32_t key) {
    if (key == VK_NOKEY || key == VK_ANYKEY) {
        bool any = false;
        for (int32_t code = 2; code < KEY_CODE_COUNT && !any; ++code)
            any = flags[size_t(code)] != 0;
        return key == VK_ANYKEY ? any : !any;
    }
    return IsKeyCode(key) && flags[size_t(key)] != 0;
}

void KeyboardState::KeyDown(int32_t code, bool repeat) {
    // The side codes arrive as their generic key, the way the window system reports them.
    int32_t side = code >= kLeftShift && code <= kRightAlt ? code : 0;
    if (side) code = 16 + (side - kLeftShift) / 2;
    if (!IsKeyCode(code)) return;
    Down(map_[size_t(code)], repeat);
    if (side >= kLeftControl) Down(side, repeat);
}

void KeyboardState::KeyUp(int32_t code) {
    int32_t side = code >= kLeftShift && code <= kRightAlt ? code : 0;
    if (side) code = 16 + (side - kLeftShift) / 2;
    if (!IsKeyCode(code)) return;
    Up(map_[size_t(code)]);
    if (side >= kLeftControl) Up(side);
}

void KeyboardState::Down(int32_t code, bool repeat) {
    if (!IsKeyCode(code)) return;
    KeyArrays& keys = pending_.keys;
    previous_key_ = pending_.key;
    pending_.key = code;
    pending_.last_key = code;
    if (!keys.held[size_t(code)] && !repeat) keys.pressed[size_t(code)] = 1;
    keys.held[size_t(code)] = 1;
}

void KeyboardState::Up(int32_t code) {
    if (!IsKeyCode(code)) return;
    KeyArrays& keys = pending_.keys;
    keys.held[size_t(code)] = 0;
    keys.released[size_t(code)] = 1;
    if (pending_.key != code) return;
    bool previous_held = IsKeyCode(previous_key_) && keys.held[size_t(previous_key_)];
    pending_.key = previous_held ? previous_key_ : 0;
}

void KeyboardState::TypeText(std::string_view utf8) {
    std::string& text = pending_.text;
    for (size_t at = 0; at < utf8.size();) {
        const size_t size = std::min(Utf8SequenceSize(uint8_t(utf8[at])), utf8.size() - at);
        const std::string_view character = utf8.substr(at, size);
        at += size;
        const int64_t length = Utf8Length(text);
        if (character == "\b") {
            if (length > 0) text = Utf8Delete(text, int32_t(length), 1);
            continue;
        }
        if (uint8_t(character[0]) < 32) continue;
        if (length >= TYPED_TEXT_LIMIT) text = Utf8CharAt(text, int32_t(length));
        text += character;
    }
}

void KeyboardState::PollShiftSide(int32_t code, bool down) {
    KeyArrays& keys = pending_.keys;
    const bool was_held = current_.keys.held[size_t(code)] != 0;
    if (down) {
        keys.held[size_t(code)] = 1;
        keys.released[size_t(code)] = 0;
        if (!was_held) keys.pressed[size_t(code)] = 1;
    } else {
        keys.held[size_t(code)] = 0;
        keys.pressed[size_t(code)] = 0;
        if (was_held) keys.released[size_t(code)] = 1;
    }
}

void KeyboardState::StepUpdate(const std::function<bool(int32_t)>& side_down) {
    current_.keys.pressed.fill(0);
    current_.keys.released.fill(0);
    for (int32_t side : {kLeftShift, kRightShift}) PollShiftSide(side, side_down(side));
    current_.keys.held = pending_.keys.held;
    current_.key = pending_.key;
    current_.last_key = pending_.last_key;
    current_.text = pending_.text;
    OrInto(current_.keys.pressed, pending_.keys.pressed);
    OrInto(current_.keys.released, pending_.keys.released);
    pending_.keys.pressed.fill(0);
    pending_.keys.released.fill(0);
}

void KeyboardState::Clear() {
    // The typed text is not key state: what was typed stays.
    for (KeyboardSnapshot* state : {&current_, &pending_}) {
        state->keys = KeyArrays{};
        state->key = state->last_key = 0;
    }
    previous_key_ = 0;
}

void KeyboardState::SetKey(int32_t key) { current_.key = pending_.key = key; }

void KeyboardState::SetLastKey(int32_t key) { current_.last_key = pending_.last_key = key; }

void KeyboardState::SetText(std::string text) {
    pending_.text = text;
    current_.text = std::move(text);
}

void KeyboardState::SetMap(int32_t from, int32_t to) {
    if (IsKeyCode(from)) map_[size_t(from)] = to;
}
