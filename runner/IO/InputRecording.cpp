#include "IO/InputRecording.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstring>
#include <utility>

namespace {

constexpr char kMagic[8] = {'I', 'N', 'P', 'U', 'T', 'R', 'E', 'C'};

// Block tags.
enum Tag : uint8_t {
    kStep = 0x01, // zigzag varint: delta_time minus the previous step's
    kKeys = 0x02, // varint count, then (code, held | pressed << 1 | released << 2) pairs
    kKeyCodes = 0x03, // zigzag varints: keyboard_key, keyboard_lastkey
    kText = 0x04, // keyboard_string's bytes
    kMousePosition = 0x05, // two little-endian floats
    kMouseButtons = 0x06, // u16: held bits 0-2, pressed 3-5, released 6-8, wheel up 9, down 10
    kPictureSize = 0x07, // varints: width, height
    kSeed = 0x08, // u32
    kFocusLost = 0x09, // a byte, 1 when the window lost the focus since the step before
    // varint slot, connected and standard bytes, then the description and the mapping, each a
    // varint length and its bytes
    kGamepadDevice = 0x10,
    // varint slot, then for buttons, axes and hats in turn: varint count, varint number of
    // changed entries, and each change as a varint index and its value (floats as four bytes,
    // hats as varints)
    kGamepadValues = 0x11,
    kEnd = 0x7F, // varint step count, u32 checksum of every byte before this tag
};

void PutVarint(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(char(uint8_t(value) | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

void PutSigned(std::string& out, int64_t value) {
    PutVarint(out, (uint64_t(value) << 1) ^ uint64_t(value >> 63));
}

template <typename T>
void PutFixed(std::string& out, T value) {
    auto bits = std::bit_cast<std::array<char, sizeof(T)>>(value);
    if constexpr (std::endian::native == std::endian::big) std::reverse(bits.begin(), bits.end());
    out.append(bits.data(), bits.size());
}

// Reads a block's body; every read fails rather than run past its end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Varint(uint64_t& value) {
        value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= bytes_.size()) return false;
            const auto byte = uint8_t(bytes_[at_++]);
            value |= uint64_t(byte & 0x7F) << shift;
            if (!(byte & 0x80)) return true;
        }
        return false;
    }
    bool Signed(int64_t& value) {
        uint64_t raw;
        if (!Varint(raw)) return false;
        value = int64_t(raw >> 1) ^ -int64_t(raw & 1);
        return true;
    }
    bool Int32(int32_t& value) {
        int64_t wide;
        if (!Signed(wide) || wide < INT32_MIN || wide > INT32_MAX) return false;
        value = int32_t(wide);
        return true;
    }
    template <typename T>
    bool Fixed(T& value) {
        if (bytes_.size() - at_ < sizeof(T)) return false;
        std::array<char, sizeof(T)> bits;
        std::memcpy(bits.data(), bytes_.data() + at_, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(bits.begin(), bits.end());
        value = std::bit_cast<T>(bits);
        at_ += sizeof(T);
        return true;
    }
    bool Done() const { return at_ == bytes_.size(); }
    size_t Offset() const { return at_; }
    void Skip(size_t count) { at_ += count; }
    std::string_view Rest() const { return bytes_.substr(at_); }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

uint8_t KeyFlagsOf(const KeyArrays& keys, size_t code) {
    return uint8_t(keys.held[code] | keys.pressed[code] << 1 | keys.released[code] << 2);
}

uint16_t ButtonBits(const MouseSnapshot& mouse) {
    uint16_t bits = 0;
    for (size_t i = 0; i < MOUSE_BUTTON_COUNT; ++i)
        bits |= uint16_t(mouse.held[i] << i | mouse.pressed[i] << (3 + i) |
                         mouse.released[i] << (6 + i));
    return uint16_t(bits | mouse.wheel_up << 9 | mouse.wheel_down << 10);
}

bool ReadKeys(Reader& body, KeyArrays& keys) {
    uint64_t count;
    if (!body.Varint(count) || count > KEY_CODE_COUNT) return false;
    for (uint64_t i = 0; i < count; ++i) {
        uint8_t code, flags;
        if (!body.Fixed(code) || !body.Fixed(flags) || flags > 7) return false;
        keys.held[code] = flags & 1;
        keys.pressed[code] = (flags >> 1) & 1;
        keys.released[code] = (flags >> 2) & 1;
    }
    return true;
}

bool ReadButtons(Reader& body, MouseSnapshot& mouse) {
    uint16_t bits;
    if (!body.Fixed(bits) || bits >> 11) return false;
    for (size_t i = 0; i < MOUSE_BUTTON_COUNT; ++i) {
        mouse.held[i] = (bits >> i) & 1;
        mouse.pressed[i] = (bits >> (3 + i)) & 1;
        mouse.released[i] = (bits >> (6 + i)) & 1;
    }
    mouse.wheel_up = (bits >> 9) & 1;
    mouse.wheel_down = (bits >> 10) & 1;
    return true;
}

bool ReadPictureSize(Reader& body, MouseSnapshot& mouse) {
    uint64_t width, height;
    if (!body.Varint(width) || !body.Varint(height) || width > INT32_MAX || height > INT32_MAX)
        return false;
    mouse.picture_width = int32_t(width);
    mouse.picture_height = int32_t(height);
    return true;
}

void PutText(std::string& out, std::string_view text) {
    PutVarint(out, text.size());
    out += text;
}

std::string DeviceBody(size_t slot, const GamepadSlotState& state) {
    std::string body;
    PutVarint(body, slot);
    body.push_back(char(state.connected));
    body.push_back(char(state.standard));
    PutText(body, state.description);
    PutText(body, state.mapping);
    return body;
}

// The entries of `now` that differ from `before` (or that `before` lacks).
template <typename T, typename Put>
void PutChanges(std::string& out, const std::vector<T>& now, const std::vector<T>& before, Put put) {
    std::string changes;
    uint64_t count = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        if (i < before.size() && now[i] == before[i]) continue;
        PutVarint(changes, i);
        put(changes, now[i]);
        ++count;
    }
    PutVarint(out, now.size());
    PutVarint(out, count);
    out += changes;
}

std::string ValuesBody(size_t slot, const GamepadValues& now, const GamepadValues& before) {
    std::string body;
    PutVarint(body, slot);
    const auto put_float = [](std::string& out, float value) { PutFixed(out, value); };
    PutChanges(body, now.buttons, before.buttons, put_float);
    PutChanges(body, now.axes, before.axes, put_float);
    PutChanges(body, now.hats, before.hats, [](std::string& out, int32_t hat) { PutSigned(out, hat); });
    return body;
}

// A recording names at most this many slots and entries, so a damaged count cannot make it
// allocate without bound.
constexpr uint64_t kMaxGamepadSlots = 64;
constexpr uint64_t kMaxGamepadEntries = 1024;

bool ReadText(Reader& body, std::string& text) {
    uint64_t size;
    if (!body.Varint(size) || size > body.Rest().size()) return false;
    text = std::string(body.Rest().substr(0, size));
    body.Skip(size);
    return true;
}

bool ReadSlot(Reader& body, GamepadSnapshot& gamepads, GamepadSlotState*& slot) {
    uint64_t index;
    if (!body.Varint(index) || index >= kMaxGamepadSlots) return false;
    if (gamepads.size() <= index) gamepads.resize(index + 1);
    slot = &gamepads[index];
    return true;
}

bool ReadDevice(Reader& body, GamepadSnapshot& gamepads) {
    GamepadSlotState* slot;
    uint8_t connected, standard;
    if (!ReadSlot(body, gamepads, slot) || !body.Fixed(connected) || !body.Fixed(standard) ||
        connected > 1 || standard > 1)
        return false;
    slot->connected = connected;
    slot->standard = standard;
    return ReadText(body, slot->description) && ReadText(body, slot->mapping);
}

template <typename T, typename Get>
bool ReadChanges(Reader& body, std::vector<T>& values, Get get) {
    uint64_t size, count;
    if (!body.Varint(size) || !body.Varint(count) || size > kMaxGamepadEntries || count > size)
        return false;
    values.resize(size);
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t index;
        if (!body.Varint(index) || index >= size || !get(body, values[index])) return false;
    }
    return true;
}

