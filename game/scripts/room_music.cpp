// room_music(): each room plays the music named after it ("bgm" and the room's name from its
// third character: rmSnow plays bgmSnow), looping; music already playing goes on undisturbed.
// The final room's music plays once, and only until the final boss is beaten.
#include "CodeTable.h"
#include "GameNames.h"

RValue* psl_Script_room_music(CInstance* self, CInstance* other, RValue* result, int, RValue**) {
    ScriptFrame frame("psl_Script_room_music", result);
    const Value name = Call(self, other, FN_room_get_name, BuiltinVar(self, VAR_room));
    const Value music = Call(self, other, FN_asset_get_index,
                             Value("bgm") + CallScript(psl_Script_string_extract, self, other, name, Value(3),
                                                       Call(self, other, FN_string_length, name)));
    const bool exists = bool(Call(self, other, FN_audio_exists, music));
    const bool playing = exists && bool(Call(self, other, FN_audio_is_playing, music));
    frame.Line(2);
    if (exists && !playing && Call(self, other, FN_audio_exists, Global(SLOT_bgm)))
        Call(self, other, FN_audio_stop_sound, Global(SLOT_bgm));
    Assign(Global(SLOT_bgm), music);
    frame.Line(4);
    if (!exists || playing) return result;
    const bool final_room = BuiltinVar(self, VAR_room) == Value(rmFinal);
    if (!final_room)
        Call(self, other, FN_audio_play_sound, music, Value(1000), Value(1));
    else if (Global(SLOT_finalboss) == Value(0))
        Call(self, other, FN_audio_play_sound, music, Value(1000), Value(0));
    return result;
}
