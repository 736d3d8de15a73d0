// The small synthesiser the game's sounds are made with: tones of one wave shape, with a pitch
// sweep, a volume ramp, an attack and release, and vibrato, mixed into mono samples at
// kSampleRate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Wave { Sine, Square, Triangle, Saw, Noise };

// "sine", "square", "triangle", "saw", "noise"; false for anything else.
bool WaveFromName(const std::string& name, Wave& wave);

struct Tone {
    Wave wave = Wave::Square;
    double length = 0.1; // seconds
    double start_hz = 440, end_hz = 440; // swept exponentially
    double start_volume = 0.5, end_volume = 0.5; // ramped linearly
    double attack = 0.005, release = 0.02; // seconds, within the length
    double duty = 0.5; // the share of a square wave's period spent high
    double vibrato_hz = 0, vibrato_depth = 0; // depth as a share of the pitch
};

// Mixes (adds) the tone into `samples` from sample `at`, growing them as needed. Noise is drawn
// from `noise`, a generator state the caller keeps, so renders repeat exactly.
void MixTone(const Tone& tone, std::vector<float>& samples, size_t at, uint64_t& noise);

// The frequency of a note name with its octave ("A4" is 440, "C#5", "Eb3"); 0 when the name is
// not a note.
double NoteFrequency(const std::string& name);