bool ReadValues(Reader& body, GamepadSnapshot& gamepads) {
    GamepadSlotState* slot;
    const auto get_float = [](Reader& reader, float& value) { return reader.Fixed(value); };
    return ReadSlot(body, gamepads, slot) && ReadChanges(body, slot->values.buttons, get_float) &&
           ReadChanges(body, slot->values.axes, get_float) &&
           ReadChanges(body, slot->values.hats, [](Reader& reader, int32_t& hat) { return reader.Int32(hat); });
}

// Applies one block other than a step or the end; false when its body does not read as its tag
// says or the tag is unknown.
bool ApplyBlock(uint8_t tag, std::string_view bytes, InputFrame& frame,
                std::vector<uint32_t>& seeds) {
    Reader body(bytes);
    bool ok = false;
    switch (tag) {
    case kKeys: ok = ReadKeys(body, frame.keyboard.keys); break;
    case kKeyCodes:
        ok = body.Int32(frame.keyboard.key) && body.Int32(frame.keyboard.last_key);
        break;
    case kText:
        frame.keyboard.text = std::string(bytes);
        body.Skip(bytes.size());
        ok = true;
        break;
    case kMousePosition:
        ok = body.Fixed(frame.mouse.position.x) && body.Fixed(frame.mouse.position.y);
        break;
    case kMouseButtons: ok = ReadButtons(body, frame.mouse); break;
    case kPictureSize: ok = ReadPictureSize(body, frame.mouse); break;
    case kGamepadDevice: ok = ReadDevice(body, frame.gamepads); break;
    case kGamepadValues: ok = ReadValues(body, frame.gamepads); break;
    case kFocusLost: {
        uint8_t lost = 0;
        ok = body.Fixed(lost) && lost <= 1;
        frame.focus_lost = lost;
        break;
    }
    case kSeed: {
        uint32_t seed = 0;
        ok = body.Fixed(seed);
        seeds.push_back(seed);
        break;
    }
    default: return false;
    }
    return ok && body.Done();
}

} // namespace

