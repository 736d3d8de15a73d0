// Saving and loading: the progress, the presents seen and the options, each a small file in the
// save folder. The globals are staged in a map that goes to and from JSON. A file that cannot be
// read is kept aside as "<name>.damaged" and the game goes on with its defaults, so neither a
// crash nor the next save loses what was in it.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

constexpr const char* kPresenceFile = "presence.fluffy";

// The progress globals, in the order they are written.
constexpr const char* kProgressGlobals[] = {"char_max_hp", "megapresent", "megaslimey", "megawigglis",
                                            "megaflowerfluff", "finalboss", "fast", "hi",
                                            "can_duck", "char_x", "char_y", "char_room"};

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

// The file's map in place of the staging map in `slot`; false when there is no such file or it
// cannot be read.
bool ReadMap(CInstance* self, CInstance* other, const RValue& file_name, int32_t slot) {
    if (!Call(self, other, FN_file_exists, file_name)) return false;
    const Value file = Call(self, other, FN_file_text_open_read, file_name);
    const Value text = Call(self, other, FN_file_text_read_string, file);
    Call(self, other, FN_file_text_close, file);
    const Value map = Call(self, other, FN_json_decode, text);
    // Text that is no JSON object comes back wrapped as the member "default", which no save
    // file of ours has.
    const bool object = Call(self, other, FN_ds_exists, map, Value(ds_type_map)) &&
                        !Call(self, other, FN_ds_map_exists, map, Value("default"));
    if (!object) {
        if (Call(self, other, FN_ds_exists, map, Value(ds_type_map))) Call(self, other, FN_ds_map_destroy, map);
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

// get_map_global(map, name): the global := map[name] when the map has it. A value of another
// kind than the global already holds (text for a number) is one a hand-edited file put there,
// and is left out.
RValue* psl_Script_get_map_global(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_get_map_global", result);
    const RValue& map = Argument(argc, argv, 0);
    const RValue& name = Argument(argc, argv, 1);
    if (!Call(self, other, FN_ds_map_exists, map, name)) return result;
    const Value saved = Call(self, other, FN_ds_map_find_value, map, name);
    if (Call(self, other, FN_variable_global_exists, name)) {
        const Value current = Call(self, other, FN_variable_global_get, name);
        if (Call(self, other, FN_is_string, current) != Call(self, other, FN_is_string, saved)) {
            Call(self, other, FN_show_debug_message, Value("ignoring the saved ") + name);
            return result;
        }
    }
    Call(self, other, FN_variable_global_set, name, saved);
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
        for (const char* name : kProgressGlobals)
            CallScript(copy_global, self, other, map, Value(name));
        const Value presents = Global(SLOT_present_list);
        const double count = Real(Call(self, other, FN_ds_list_size, presents));
        for (double i = 0; i < count; ++i)
            CallScript(copy_global, self, other, map, Call(self, other, FN_ds_list_find_value, presents, Value(i)));
        return result;
    }
    const Value map = Global(SLOT_options_save_map);
    CallScript(copy_global, self, other, map, Value("scale"));
    CallScript(copy_global, self, other, map, Value("volume"));
    CallScript(copy_global, self, other, map, Value("fullscreen"));
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
    if (ReadMap(self, other, Global(SLOT_game_save_file), SLOT_game_save_map))
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
    if (ReadMap(self, other, file, SLOT_options_save_map))
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
        const Value file = Call(self, other, FN_file_text_open_read, name);
        while (!Call(self, other, FN_file_text_eof, file)) {
            const Value key = Call(self, other, FN_file_text_read_string, file);
            // A blank line is no key.
            if (Real(Call(self, other, FN_string_length, key)) > 0)
                Call(self, other, FN_ds_list_add, Global(SLOT_present_list), key);
            Call(self, other, FN_file_text_readln, file);
        }
        Call(self, other, FN_file_text_close, file);
    }
    CallScript(psl_Script_load_globals, self, other);
    return result;
}
