// Sound effects, each started at most once a frame however many instances ask for it.
#include "CodeTable.h"
#include "GameNames.h"

// sfx_play(sound[, low, high]): starts the sound unless it started this frame, at a random pitch
// in [low, high) when a range is given. The camera clears played_this_frame every End Step.
RValue* psl_Script_sfx_play(CInstance* self, CInstance* other, RValue* result, int argc,
                            RValue** argv) {
    ScriptFrame frame("psl_Script_sfx_play", result);
    const RValue& sound = Argument(argc, argv, 0);
    const RValue& played = Global(SLOT_played_this_frame);
    if (Call(self, other, FN_ds_map_exists, played, sound)) return result;
    if (argc > 2)
        Call(self, other, FN_audio_sound_pitch, sound,
             Call(self, other, FN_random_range, Argument(argc, argv, 1), Argument(argc, argv, 2)));
    Call(self, other, FN_audio_play_sound, sound, Value(0), Value(0));
    Call(self, other, FN_ds_map_set, played, sound, Value(1));
    return result;
}