RecordingIdentity MakeRecordingIdentity(std::string_view game_name, uint32_t game_id,
                                        const std::array<uint8_t, 16>& guid) {
    StateHash hash;
    hash.Text(game_name);
    hash.Number(game_id);
    hash.Bytes(guid.data(), guid.size());
    return {hash.Value(), std::string(game_name)};
}

RecordingEncoder::RecordingEncoder(const RecordingIdentity& game) {
    out_.append(kMagic, sizeof kMagic);
    PutFixed(out_, RECORDING_VERSION);
    PutFixed(out_, game.hash);
    PutVarint(out_, game.name.size());
    out_ += game.name;
    checksum_.Bytes(out_.data(), out_.size());
}

void RecordingEncoder::Block(uint8_t tag, std::string_view body) {
    const size_t start = out_.size();
    out_.push_back(char(tag));
    PutVarint(out_, body.size());
    out_ += body;
    checksum_.Bytes(out_.data() + start, out_.size() - start);
}

void RecordingEncoder::Step(const InputFrame& frame) {
    std::string body;
    PutSigned(body, frame.delta_time_us - previous_.delta_time_us);
    Block(kStep, body);

    body.clear();
    std::string pairs;
    uint64_t count = 0;
    for (size_t code = 0; code < KEY_CODE_COUNT; ++code) {
        const uint8_t flags = KeyFlagsOf(frame.keyboard.keys, code);
        if (flags == KeyFlagsOf(previous_.keyboard.keys, code)) continue;
        pairs.push_back(char(code));
        pairs.push_back(char(flags));
        ++count;
    }
    if (count) {
        PutVarint(body, count);
        Block(kKeys, body + pairs);
    }
    const KeyboardSnapshot& keyboard = frame.keyboard;
    if (keyboard.key != previous_.keyboard.key ||
        keyboard.last_key != previous_.keyboard.last_key) {
        body.clear();
        PutSigned(body, keyboard.key);
        PutSigned(body, keyboard.last_key);
        Block(kKeyCodes, body);
    }
    if (keyboard.text != previous_.keyboard.text) Block(kText, keyboard.text);

    const MouseSnapshot& mouse = frame.mouse;
    if (!(mouse.position == previous_.mouse.position)) {
        body.clear();
        PutFixed(body, mouse.position.x);
        PutFixed(body, mouse.position.y);
        Block(kMousePosition, body);
    }
    if (ButtonBits(mouse) != ButtonBits(previous_.mouse)) {
        body.clear();
        PutFixed(body, ButtonBits(mouse));
        Block(kMouseButtons, body);
    }
    if (mouse.picture_width != previous_.mouse.picture_width ||
        mouse.picture_height != previous_.mouse.picture_height) {
        body.clear();
        PutVarint(body, uint64_t(mouse.picture_width));
        PutVarint(body, uint64_t(mouse.picture_height));
        Block(kPictureSize, body);
    }
    if (frame.focus_lost != previous_.focus_lost) Block(kFocusLost, std::string(1, char(frame.focus_lost)));
    // Slots a snapshot no longer has read as disconnected, as the table takes them.
    for (size_t slot = 0; slot < std::max(frame.gamepads.size(), previous_.gamepads.size()); ++slot) {
        const GamepadSlotState none;
        const GamepadSlotState& now = slot < frame.gamepads.size() ? frame.gamepads[slot] : none;
        const GamepadSlotState& before = slot < previous_.gamepads.size() ? previous_.gamepads[slot] : none;
        if (now.connected != before.connected || now.standard != before.standard ||
            now.description != before.description || now.mapping != before.mapping)
            Block(kGamepadDevice, DeviceBody(slot, now));
        if (!(now.values == before.values)) Block(kGamepadValues, ValuesBody(slot, now.values, before.values));
    }
    previous_ = frame;
    ++steps_;
}

