// A sound asset as the mixer holds it, and a voice: one playing of an asset.
#pragma once

#include <cstdint>
#include <string>

#include "Platform/AudioDevice.h"
#include "Sound/GainFade.h"

struct CSound {
    bool exists = false; // an empty slot of the package's list keeps the ids after it
    std::string name;
    float gain = 1;
    GainFade fade;
    float pitch = 1;
    int32_t group = 0;
    bool compressed = false;
    bool streamed = false;
    AudioBufferId buffer = 0; // the decoded samples; 0 while there are none
    std::string stream_path;  // a streamed sound's Ogg file
    bool damaged = false;     // reported once; the sound stays silent
};

struct CVoice {
    bool active = false;
    int stop_counter = 0; // 0 playing normally; counts the ticks of a deferred stop
    bool loop = false;
    int source = 0;
    int32_t id = 0;
    int32_t sound = -1;
    float priority = 0;
    float gain = 1;
    GainFade fade;
    float pitch = 1;
    uint32_t listener_mask = 1;
};
