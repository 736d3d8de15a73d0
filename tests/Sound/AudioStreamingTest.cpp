// Streamed sounds from their Ogg files, audio groups from their own files, and damaged data.
#include <chrono>
#include <cmath>
#include <thread>

#include "AudioFixture.h"
#include "PackageWriter.h"
#include "Sound/AudioGroupLoader.h"

namespace {

constexpr int kToneFrames = 22050; // half a second: 220.5 periods would click, so 22000
constexpr int kLoopFrames = 22000;

// The largest step between neighbouring samples of the left channel in [from, to).
double LargestStep(const std::vector<float>& stereo, size_t from, size_t to) {
    double largest = 0;
    for (size_t frame = std::max<size_t>(from, 1); frame < to; ++frame)
        largest = std::max(largest, double(std::fabs(stereo[2 * frame] - stereo[2 * frame - 2])));
    return largest;
}

// The frame after the last one that is not silent.
size_t SoundingFrames(const std::vector<float>& stereo) {
    for (size_t frame = stereo.size() / 2; frame > 0; --frame)
        if (std::fabs(stereo[2 * frame - 2]) > 1e-3) return frame;
    return 0;
}

} // namespace

class AudioStreaming : public AudioTest {
protected:
    // A sound of an audio group whose file holds `data`, or no file at all.
    int32_t AddGroupSound(const std::string& name, int32_t group,
                          const std::vector<uint8_t>* data) {
        if (data) {
            GamePackage file;
            file.audio.emplace_back(data->data(), data->size());
            const std::vector<uint8_t> bytes = WriteAudioGroupFile(file);
            WriteText(folder_ / AudioGroupFileName(group), {bytes.begin(), bytes.end()});
        }
        while (package_.audio_groups.size() <= size_t(group))
            package_.audio_groups.push_back(PackageAudioGroup{names_.emplace_back("audiogroup")});
        const int32_t sound = AddSound(name, {}, kSoundKindDecodeOnLoad, group);
        package_.sounds.back()->audio_index = 0;
        return sound;
    }
};

TEST_F(AudioStreaming, AStreamedSoundPlaysToItsEndThenLoopsWithoutAGapAndTellsItsPosition) {
    const std::vector<uint8_t> once = EncodeOggTone({.frames = kToneFrames});
    const std::vector<uint8_t> looped = EncodeOggTone({.frames = kLoopFrames});
    const int32_t music = AddStreamedSound("bgmOnce", &once);
    const int32_t loop = AddStreamedSound("bgmLoop", &looped);
    const int32_t tone = AddSound("sndTone", EncodeOggTone({.frames = kRate}));
    Prepare();
    EXPECT_EQ(debug_.find("Decoding ogg bgm"), std::string::npos)
        << "streamed sounds are decoded as they play";

    const double voice = Audio("audio_play_sound", double(music), 1.0, 0.0);
    EXPECT_GT(voice, 400000);
    EXPECT_EQ(Audio("audio_play_sound", double(music), 1.0, 0.0), -1) << "one stream per sound";
    const std::vector<float> played = Render(kRate);
    EXPECT_NEAR(double(SoundingFrames(played)), kToneFrames, 200);
    EXPECT_FALSE(Audio("audio_is_playing", voice));
    EXPECT_GT(Audio("audio_play_sound", double(music), 1.0, 0.0), voice)
        << "the ended stream can start again";
    Audio("audio_stop_all");
    Frame(0);
    Frame(0);

    const double looping_voice = Audio("audio_play_sound", double(loop), 1.0, 1.0);
    const std::vector<float> looping = Render(4 * kLoopFrames);
    const double steady = LargestStep(looping, 1000, kLoopFrames - 1000);
    EXPECT_GT(steady, 0.005);
    // Three loop points inside: a gap or a jump at any of them would be the largest step.
    EXPECT_LT(LargestStep(looping, 1000, looping.size() / 2), 1.2 * steady);
    EXPECT_GT(SoundingFrames(looping), size_t(4 * kLoopFrames - 100));
    EXPECT_EQ(audio_->Streams().Underruns(), 0);

    // The track position is what the output has played: into a stream's queue past the buffers
    // already played, from the file's start again at each loop; into a decoded sound's buffer.
    const double seconds = 1.0 / kRate;
    for (int frames : {3000, 12000, kLoopFrames / 2}) { // the last passes the loop point
        const double before = Audio("audio_sound_get_track_position", looping_voice);
        Render(frames);
        const double expected = std::fmod(before + frames * seconds, kLoopFrames * seconds);
        EXPECT_NEAR(Audio("audio_sound_get_track_position", looping_voice), expected, 64 * seconds)
            << frames;
    }
    EXPECT_NEAR(Audio("audio_sound_get_track_position", loop),
                Audio("audio_sound_get_track_position", looping_voice), 1e-9);
    const double decoded = Audio("audio_play_sound", double(tone), 1.0, 0.0);
    Render(5000);
    EXPECT_NEAR(Audio("audio_sound_get_track_position", decoded), 5000 * seconds, 64 * seconds);
    Audio("audio_stop_sound", decoded);
    EXPECT_EQ(Audio("audio_sound_get_track_position", decoded), 0);
    EXPECT_EQ(Audio("audio_sound_get_track_position", 123456), 0);
}