void RecordingEncoder::Seed(uint32_t seed) {
    std::string body;
    PutFixed(body, seed);
    Block(kSeed, body);
}

void RecordingEncoder::End() {
    std::string body;
    PutVarint(body, uint64_t(steps_));
    PutFixed(body, uint32_t(checksum_.Value()));
    out_.push_back(char(kEnd));
    PutVarint(out_, body.size());
    out_ += body;
}

std::string RecordingEncoder::Take() { return std::exchange(out_, std::string()); }

bool RecordingDecoder::Open(std::string bytes, const RecordingIdentity& game, std::string& error) {
    bytes_ = std::move(bytes);
    Reader header(bytes_);
    if (bytes_.size() < sizeof kMagic || std::memcmp(bytes_.data(), kMagic, sizeof kMagic) != 0) {
        error = "is not an input recording";
        return false;
    }
    header.Skip(sizeof kMagic);
    uint16_t version = 0;
    uint64_t hash = 0, name_size = 0;
    if (!header.Fixed(version) || !header.Fixed(hash) || !header.Varint(name_size) ||
        header.Rest().size() < name_size) {
        error = "is truncated";
        return false;
    }
    if (version != RECORDING_VERSION) {
        error = "has format version " + std::to_string(version) + "; this runner reads version " +
                std::to_string(RECORDING_VERSION);
        return false;
    }
    const std::string name(header.Rest().substr(0, name_size));
    if (hash != game.hash) {
        error = "was recorded with the game \"" + name + "\", not with this package of \"" +
                game.name + "\"";
        return false;
    }
    first_block_ = header.Offset() + name_size;

    // One pass over everything, so that a damaged block stops the run before it starts.
    Rewind();
    std::vector<uint32_t> seeds;
    Read read = ReadUntilStep(start_seeds_);
    step_count_ = 0;
    while (read == Read::Step) {
        read = Advance(seeds) ? ReadUntilStep(seeds) : Read::Damaged;
        ++step_count_;
    }
    if (read == Read::End && end_count_ != uint64_t(step_count_)) read = Read::Damaged;
    if (read == Read::Damaged) {
        error = truncated_ ? "is truncated" : "is damaged";
        return false;
    }
    Rewind();
    ReadUntilStep(start_seeds_);
    return true;
}

void RecordingDecoder::Rewind() {
    at_ = first_block_;
    frame_ = InputFrame{};
    start_seeds_.clear();
}

bool RecordingDecoder::Entry(uint8_t& tag, std::string_view& body) {
    Reader reader(std::string_view(bytes_).substr(at_));
    uint64_t size;
    if (!reader.Fixed(tag) || !reader.Varint(size) || reader.Rest().size() < size) {
        truncated_ = true;
        return false;
    }
    body = reader.Rest().substr(0, size);
    at_ += reader.Offset() + size;
    return true;
}

bool RecordingDecoder::AtEnd() const {
    return at_ >= bytes_.size() || uint8_t(bytes_[at_]) != kStep;
}

// Takes the step mark at the reading position.
bool RecordingDecoder::Advance(std::vector<uint32_t>& seeds) {
    seeds.clear();
    uint8_t tag;
    std::string_view body;
    if (!Entry(tag, body) || tag != kStep) return false;
    Reader reader(body);
    int64_t change;
    if (!reader.Signed(change) || !reader.Done()) return false;
    frame_.delta_time_us += change;
    return true;
}

// Reads the blocks after a step mark (or before the first) up to the next step mark, which it
// leaves to be read, or through the end mark.
RecordingDecoder::Read RecordingDecoder::ReadUntilStep(std::vector<uint32_t>& seeds) {
    while (true) {
        const size_t entry = at_;
        uint8_t tag;
        std::string_view body;
        if (!Entry(tag, body)) return Read::Damaged;
        if (tag == kStep) {
            at_ = entry;
            return Read::Step;
        }
        if (tag != kEnd) {
            if (!ApplyBlock(tag, body, frame_, seeds)) return Read::Damaged;
            continue;
        }
        Reader end(body);
        uint32_t checksum;
        StateHash hash;
        hash.Bytes(bytes_.data(), entry);
        const bool valid = end.Varint(end_count_) && end.Fixed(checksum) && end.Done() &&
                           at_ == bytes_.size() && checksum == uint32_t(hash.Value());
        at_ = entry;
        return valid ? Read::End : Read::Damaged;
    }
}

bool RecordingDecoder::NextStep(InputFrame& frame, std::vector<uint32_t>& seeds) {
    if (AtEnd() || !Advance(seeds)) return false;
    ReadUntilStep(seeds);
    frame = frame_;
    return true;
}
