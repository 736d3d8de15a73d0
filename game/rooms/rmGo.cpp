// rmGo: the start of play. The voices and a few effects get their levels, the player appears
// where the save left off, and play goes on in the saved room.
#include "CodeTable.h"
#include "GameNames.h"

namespace {

struct SoundGain {
    int32_t sound;
    double gain;
};
constexpr SoundGain kGains[] = {{sndVoice, 0.8},        {sndVoicePresent, 0.8}, {sndVoiceWigglis, 0.8},
                                {sndVoiceFlowerfluff, 0.8}, {sfxMenuMove, 0.7},   {sfxStomp, 0.9}};

} // namespace

void psl_Room_rmGo_Create(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Room_rmGo_Create");
    for (const SoundGain& entry : kGains)
        Call(self, other, FN_audio_sound_gain, Value(entry.sound), Value(entry.gain), Value(0));
    frame.Line(2);
    Call(self, other, FN_instance_create_depth, Global(SLOT_char_x), Global(SLOT_char_y), Value(0), Value(oChar));
    frame.Line(3);
    // A room a hand-edited save names that is no place to play in (the first two, or past the
    // last) is the title's.
    const double room = Real(Global(SLOT_char_room));
    if (room != double(int32_t(room)) || room < rmTemplate || room > rmArenaPurple) Assign(Global(SLOT_char_room), Value(rmTitle));
    Call(self, other, FN_room_goto, Global(SLOT_char_room));
}
