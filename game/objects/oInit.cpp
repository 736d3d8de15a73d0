// oInit: start-up. Fonts, the save maps, the outline surfaces, the view size and window scale,
// the input controller and the saved options; then a game starts.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oInit_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInit_Create_0");
    // A wiped save brings the game back here: the fonts of the first start serve again, and the
    // last start's maps go, so that no wipe leaves anything behind.
    if (Call(self, other, FN_variable_global_exists, Value("game_save_map"))) {
        for (int32_t map : {SLOT_game_save_map, SLOT_options_save_map, SLOT_played_this_frame})
            Call(self, other, FN_ds_map_destroy, Global(map));
        Call(self, other, FN_ds_list_destroy, Global(SLOT_present_list));
    } else {
        const Value proportional(1);
        Assign(Global(SLOT_mireth_font), Call(self, other, FN_font_add_sprite, Value(sFontMireth), Value(32), proportional, Value(1)));
        Assign(Global(SLOT_mireth_font_bold),
               Call(self, other, FN_font_add_sprite, Value(sFontMirethBold), Value(32), proportional, Value(1)));
        Assign(Global(SLOT_mireth_font_bold_2x),
               Call(self, other, FN_font_add_sprite, Value(sFontMirethBold2x), Value(32), proportional, Value(2)));
        Assign(Global(SLOT_neco_font), Call(self, other, FN_font_add_sprite, Value(sFontNeco), Value(32), proportional, Value(1)));
    }
    Assign(Global(SLOT_game_save_map), Call(self, other, FN_ds_map_create));
    Assign(Global(SLOT_options_save_map), Call(self, other, FN_ds_map_create));
    Assign(Global(SLOT_game_save_file), Value("save.fluffy"));
    Assign(Global(SLOT_options_save_file), Value("options.fluffy"));

    frame.Line(2);
    CallScript(psl_Script_init_outline, self, other);

    frame.Line(3);
    Assign(Global(SLOT_view_width), BuiltinVar(self, VAR_room_width));
    Assign(Global(SLOT_view_height), BuiltinVar(self, VAR_room_height));

    frame.Line(4);
    Assign(Global(SLOT_max_scale), CallScript(psl_Script_compute_max_scale, self, other));
    Assign(Global(SLOT_scale), Global(SLOT_max_scale));
    Assign(Global(SLOT_volume), Value(1));
    Assign(Global(SLOT_fullscreen), Value(0));
    Assign(Global(SLOT_pause_when_away), Value(1));

    frame.Line(5);
    Call(self, other, FN_instance_create_depth, Value(0), Value(0), Value(0), Value(oInput));

    frame.Line(6);
    CallScript(psl_Script_load_options, self, other);

    frame.Line(7);
    Assign(Global(SLOT_bgm), Value(-1));
    Assign(Global(SLOT_scale), Value(Min(Real(Global(SLOT_scale)), Real(Global(SLOT_max_scale)))));
    CallScript(psl_Script_window_set_scale, self, other, Global(SLOT_scale));
    // Now: the start room moves on before any frame, and the window centres for its new size.
    Call(self, other, FN_window_center);
    Call(self, other, FN_audio_set_master_gain, Value(0), Global(SLOT_volume));
    if (Value(Global(SLOT_fullscreen))) Call(self, other, FN_window_set_fullscreen, Value(1));

    frame.Line(8);
    event_user(self, other, 0);
}

// Starts a game: the progress at its defaults, the persistent controllers, then the save.
void psl_Object_oInit_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oInit_Other_10");
    Assign(Global(SLOT_tile_xp), Value(0));
    Assign(Global(SLOT_tile_yp), Value(0));
    Assign(Global(SLOT_char_x), Div(Global(SLOT_view_width), Value(2)));
    Assign(Global(SLOT_char_y), Div(Global(SLOT_view_height), Value(2)));
    Assign(Global(SLOT_char_room), Value(8));
    Assign(Global(SLOT_char_max_hp), Value(1));
    for (int32_t slot : {SLOT_megapresent, SLOT_fast, SLOT_hi, SLOT_can_duck, SLOT_megaslimey, SLOT_megawigglis,
                         SLOT_megaflowerfluff, SLOT_finalboss})
        Assign(Global(slot), Value(0));

    frame.Line(2);
    for (int32_t controller : {oCamera, oTileGrid, oPauseMenu, oTextboxDrawer, oSolid, oBounds})
        Call(self, other, FN_instance_create_depth, Value(0), Value(0), Value(0), Value(controller));

    frame.Line(3);
    Call(self, other, FN_randomize);
    Assign(Global(SLOT_played_this_frame), Call(self, other, FN_ds_map_create));
    Assign(Global(SLOT_present_list), Call(self, other, FN_ds_list_create));

    frame.Line(4);
    CallScript(psl_Script_load_game, self, other);
}
