#include "IO/GamepadMapping.h"

#include <charconv>

#include "Platform/Gamepads.h"

namespace {

using Kind = GamepadSource::Kind;

constexpr size_t Offset(int32_t constant) {
    return size_t(constant - gp_face1);
}

struct StandardButtonPlace {
    int32_t constant;
    int32_t button;
};
constexpr StandardButtonPlace kStandardButtons[] = {
    {gp_face1, STANDARD_A},
    {gp_face2, STANDARD_B},
    {gp_face3, STANDARD_X},
    {gp_face4, STANDARD_Y},
    {gp_shoulderl, STANDARD_LEFT_SHOULDER},
    {gp_shoulderr, STANDARD_RIGHT_SHOULDER},
    {gp_shoulderlb, STANDARD_LEFT_TRIGGER},
    {gp_shoulderrb, STANDARD_RIGHT_TRIGGER},
    {gp_select, STANDARD_BACK},
    {gp_start, STANDARD_START},
    {gp_stickl, STANDARD_LEFT_STICK},
    {gp_stickr, STANDARD_RIGHT_STICK},
    {gp_padu, STANDARD_PAD_UP},
    {gp_padd, STANDARD_PAD_DOWN},
    {gp_padl, STANDARD_PAD_LEFT},
    {gp_padr, STANDARD_PAD_RIGHT},
};

// The names SDL's mappings give the controller's parts.
struct MappingName {
    std::string_view name;
    int32_t constant;
};
constexpr MappingName kMappingNames[] = {
    {"a", gp_face1},
    {"b", gp_face2},
    {"x", gp_face3},
    {"y", gp_face4},
    {"leftshoulder", gp_shoulderl},
    {"rightshoulder", gp_shoulderr},
    {"lefttrigger", gp_shoulderlb},
    {"righttrigger", gp_shoulderrb},
    {"back", gp_select},
    {"start", gp_start},
    {"leftstick", gp_stickl},
    {"rightstick", gp_stickr},
    {"dpup", gp_padu},
    {"dpdown", gp_padd},
    {"dpleft", gp_padl},
    {"dpright", gp_padr},
    {"leftx", gp_axislh},
    {"lefty", gp_axislv},
    {"rightx", gp_axisrh},
    {"righty", gp_axisrv},
};

GamepadSource Source(Kind kind, int32_t index, bool inverted = false) {
    GamepadSource source;
    source.kind = kind;
    source.index = index;
    source.inverted = inverted;
    return source;
}

bool ReadNumber(std::string_view& text, int32_t& number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || number < 0) return false;
    text.remove_prefix(size_t(end - text.data()));
    return true;
}

// One binding's input: "b3", "a2", "+a2", "-a2", "a2~" or "h0.4".
bool ParseInput(std::string_view text, GamepadSource& source) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        source.half = text[0] == '+' ? 1 : -1;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == '~') {
        source.inverted = true;
        text.remove_suffix(1);
    }
    if (text.empty()) return false;
    char kind = text[0];
    text.remove_prefix(1);
    if (!ReadNumber(text, source.index)) return false;
    switch (kind) {
    case 'b': source.kind = Kind::Button; return text.empty() && source.half == 0;
    case 'a': source.kind = Kind::Axis; return text.empty();
    case 'h':
        source.kind = Kind::Hat;
        if (text.empty() || text[0] != '.') return false;
        text.remove_prefix(1);
        return ReadNumber(text, source.hat_mask) && text.empty() && source.half == 0;
    default: return false;
    }
}

} // namespace

GamepadMapping GamepadMapping::Standard() {
    GamepadMapping mapping;
    mapping.buttons_.fill(Source(Kind::Button, 0));
    mapping.axes_.fill(Source(Kind::Axis, 0));
    for (const StandardButtonPlace& place : kStandardButtons)
        mapping.buttons_[Offset(place.constant)] = Source(Kind::Button, place.button);
    mapping.axes_[Offset(gp_axislh)] = Source(Kind::Axis, 0);
    mapping.axes_[Offset(gp_axislv)] = Source(Kind::Axis, 1, true);
    mapping.axes_[Offset(gp_axisrh)] = Source(Kind::Axis, 2);
    mapping.axes_[Offset(gp_axisrv)] = Source(Kind::Axis, 3, true);
    mapping.other_button_ = Source(Kind::Button, 0);
    mapping.other_axis_ = Source(Kind::Axis, 0);
    return mapping;
}

GamepadMapping GamepadMapping::FromText(std::string_view text) {
    GamepadMapping mapping;
    // The device's GUID and name come first.
    for (int field = 0; !text.empty(); ++field) {
        size_t comma = text.find(',');
        std::string_view entry = text.substr(0, comma);
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        size_t colon = entry.find(':');
        if (field < 2 || colon == std::string_view::npos) continue;
        std::string_view name = entry.substr(0, colon);
        for (const MappingName& known : kMappingNames) {
            GamepadSource source;
            if (known.name != name || !ParseInput(entry.substr(colon + 1), source)) continue;
            bool is_trigger = known.constant == gp_shoulderlb || known.constant == gp_shoulderrb;
            source.trigger = is_trigger && source.kind == Kind::Axis && source.half == 0;
            mapping.buttons_[Offset(known.constant)] = mapping.axes_[Offset(known.constant)] =
                source;
        }
    }
    return mapping;
}

GamepadSource GamepadMapping::Find(int32_t number, const Table& table, const GamepadSource& other,
                                   Kind raw) {
    if (number < 0) return {};
    if (number < GAMEPAD_CONSTANT_BASE) return Source(raw, number);
    if (number >= gp_face1 && number <= gp_axisrv) return table[Offset(number)];
    return other;
}
