// The audio built-ins. With audio switched off they do nothing and give 0, except that a
// start gives -1.
#include "Sound/AudioFunctions.h"

#include "Code/Builtins.h"
#include "Sound/AudioSystem.h"
#include "Variable/BuiltinArgs.h"

namespace {

void audio_play_sound(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AudioSystem* audio = ActiveAudio();
    SetReal(result,
            audio ? audio->Play(ArgInt32(args, 0), ArgReal(args, 1), ArgReal(args, 2) >= 1) : -1);
}

void audio_stop_sound(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio()) audio->Stop(ArgInt32(args, 0));
    FreeValue(result);
}

void audio_stop_all(RValue& result, CInstance*, CInstance*, int, RValue*) {
    if (AudioSystem* audio = ActiveAudio()) audio->StopAll();
    FreeValue(result);
}

void audio_pause_sound(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio()) audio->Pause(ArgInt32(args, 0));
    FreeValue(result);
}

void audio_resume_sound(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio()) audio->Resume(ArgInt32(args, 0));
    FreeValue(result);
}

void audio_is_playing(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AudioSystem* audio = ActiveAudio();
    SetBool(result, audio && audio->IsPlaying(ArgInt32(args, 0)));
}

void audio_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AudioSystem* audio = ActiveAudio();
    SetBool(result, audio && audio->Exists(ArgInt32(args, 0)));
}

void audio_system_is_available(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetBool(result, ActiveAudio() != nullptr);
}

void audio_sound_gain(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio())
        audio->SetGain(ArgInt32(args, 0), ArgFloat(args, 1), ArgReal(args, 2));
    FreeValue(result);
}

void audio_sound_get_gain(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AudioSystem* audio = ActiveAudio();
    SetReal(result, audio ? audio->Gain(ArgInt32(args, 0)) : 0);
}

void audio_sound_get_track_position(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AudioSystem* audio = ActiveAudio();
    SetReal(result, audio ? audio->TrackPosition(ArgInt32(args, 0)) : 0);
}

void audio_sound_pitch(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio()) audio->SetPitch(ArgInt32(args, 0), ArgFloat(args, 1));
    FreeValue(result);
}

void audio_set_master_gain(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (AudioSystem* audio = ActiveAudio())
        audio->SetMasterGain(ArgInt32(args, 0), ArgFloat(args, 1));
    FreeValue(result);
}

} // namespace

void RegisterAudioFunctions() {
    RegisterBuiltin("audio_play_sound", audio_play_sound, 3);
    RegisterBuiltin("audio_stop_sound", audio_stop_sound, 1);
    RegisterBuiltin("audio_stop_all", audio_stop_all, 0);
    RegisterBuiltin("audio_pause_sound", audio_pause_sound, 1);
    RegisterBuiltin("audio_resume_sound", audio_resume_sound, 1);
    RegisterBuiltin("audio_is_playing", audio_is_playing, 1);
    RegisterBuiltin("audio_exists", audio_exists, 1);
    RegisterBuiltin("audio_system_is_available", audio_system_is_available, 0);
    RegisterBuiltin("audio_sound_gain", audio_sound_gain, 3);
    RegisterBuiltin("audio_sound_get_gain", audio_sound_get_gain, 1);
    RegisterBuiltin("audio_sound_get_track_position", audio_sound_get_track_position, 1);
    RegisterBuiltin("audio_sound_pitch", audio_sound_pitch, 2);
    RegisterBuiltin("audio_set_master_gain", audio_set_master_gain, 2);
}
