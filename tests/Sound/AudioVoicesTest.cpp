// Voices on the loopback device: what the built-ins do to the samples that come out.
#include <cmath>
#include <utility>

#include "AudioFixture.h"

namespace {

// Upward zero crossings of the left channel: the tone's frequency over one second.
int UpwardCrossings(const std::vector<float>& stereo) {
    int crossings = 0;
    for (size_t i = 2; i < stereo.size(); i += 2)
        if (stereo[i - 2] < 0 && stereo[i] >= 0) ++crossings;
    return crossings;
}

} // namespace

class AudioVoices : public AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        tone_ = AddSound("sndTone", EncodeOggTone({.frames = kRate}));
        wave_ = AddSound("sndWave", EncodeWaveTone({.frames = kRate}), kSoundKindPlain);
        Prepare();
    }
    double Loop(int32_t sound, double priority = 1) {
        return Audio("audio_play_sound", sound, priority, 1.0);
    }

    int32_t tone_ = 0;
    int32_t wave_ = 0;
};

TEST_F(AudioVoices, GainOfVoiceAssetAndListenerScaleTheOutputAndFadesFollowTheClock) {
    EXPECT_NE(debug_.find("Decoding ogg sndTone ...\n"), std::string::npos);
    EXPECT_EQ(debug_.find("Decoding ogg sndWave"), std::string::npos) << "a WAVE sound is no Ogg";
    const double voice = Loop(tone_);
    EXPECT_GT(voice, 400000);
    const double full = SettledRms(2048);
    EXPECT_GT(full, 0.1);

    Audio("audio_sound_gain", voice, 0.5, 0);
    EXPECT_NEAR(SettledRms(2048) / full, 0.5, 0.02);
    Audio("audio_sound_gain", tone_, 0.5, 0); // the asset's gain multiplies the voice's
    EXPECT_NEAR(SettledRms(2048) / full, 0.25, 0.02);
    EXPECT_DOUBLE_EQ(Audio("audio_sound_get_gain", voice), 0.5);
    EXPECT_DOUBLE_EQ(Audio("audio_sound_get_gain", tone_), 0.5);

    Audio("audio_set_master_gain", 0, 2.0);
    EXPECT_NEAR(SettledRms(2048) / full, 0.5, 0.02);
    Audio("audio_set_master_gain", 1, 0.0); // only listener 0 counts
    EXPECT_NEAR(SettledRms(2048) / full, 0.5, 0.02);
    Audio("audio_set_master_gain", 0, -1.0);
    EXPECT_LT(SettledRms(2048), 1e-4);
    Audio("audio_set_master_gain", 0, 1.0);
    Audio("audio_sound_gain", tone_, 1.0, 0);
    Audio("audio_stop_all");

    // A one-second fade reaches its target at any frame rate.
    for (int fps : {60, 144, 7}) {
        const double fading = Loop(tone_);
        Audio("audio_sound_gain", fading, 0.5, 1000);
        const int64_t frame_us = 1'000'000 / fps;
        int64_t elapsed = 0;
        for (; elapsed < 500'000; elapsed += frame_us) Frame(frame_us);
        // Halfway the gain is halfway, as the clock says, not as the frame count says.
        EXPECT_NEAR(Audio("audio_sound_get_gain", fading), 1 - 0.5 * double(elapsed) / 1e6, 1e-4)
            << fps;
        for (; elapsed < 1'000'000; elapsed += frame_us) Frame(frame_us);
        EXPECT_DOUBLE_EQ(Audio("audio_sound_get_gain", fading), 0.5) << fps;
        EXPECT_NEAR(SettledRms(2048) / full, 0.5, 0.02) << fps;
        Audio("audio_stop_sound", fading);
    }

    // A gain set at once cancels a running fade.
    const double set = Loop(tone_);
    Audio("audio_sound_gain", set, 0.0, 1000);
    Frame(100'000);
    Audio("audio_sound_gain", set, 0.8, 0);
    Frame(2'000'000);
    EXPECT_DOUBLE_EQ(Audio("audio_sound_get_gain", set), 0.8f);

    // An asset's fade reaches the voices that play it.
    Audio("audio_sound_gain", set, 1.0, 0);
    Audio("audio_sound_gain", tone_, 0.0, 0);
    Audio("audio_sound_gain", tone_, 1.0, 9000);
    Frame(4'500'000);
    EXPECT_NEAR(SettledRms(2048) / full, 0.5, 0.02);
}

TEST_F(AudioVoices, PitchChangesTheFrequencyAndIsClamped) {
    const double voice = Loop(wave_);
    EXPECT_NEAR(UpwardCrossings(Render(kRate)), 441, 2);
    Audio("audio_sound_pitch", voice, 2.0);
    Render(1024);
    EXPECT_NEAR(UpwardCrossings(Render(kRate / 2)), 441, 3);

    // The asset's pitch goes to its voices and to the voices started later.
    Audio("audio_sound_pitch", wave_, 0.5);
    EXPECT_FLOAT_EQ(audio_->FindVoice(int32_t(voice))->pitch, 0.5f);
    Render(1024);
    EXPECT_NEAR(UpwardCrossings(Render(kRate)), 220, 3);
    Audio("audio_sound_pitch", wave_, 0.0);
    EXPECT_FLOAT_EQ(std::as_const(*audio_).Asset(wave_)->pitch, 0.0039f);
    Audio("audio_sound_pitch", wave_, 1000.0);
    EXPECT_FLOAT_EQ(std::as_const(*audio_).Asset(wave_)->pitch, 256.0f);
    EXPECT_FLOAT_EQ(audio_->FindVoice(int32_t(Loop(wave_)))->pitch, 256.0f);
}

TEST_F(AudioVoices, PauseSilencesAVoiceAndResumeGoesOn) {
    const double voice = Loop(tone_);
    const double other = Loop(wave_);
    Audio("audio_pause_sound", tone_);
    EXPECT_FALSE(Audio("audio_is_playing", voice));
    EXPECT_TRUE(Audio("audio_is_playing", other));
    Audio("audio_stop_sound", other);
    EXPECT_LT(SettledRms(2048), 1e-4);
    Audio("audio_pause_sound", voice); // already paused: nothing changes
    Audio("audio_resume_sound", voice);
    EXPECT_TRUE(Audio("audio_is_playing", tone_));
    EXPECT_GT(SettledRms(2048), 0.1);
    EXPECT_EQ(debug_.find("Error"), std::string::npos) << debug_;
}

TEST_F(AudioVoices, StopTakesEffectAfterTwoTicksAndOnlyThenFreesTheVoice) {
    const int32_t first = int32_t(Loop(tone_));
    const int first_source = audio_->FindVoice(first)->source;
    Audio("audio_stop_sound", first);
    EXPECT_FALSE(Audio("audio_is_playing", first));
    EXPECT_FALSE(Audio("audio_is_playing", tone_));
    EXPECT_LT(SettledRms(1024), 1e-4) << "a stopping voice is silent at once";

    // While it stops, its source is not handed out.
    const int32_t second = int32_t(Loop(wave_));
    EXPECT_GT(second, first);
    EXPECT_NE(audio_->FindVoice(second)->source, first_source);
    Frame(16'667);
    ASSERT_NE(audio_->FindVoice(first), nullptr);
    EXPECT_EQ(audio_->FindVoice(first)->stop_counter, 2);
    Frame(16'667);
    EXPECT_EQ(audio_->FindVoice(first), nullptr);
    const int32_t third = int32_t(Loop(tone_));
    EXPECT_GT(third, second) << "voice ids only grow";
    EXPECT_EQ(audio_->FindVoice(third)->source, first_source);
}

TEST_F(AudioVoices, EveryVoiceBusyAStartStealsOnlyALowerPriority) {
    std::vector<int32_t> voices;
    for (int i = 0; i < AudioSystem::kSourceCount; ++i)
        voices.push_back(int32_t(Loop(tone_, 5 + (i == 7 ? -1 : 0))));
    EXPECT_EQ(Audio("audio_play_sound", wave_, 4.0, 0.0), -1) << "no voice has a lower priority";
    const int32_t stealer = int32_t(Audio("audio_play_sound", wave_, 6.0, 1.0));
    EXPECT_GT(stealer, voices.back());
    EXPECT_EQ(audio_->FindVoice(voices[7]), nullptr) << "the lowest priority goes";
    EXPECT_EQ(audio_->FindVoice(stealer)->source, 7);
    EXPECT_EQ(Audio("audio_play_sound", wave_, 5.0, 0.0), -1) << "equal priority is not lower";

    // A stopping voice is the first to go, whatever the priority asked for.
    Audio("audio_stop_sound", voices[20]);
    const int32_t late = int32_t(Audio("audio_play_sound", wave_, -100.0, 0.0));
    EXPECT_GT(late, stealer);
    EXPECT_EQ(audio_->FindVoice(voices[20]), nullptr);

    // A voice whose sound ended frees its place without stealing.
    const int32_t once = int32_t(Audio("audio_play_sound", wave_, 1000.0, 0.0));
    const int once_source = audio_->FindVoice(once)->source;
    Render(kRate + 4096);
    EXPECT_FALSE(Audio("audio_is_playing", once));
    const int32_t after = int32_t(Audio("audio_play_sound", tone_, 0.0, 0.0));
    EXPECT_EQ(audio_->FindVoice(after)->source, once_source);
}

TEST_F(AudioVoices, MissingSoundsUnloadedGroupsAndAudioOffGiveTheirResults) {
    EXPECT_EQ(Audio("audio_play_sound", 99.0, 1.0, 0.0), 0);
    EXPECT_NE(debug_.find("Error: no sound exists for soundid 99\n"), std::string::npos);
    EXPECT_FALSE(Audio("audio_exists", 99.0));
    EXPECT_TRUE(Audio("audio_exists", double(tone_)));
    // Ids that name nothing are taken quietly.
    for (double id : {99.0, 400999.0, -1.0}) {
        Audio("audio_stop_sound", id);
        Audio("audio_pause_sound", id);
        Audio("audio_sound_gain", id, 0.5, 100.0);
        Audio("audio_sound_pitch", id, 2.0);
        EXPECT_FALSE(Audio("audio_is_playing", id));
        EXPECT_EQ(Audio("audio_sound_get_gain", id), 0);
    }

    SetActiveAudio(nullptr); // -noaudio
    EXPECT_EQ(Audio("audio_play_sound", double(tone_), 1.0, 0.0), -1);
    EXPECT_EQ(Audio("audio_sound_get_gain", double(tone_)), 0);
    EXPECT_FALSE(Audio("audio_exists", double(tone_)));
    EXPECT_FALSE(Audio("audio_system_is_available"));
    Audio("audio_stop_all");
    SetActiveAudio(audio_.get());
    EXPECT_TRUE(Audio("audio_system_is_available"));
}

TEST(AudioWithoutALoopback, NoDevicePlaysNothingAndTheNullOutputPlaysUntilStopped) {
    ManualClock clock;
    AudioSystem none(nullptr, clock, ".");
    EXPECT_FALSE(none.Running());
    EXPECT_EQ(none.Play(0, 1, false), -1);
    EXPECT_EQ(none.Gain(0), 0);
    none.Tick();

    AudioSystem audio(CreateNullAudio(AudioSystem::kSourceCount), clock, ".", false);
    const std::vector<uint8_t> wave = EncodeWaveTone({.frames = 100});
    GamePackage package;
    AddPackageSound(package, "sndShort", kSoundKindPlain, &wave);
    audio.PrepareSounds(package);
    const int32_t voice = audio.Play(0, 1, false);
    for (int frame = 0; frame < 100; ++frame)
        audio.Tick();
    EXPECT_TRUE(audio.IsPlaying(voice)) << "nothing plays, so nothing ends";
    audio.Pause(0);
    EXPECT_FALSE(audio.IsPlaying(voice));
    audio.Resume(voice);
    EXPECT_TRUE(audio.IsPlaying(0));
    audio.Stop(voice);
    audio.Tick();
    audio.Tick();
    EXPECT_EQ(audio.FindVoice(voice), nullptr);
}
