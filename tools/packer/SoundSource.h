// Sounds as their asset files write them, rendered to samples by the synthesiser.
//
// An effect, sounds/<name>.sound: tones played one after another.
//
//     gain 0.8
//     tone
//       wave square          (sine, square, triangle, saw, noise)
//       length 0.12          (seconds)
//       pitch 660 990        (Hz at the start and the end; one number: steady)
//       volume 0.5 0         (the same)
//       attack 0.005
//       release 0.02
//       duty 0.25
//       vibrato 8 0.03       (rate in Hz, depth as a share of the pitch)
//
// Music, music/<name>.music: voices played together, notes as name and octave with a length
// in beats ("r" rests); bars ("|") are for the reader.
//
//     tempo 154
//     gain 0.7
//     stream                 (played from its own Ogg file beside the package)
//     voice square 0.2
//       | C5:1 E5:0.5 G5:0.5 r:2 |
//     voice triangle 0.3
//       | C3:4 |
#pragma once

#include <string>
#include <vector>

#include "AssetDocument.h"
#include "Synth.h"

struct PlacedTone {
    Tone tone;
    double at = 0; // seconds from the start
};

// What a sound is made of; rendering it is the costly part, left until its encoding is needed.
struct SoundSource {
    std::string name;
    float gain = 1;
    bool streamed = false;
    std::vector<PlacedTone> tones;
    double length = 0; // seconds, to the end of the last tone or rest
};

SoundSource ReadEffect(const AssetDocument& document, const std::string& name);
SoundSource ReadMusic(const AssetDocument& document, const std::string& name);

// Mono samples at kSampleRate within -1..1: a mix louder than full scale is scaled down as a
// whole rather than clipped.
std::vector<float> RenderSound(const SoundSource& sound);
