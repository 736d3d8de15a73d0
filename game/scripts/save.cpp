// Saving and loading: the progress, the presents seen and the options, each a small file in the
// save folder. The globals are staged in a map that goes to and from JSON. A file that cannot be
// read, or holds a member of the wrong kind or out of its range, was damaged or written by
// something else: it is kept aside as "<name>.damaged" and the game goes on with its defaults,
// so neither a crash nor the next save loses what was in it.
#include <cmath>
#include <string>
#include <vector>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/SavedBindings.h"

namespace {

constexpr const char* kPresenceFile = "presence.fluffy";
// Every present's key starts so ("got<x>_<y>_<room>").
constexpr const char* kPresentKeyStart = "got";

// A global saved as a number, and what it may be: within low..high, and whole when `whole`.
struct SavedNumber {
    const char* name;
    double low, high;
    bool whole;
};
// Generous: a save is refused only when no play of ours could have written it.
constexpr double kMostHitPoints = 99;
constexpr double kFarthest = 100000; // pixels: far beyond any room's edge
constexpr double kMostScale = 16;    // as compute_max_scale allows
// In the order they are written.
constexpr SavedNumber kProgressGlobals[] = {
    {"char_max_hp", 1, kMostHitPoints, true}, {"megapresent", 0, 3, true}, {"megaslimey", 0, 1, true},
    {"megawigglis", 0, 1, true},  {"megaflowerfluff", 0, 1, true},        {"finalboss", 0, 1, true},
    {"fast", 0, 1, true},         {"hi", 0, 1, true},                      {"can_duck", 0, 1, true},
    {"char_x", -kFarthest, kFarthest, false}, {"char_y", -kFarthest, kFarthest, false},
    {"char_room", 0, kRoomCount - 1, true}};
constexpr SavedNumber kOptionGlobals[] = {
    {"scale", 1, kMostScale, true}, {"volume", 0, 1, false}, {"fullscreen", 0, 1, true},
    {"pause_when_away", 0, 1, true}};

// Copies a file that could not be read beside itself, line by line (the files are text).
void KeepDamagedFile(CInstance* self, CInstance* other, const Value& name) {
    const Value source = Call(self, other, FN_file_text_open_read, name);
    const Value copy = Call(self, other, FN_file_text_open_write, name + Value(".damaged"));
    while (!Call(self, other, FN_file_text_eof, source)) {
        Call(self, other, FN_file_text_write_string, copy, Call(self, other, FN_file_text_read_string, source));
        Call(self, other, FN_file_text_readln, source);
        if (!Call(self, other, FN_file_text_eof, source)) Call(self, other, FN_file_text_writeln, copy);
    }
    Call(self, other, FN_file_text_close, copy);
    Call(self, other, FN_file_text_close, source);
    Call(self, other, FN_show_debug_message, name + Value(" cannot be read: kept as ") + name +
                                                 Value(".damaged, and the defaults are used"));
}

void WriteMap(CInstance* self, CInstance* other, const RValue& file_name, const RValue& map) {
    const Value file = Call(self, other, FN_file_text_open_write, file_name);
    Call(self, other, FN_file_text_write_string, file, Call(self, other, FN_json_encode, map));
    Call(self, other, FN_file_text_close, file);
}

// Whether the map's member, when it has one, is a number in its range.
bool Fits(CInstance* self, CInstance* other, const RValue& map, const SavedNumber& number) {
    const Value name(number.name);
    if (!Call(self, other, FN_ds_map_exists, map, name)) return true;
    const Value value = Call(self, other, FN_ds_map_find_value, map, name);
    if (!Call(self, other, FN_is_real, value)) return false;
    const double saved = Real(value);
    return saved >= number.low && saved <= number.high && (!number.whole || saved == std::floor(saved));
}

bool ProgressFits(CInstance* self, CInstance* other, const RValue& map) {
    for (const SavedNumber& number : kProgressGlobals)
        if (!Fits(self, other, map, number)) return false;
    const Value presents = Global(SLOT_present_list);
    const double count = Real(Call(self, other, FN_ds_list_size, presents));
    for (double i = 0; i < count; ++i) {
        const std::string key = ValueText(Call(self, other, FN_ds_list_find_value, presents, Value(i)));
        if (!Fits(self, other, map, {key.c_str(), 0, 1, true})) return false;
    }
    return true;
}

bool OptionsFit(CInstance* self, CInstance* other, const RValue& map) {
    for (const SavedNumber& number : kOptionGlobals)
        if (!Fits(self, other, map, number)) return false;
    return SavedBindingsFit(self, other, map);
}

// The file's map in place of the staging map in `slot`; false when there is no such file, or it
// cannot be read, or `fits` finds a member it does not take.
bool ReadMap(CInstance* self, CInstance* other, const RValue& file_name, int32_t slot,
             bool (*fits)(CInstance*, CInstance*, const RValue&)) {
    if (!Call(self, other, FN_file_exists, file_name)) return false;
    const Value file = Call(self, other, FN_file_text_open_read, file_name);
    const Value text = Call(self, other, FN_file_text_read_string, file);
    Call(self, other, FN_file_text_close, file);
    const Value map = Call(self, other, FN_json_decode, text);
    const bool decoded = bool(Call(self, other, FN_ds_exists, map, Value(ds_type_map)));
    // Text that is no JSON object comes back wrapped as the member "default", which no save
    // file of ours has.
    if (!decoded || Call(self, other, FN_ds_map_exists, map, Value("default")) || !fits(self, other, map)) {
        if (decoded) Call(self, other, FN_ds_map_destroy, map);
        KeepDamagedFile(self, other, Value(file_name));
        return false;
    }
    Call(self, other, FN_ds_map_destroy, Global(slot));
    Assign(Global(slot), map);
    return true;
}

} // namespace

