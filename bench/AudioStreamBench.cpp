// A streamed track played in real time while busy processes compete for the CPU: the number
// of underruns (the source ran dry before its track's end and had to be restarted) is the
// figure, and it should be 0. The output is the sound card, or where there is none OpenAL
// Soft's loopback rendered in real time by its own thread (the debug output says which). The
// game thread meanwhile ticks the mixer 60 times a second and spins 8 ms of each frame.
//
//     build/bin/bench_audio_stream [seconds] [busy processes]     (default 60 and 2)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "OggEncoder.h"
#include "OggTone.h"
#include "Package/GamePackage.h"
#include "Platform/Clock.h"
#include "Sound/AudioSystem.h"

namespace {

using Steady = std::chrono::steady_clock;

// 20 seconds of a slow arpeggio: the track loops three times a minute.
void WriteTrack(const std::filesystem::path& path) {
    std::vector<float> samples(size_t(20) * kSampleRate);
    const double notes[] = {220, 277.18, 329.63, 440};
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / kSampleRate;
        samples[i] =
            float(0.4 * std::sin(2 * std::numbers::pi * notes[(i / (kSampleRate / 4)) % 4] * t));
    }
    const std::vector<uint8_t> bytes = EncodeOgg(samples, 1);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A process that spins until it is killed, or until the deadline should the bench die first.
pid_t StartBusyProcess(Steady::time_point deadline) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    volatile uint64_t spin = 0;
    while (Steady::now() < deadline)
        spin = spin + 1;
    _exit(0);
}

void Spin(std::chrono::microseconds length) {
    const auto end = Steady::now() + length;
    while (Steady::now() < end) {
    }
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const int busy = argc > 2 ? std::max(0, std::atoi(argv[2])) : 2;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench-audio-stream-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    WriteTrack(folder / "bgmBench.ogg");

    auto audio = StartAudio(true, SystemClock(), folder.string());
    GamePackage package;
    AddPackageSound(package, "bgmBench", kSoundKindStreamed, nullptr);
    audio->PrepareSounds(package);

    std::vector<pid_t> children;
    const auto end = Steady::now() + std::chrono::seconds(seconds);
    for (int i = 0; i < busy; ++i)
        children.push_back(StartBusyProcess(end + std::chrono::seconds(5)));

    const int32_t voice = audio->Play(0, 1000, true);
    auto next = Steady::now();
    int frames = 0;
    while (Steady::now() < end) {
        audio->Tick();
        Spin(std::chrono::milliseconds(8));
        next += std::chrono::microseconds(16'667);
        std::this_thread::sleep_until(next);
        ++frames;
    }
    const bool still_playing = audio->IsPlaying(voice);

    for (pid_t child : children)
        kill(child, SIGKILL);
    for (pid_t child : children)
        waitpid(child, nullptr, 0);
    std::printf("streamed %d s of a looping 20 s track with %d busy processes, %d frames ticked\n",
                seconds, busy, frames);
    std::printf("underruns: %lld   still playing at the end: %s\n",
                static_cast<long long>(audio->Streams().Underruns()), still_playing ? "yes" : "no");
    audio.reset();
    std::filesystem::remove_all(folder);
    return 0;
}