TEST_F(AudioStreaming, MissingAndDamagedFilesAreReportedAndStaySilent) {
    const std::vector<uint8_t> junk = {'O', 'g', 'g', 'S', 0, 2, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    const int32_t missing = AddStreamedSound("bgmMissing", nullptr);
    const int32_t damaged = AddStreamedSound("bgmDamaged", &junk);
    const int32_t broken = AddSound("sndBroken", junk);
    const int32_t noise = AddSound("sndNoise", {'R', 'I', 'F', 'F', 9, 9}, kSoundKindPlain);
    Prepare();
    EXPECT_NE(debug_.find("Sound sndBroken cannot be decoded, it stays silent"), std::string::npos)
        << debug_;
    EXPECT_NE(debug_.find("Sound sndNoise cannot be decoded, it stays silent"), std::string::npos)
        << debug_;

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(Audio("audio_play_sound", double(missing), 1.0, 1.0), -1);
        EXPECT_EQ(Audio("audio_play_sound", double(damaged), 1.0, 1.0), -1);
        EXPECT_EQ(Audio("audio_play_sound", double(broken), 1.0, 1.0), -1);
        EXPECT_EQ(Audio("audio_play_sound", double(noise), 1.0, 1.0), -1);
    }
    EXPECT_NE(debug_.find("COggAudio::PlaySound- could not find audio file for sound bgmMissing\n"),
              std::string::npos);
    const size_t reported = debug_.find("Sound bgmDamaged cannot be decoded");
    ASSERT_NE(reported, std::string::npos) << debug_;
    EXPECT_EQ(debug_.find("Sound bgmDamaged", reported + 1), std::string::npos) << "reported once";
    EXPECT_EQ(debug_.find("Sound sndBroken", debug_.find("Sound sndBroken") + 1),
              std::string::npos);
    EXPECT_LT(SettledRms(1024), 1e-6);
}

TEST_F(AudioStreaming, AnAudioGroupPlaysOnlyOnceItsFileIsLoaded) {
    const std::vector<uint8_t> tone = EncodeOggTone({.frames = kToneFrames});
    const int32_t grouped = AddGroupSound("sndGrouped", 1, &tone);
    const int32_t lost = AddGroupSound("sndLost", 2, nullptr);
    Prepare();
    // Until a tick takes the loaded group over, its sounds cannot play.
    EXPECT_EQ(Audio("audio_play_sound", double(grouped), 1.0, 1.0), -1);
    EXPECT_NE(debug_.find("sndGrouped: Audio Group 1 is not loaded\n"), std::string::npos);

    // Frames go on while the loader's thread works, until `done` or a generous time.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    auto frames_until = [&](auto done) {
        while (!done() && std::chrono::steady_clock::now() < give_up) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            Frame(1000);
        }
    };
    frames_until([&] { return audio_->GroupLoaded(1); });
    ASSERT_TRUE(audio_->GroupLoaded(1));
    EXPECT_NE(debug_.find("Decoding ogg sndGrouped ...\n"), std::string::npos);
    EXPECT_GT(Audio("audio_play_sound", double(grouped), 1.0, 1.0), 400000);
    EXPECT_GT(SettledRms(2048), 0.1);

    // The loader's reports come out on the game thread, with the tick.
    frames_until([&] { return debug_.find("Audio group 2 cannot be loaded") != std::string::npos; });
    EXPECT_FALSE(audio_->GroupLoaded(2));
    EXPECT_EQ(Audio("audio_play_sound", double(lost), 1.0, 1.0), -1);
    EXPECT_NE(debug_.find("sndLost: Audio Group 2 is not loaded\n"), std::string::npos);
}