// set_map_global(map, name): map[name] := the global's value.
RValue* psl_Script_set_map_global(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_set_map_global", result);
    const RValue& name = Argument(argc, argv, 1);
    Call(self, other, FN_ds_map_set, Argument(argc, argv, 0), name, Call(self, other, FN_variable_global_get, name));
    return result;
}

// get_map_global(map, name): the global := map[name] when the map has it.
RValue* psl_Script_get_map_global(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_get_map_global", result);
    const RValue& map = Argument(argc, argv, 0);
    const RValue& name = Argument(argc, argv, 1);
    if (Call(self, other, FN_ds_map_exists, map, name))
        Call(self, other, FN_variable_global_set, name, Call(self, other, FN_ds_map_find_value, map, name));
    return result;
}

// save_load_impl(mode, set): copies a set's globals ("game" or "options") into its map for
// "save", or out of it for "load".
RValue* psl_Script_save_load_impl(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_save_load_impl", result);
    const bool save = ValueText(Argument(argc, argv, 0)) == "save";
    const ScriptFunction copy_global = save ? psl_Script_set_map_global : psl_Script_get_map_global;
    if (ValueText(Argument(argc, argv, 1)) == "game") {
        const Value map = Global(SLOT_game_save_map);
        for (const SavedNumber& global : kProgressGlobals)
            CallScript(copy_global, self, other, map, Value(global.name));
        const Value presents = Global(SLOT_present_list);
        const double count = Real(Call(self, other, FN_ds_list_size, presents));
        for (double i = 0; i < count; ++i)
            CallScript(copy_global, self, other, map, Call(self, other, FN_ds_list_find_value, presents, Value(i)));
        return result;
    }
    const Value map = Global(SLOT_options_save_map);
    for (const SavedNumber& global : kOptionGlobals)
        CallScript(copy_global, self, other, map, Value(global.name));
    CallScript(save ? psl_Script_save_keys : psl_Script_load_keys, self, other, map);
    return result;
}

// save_globals(): the progress globals to the progress file.
RValue* psl_Script_save_globals(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_save_globals", result);
    CallScript(psl_Script_save_load_impl, self, other, Value("save"), Value("game"));
    WriteMap(self, other, Global(SLOT_game_save_file), Global(SLOT_game_save_map));
    return result;
}

// load_globals(): the progress file, when there is one, to the progress globals.
RValue* psl_Script_load_globals(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_load_globals", result);
    if (ReadMap(self, other, Global(SLOT_game_save_file), SLOT_game_save_map, ProgressFits))
        CallScript(psl_Script_save_load_impl, self, other, Value("load"), Value("game"));
    return result;
}

// save_options(): the options and bindings to the options file. The map starts empty so that a
// binding removed since the last save does not come back.
RValue* psl_Script_save_options(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_save_options", result);
    Call(self, other, FN_ds_map_clear, Global(SLOT_options_save_map));
    CallScript(psl_Script_save_load_impl, self, other, Value("save"), Value("options"));
    WriteMap(self, other, Global(SLOT_options_save_file), Global(SLOT_options_save_map));
    return result;
}

// load_options(): the options file, when there is one, to the options and bindings. When it
// cannot be read, the input controller (which saw a file and assigned nothing) gets the default
// bindings from the empty map.
RValue* psl_Script_load_options(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_load_options", result);
    const Value file = Global(SLOT_options_save_file);
    if (ReadMap(self, other, file, SLOT_options_save_map, OptionsFit))
        CallScript(psl_Script_save_load_impl, self, other, Value("load"), Value("options"));
    else if (Call(self, other, FN_file_exists, file))
        CallScript(psl_Script_load_keys, self, other, Global(SLOT_options_save_map));
    return result;
}

// save_game(): every present key seen, then the progress.
RValue* psl_Script_save_game(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_save_game", result);
    const Value file = Call(self, other, FN_file_text_open_write, Value(kPresenceFile));
    const Value presents = Global(SLOT_present_list);
    const double count = Real(Call(self, other, FN_ds_list_size, presents));
    for (double i = 0; i < count; ++i) {
        Call(self, other, FN_file_text_write_string, file, Call(self, other, FN_ds_list_find_value, presents, Value(i)));
        Call(self, other, FN_file_text_writeln, file);
    }
    Call(self, other, FN_file_text_close, file);
    CallScript(psl_Script_save_globals, self, other);
    return result;
}

// load_game(): the present keys into present_list, then the progress.
RValue* psl_Script_load_game(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_load_game", result);
    const Value name(kPresenceFile);
    if (Call(self, other, FN_file_exists, name)) {
        std::vector<Value> keys;
        bool fit = true;
        const Value file = Call(self, other, FN_file_text_open_read, name);
        while (!Call(self, other, FN_file_text_eof, file)) {
            const Value key = Call(self, other, FN_file_text_read_string, file);
            // A blank line is no key.
            if (Real(Call(self, other, FN_string_length, key)) > 0) {
                fit = fit && ValueText(key).starts_with(kPresentKeyStart);
                keys.push_back(key);
            }
            Call(self, other, FN_file_text_readln, file);
        }
        Call(self, other, FN_file_text_close, file);
        if (!fit) KeepDamagedFile(self, other, name);
        for (const Value& key : fit ? keys : std::vector<Value>{})
            Call(self, other, FN_ds_list_add, Global(SLOT_present_list), key);
    }
    CallScript(psl_Script_load_globals, self, other);
    return result;
}
