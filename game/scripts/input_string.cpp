// Display names of keys and bindings, as plain text or with inline button glyphs.
#include <string>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/InputBinding.h"

namespace {

struct KeyName {
    int code;
    const char* text;
};

constexpr KeyName kKeys[] = {
    {107, "Add"},   {18, "Alt"},    {8, "Backspace"},  {17, "Ctrl"},      {110, "Num ."},
    {46, "Del"},    {111, "Num /"}, {40, "Down"},      {35, "End"},       {13, "Enter"},
    {27, "Escape"}, {112, "F1"},    {113, "F2"},       {114, "F3"},       {115, "F4"},
    {116, "F5"},    {117, "F6"},    {118, "F7"},       {119, "F8"},       {120, "F9"},
    {121, "F10"},   {122, "F11"},   {123, "F12"},      {36, "Home"},      {45, "Insert"},
    {164, "LAlt"},  {162, "LCtrl"}, {37, "Left"},      {160, "LShift"},   {106, "Num *"},
    {34, "PgDn"},   {33, "PgUp"},   {19, "Pause"},     {44, "PrtScr"},    {165, "RAlt"},
    {163, "RCtrl"}, {39, "Right"},  {161, "RShift"},   {16, "Shift"},     {32, "Space"},
    {109, "Num -"}, {9, "Tab"},     {38, "Up"},        {186, "; :"},      {59, "; :"},
    {187, "= +"},   {61, "= +"},    {188, ", <"},      {189, "- _"},      {173, "- _"},
    {190, ". >"},   {191, "? /"},   {192, "` ~"},      {219, "[ {"},      {220, " |"},
    {221, "] }"},   {222, "'\""},   {20, "Caps Lock"}, {144, "Num Lock"},
};

// A gamepad button's name and, for the buttons that have one, its glyph.
struct ButtonName {
    int code;
    const char* text;
    const char* glyph;
};

constexpr ButtonName kButtons[] = {
    {gp_face1, "Bottom Face Button", "\\sConfigFaceButtons:2"},
    {gp_face2, "Right Face Button", "\\sConfigFaceButtons:8"},
    {gp_face3, "Left Face Button", "\\sConfigFaceButtons:4"},
    {gp_face4, "Top Face Button", "\\sConfigFaceButtons:1"},
    {gp_padd, "DPad Down", "\\sConfigDPad:1"},
    {gp_padl, "DPad Left", "\\sConfigDPad:2"},
    {gp_padr, "DPad Right", "\\sConfigDPad:3"},
    {gp_padu, "DPad Up", "\\sConfigDPad:0"},
    {gp_shoulderl, "L Front", nullptr},
    {gp_shoulderlb, "L Back", nullptr},
    {gp_shoulderr, "R Front", nullptr},
    {gp_shoulderrb, "R Back", nullptr},
    {gp_start, "Start", nullptr},
    {gp_select, "Select", nullptr},
    {gp_stickl, "LStick Press", "\\sConfigLStick:0 Press"},
    {gp_stickr, "RStick Press", "\\sConfigRStick:0 Press"},
};

// A stick direction is named after the stick and the way it points.
struct StickName {
    int code;
    const char* stick;
    const char* positive;
    const char* negative;
};

constexpr StickName kSticks[] = {
    {gp_axislh, "LStick", "Right", "Left"},
    {gp_axisrh, "RStick", "Right", "Left"},
    {gp_axislv, "LStick", "Down", "Up"},
    {gp_axisrv, "RStick", "Down", "Up"},
};

constexpr KeyName kHats[] = {{1, "Hat Up"}, {2, "Hat Right"}, {4, "Hat Down"}, {8, "Hat Left"}};
constexpr KeyName kMouseButtons[] = {{1, "Left Click"}, {2, "Right Click"}, {3, "Middle Click"}};

template <typename Entry, size_t N>
const Entry* Find(const Entry (&table)[N], int code) {
    for (const Entry& entry : table)
        if (entry.code == code) return &entry;
    return nullptr;
}

template <size_t N>
std::string TextOf(const KeyName (&table)[N], int code) {
    const KeyName* found = Find(table, code);
    return found ? found->text : "Unknown";
}

// The binding's name; with `glyphs`, gamepad inputs that have a glyph are shown by it.
std::string BindingName(CInstance* self, CInstance* other, const RValue& binding, bool glyphs) {
    const auto element = [&](int i) {
        return Call(self, other, FN_ds_list_find_value, binding, Value(i));
    };
    const int kind = int(Real(element(0)));
    if (kind == binding::Wait) return "(Press Button)";
    const Value input = element(1);
    const int code = int(Real(input));
    switch (kind) {
    case binding::Key:
        return ValueText(CallScript(psl_Script_input_key_string, self, other, input));
    case binding::Mouse: return TextOf(kMouseButtons, code);
    case binding::GamepadButton: {
        const ButtonName* button = Find(kButtons, code);
        if (!button) return "Unknown";
        return glyphs && button->glyph ? button->glyph : button->text;
    }
    case binding::GamepadAxis: {
        const StickName* stick = Find(kSticks, code);
        if (!stick) return "Unknown";
        const std::string way = Real(element(2)) == 1 ? stick->positive : stick->negative;
        return (glyphs ? "\\sConfig" + std::string(stick->stick) + ":0 "
                       : stick->stick + std::string(" ")) +
               way;
    }
    case binding::GamepadHat:
        return glyphs ? "\\sConfigHat:" + ValueText(Call(self, other, FN_string, element(2)))
                      : TextOf(kHats, int(Real(element(2))));
    default: return "Unknown";
    }
}

} // namespace

// input_key_string(key): a key's name; a key without one is shown by its character, upper case.
RValue* psl_Script_input_key_string(CInstance* self, CInstance* other, RValue* result, int argc,
                                    RValue** argv) {
    ScriptFrame frame("psl_Script_input_key_string", result);
    const RValue& key = Argument(argc, argv, 0);
    const int code = int(Real(key));
    if (const KeyName* found = Find(kKeys, code))
        Assign(*result, Value(found->text));
    else if (code >= 96 && code <= 105)
        Assign(*result, Value("Num " + std::to_string(code - 96)));
    else
        Assign(*result, Call(self, other, FN_string_upper, Call(self, other, FN_chr, key)));
    return result;
}

// input_string(binding): the binding's name as plain text.
RValue* psl_Script_input_string(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_input_string", result);
    Assign(*result, Value(BindingName(self, other, Argument(argc, argv, 0), false)));
    return result;
}

// input_string_sprite(binding): the binding's name with the gamepad's glyphs.
RValue* psl_Script_input_string_sprite(CInstance* self, CInstance* other, RValue* result, int argc,
                                       RValue** argv) {
    ScriptFrame frame("psl_Script_input_string_sprite", result);
    Assign(*result, Value(BindingName(self, other, Argument(argc, argv, 0), true)));
    return result;
}
