// Audio groups other than 0 live in their own files, "audiogroup<n>.dat" beside the package.
// Each is read and its sounds decoded on a background thread; the mixer takes the finished
// groups over, with what their loading has to report, on the game thread, and only then can
// their sounds play.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Sound/PcmSound.h"

struct GroupSound {
    int32_t sound = 0; // the asset
    std::string name;
    int32_t audio_index = -1; // in the group file's audio table
};

struct LoadedGroup {
    int32_t group = 0;
    bool ok = false; // false: the file is missing or damaged (reported); the group stays unloaded
    std::vector<GroupSound> sounds;
    std::vector<PcmSound> decoded; // one per sound; empty samples where its data is damaged
    std::string report;            // for the debug output, written on the game thread
};

class AudioGroupLoader {
public:
    AudioGroupLoader() = default;
    ~AudioGroupLoader(); // waits for the loads under way
    AudioGroupLoader(const AudioGroupLoader&) = delete;
    AudioGroupLoader& operator=(const AudioGroupLoader&) = delete;

    void Request(int32_t group, const std::string& folder, std::vector<GroupSound> sounds);
    // The groups finished since the last call.
    std::vector<LoadedGroup> TakeFinished();

private:
    void Load(LoadedGroup group, std::string path);

    std::mutex mutex_;
    std::vector<LoadedGroup> finished_;
    std::vector<std::thread> threads_;
};

std::string AudioGroupFileName(int32_t group);
