#include "Platform/openal/OpenAlAudioDevice.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/alext.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Base/OutputChannel.h"

namespace {

constexpr float kFarDistance = 100000.0f;
constexpr int kOutputRate = 44100;
// The silent output renders in steps of 10 ms, about what a sound card's period would be.
constexpr int kSilentStepFrames = kOutputRate / 100;

// OpenAL Soft takes its period from its configuration, not from the context attributes (the
// refresh attribute is read and ignored by 1.19), and reads that once, before the first
// device opens. Three periods of 441 frames (rounded up to 444) keep the output buffer near
// 30 ms. A configuration the player points to with ALSOFT_CONF wins.
void AskForShortOutputBuffer() {
    if (std::getenv("ALSOFT_CONF")) return;
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path(error) / "runner-alsoft.conf";
    if (error) return;
    std::ofstream file(path, std::ios::trunc);
    file << "[general]\nperiod_size = 441\nperiods = 3\n";
    if (!file.good()) return;
#ifdef _WIN32
    _putenv_s("ALSOFT_CONF", path.string().c_str());
#else
    setenv("ALSOFT_CONF", path.c_str(), 0);
#endif
}

SourceState FromAl(ALint state) {
    switch (state) {
    case AL_PLAYING: return SourceState::Playing;
    case AL_PAUSED: return SourceState::Paused;
    case AL_STOPPED: return SourceState::Stopped;
    default: return SourceState::Initial;
    }
}

ALenum Format(const PcmView& pcm) {
    return pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

} // namespace

std::unique_ptr<AudioDevice> OpenSystemAudio(int sources) {
    if (auto device = OpenAlAudioDevice::OpenDefault(sources)) {
        DebugOutput().Write("Audio: playing on the default output device\n");
        return device;
    }
    if (auto silent = OpenAlAudioDevice::OpenLoopback(sources, kOutputRate, true)) {
        DebugOutput().Write("Audio: no output device could be opened; playing silently\n");
        return silent;
    }
    DebugOutput().Write("Audio: no output device and no silent output; audio is off\n");
    return nullptr;
}

std::unique_ptr<OpenAlAudioDevice> OpenAlAudioDevice::OpenDefault(int sources) {
    AskForShortOutputBuffer();
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    const ALCint attributes[] = {ALC_FREQUENCY, kOutputRate, 0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    return std::unique_ptr<OpenAlAudioDevice>(new OpenAlAudioDevice(device, context, sources));
}

std::unique_ptr<OpenAlAudioDevice> OpenAlAudioDevice::OpenLoopback(int sources, int rate,
                                                                   bool paced) {
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return nullptr;
    // Float output without the limiter: what the mixer computed, neither dithered nor delayed.
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,
                                 rate,
                                 ALC_HRTF_SOFT,
                                 ALC_FALSE,
                                 ALC_OUTPUT_LIMITER_SOFT,
                                 ALC_FALSE,
                                 0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<OpenAlAudioDevice> made(new OpenAlAudioDevice(device, context, sources));
    if (paced) {
        made->rendering_ = true;
        made->render_thread_ =
            std::thread([raw = made.get(), rate] { raw->RenderInRealTime(rate); });
    }
    return made;
}

OpenAlAudioDevice::OpenAlAudioDevice(ALCdevice* device, ALCcontext* context, int sources)
    : device_(device), context_(context) {
    alcMakeContextCurrent(context_);
    alDistanceModel(AL_INVERSE_DISTANCE);
    alListener3f(AL_POSITION, 0, 0, 0);
    alListener3f(AL_VELOCITY, 0, 0, 0);
    alListenerf(AL_GAIN, 1.0f);
    sources_.resize(size_t(sources));
    alGenSources(sources, sources_.data());
    if (alGetError() != AL_NO_ERROR) sources_.clear(); // too many asked for: none is usable
    for (int source = 0; source < SourceCount(); ++source)
        ResetSource(source);
}

OpenAlAudioDevice::~OpenAlAudioDevice() {
    rendering_ = false;
    if (render_thread_.joinable()) render_thread_.join();
    alcMakeContextCurrent(context_);
    for (int source = 0; source < SourceCount(); ++source)
        Stop(source);
    if (!sources_.empty()) alDeleteSources(ALsizei(sources_.size()), sources_.data());
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

void OpenAlAudioDevice::RenderLoopback(float* out, int frames) {
    alcRenderSamplesSOFT(device_, out, frames);
}

// Keeps sources moving as a sound card would, so that sounds end and streams drain.
void OpenAlAudioDevice::RenderInRealTime(int rate) {
    using namespace std::chrono;
    std::vector<float> discard(size_t(kSilentStepFrames) * 2);
    const auto step = microseconds(int64_t(kSilentStepFrames) * 1'000'000 / rate);
    auto next = steady_clock::now();
    while (rendering_) {
        alcRenderSamplesSOFT(device_, discard.data(), kSilentStepFrames);
        next += step;
        std::this_thread::sleep_until(next);
    }
}

void OpenAlAudioDevice::SetListenerGain(float gain) {
    alListenerf(AL_GAIN, gain);
}

AudioBufferId OpenAlAudioDevice::CreateBuffer() {
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    return alGetError() == AL_NO_ERROR ? buffer : 0;
}

int OpenAlAudioDevice::FillBuffer(AudioBufferId buffer, const PcmView& pcm) {
    alBufferData(buffer, Format(pcm), pcm.samples.data(), ALsizei(pcm.samples.size_bytes()),
                 pcm.rate);
    return alGetError();
}

void OpenAlAudioDevice::DeleteBuffer(AudioBufferId buffer) {
    alDeleteBuffers(1, &buffer);
}

void OpenAlAudioDevice::ResetSource(int source) {
    const ALuint id = sources_[size_t(source)];
    alSourcef(id, AL_MAX_DISTANCE, kFarDistance);
    alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(id, AL_POSITION, 0, 0, 0);
    alSource3f(id, AL_VELOCITY, 0, 0, 0);
}

void OpenAlAudioDevice::SetGain(int source, float gain) {
    alSourcef(sources_[size_t(source)], AL_GAIN, gain);
}

void OpenAlAudioDevice::SetPitch(int source, float pitch) {
    alSourcef(sources_[size_t(source)], AL_PITCH, pitch);
}

int OpenAlAudioDevice::PlayBuffer(int source, AudioBufferId buffer, bool loop) {
    const ALuint id = sources_[size_t(source)];
    alGetError();
    alSourceStop(id);
    alSourcei(id, AL_BUFFER, ALint(buffer));
    alSourcei(id, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(id);
    return alGetError();
}

int OpenAlAudioDevice::Pause(int source) {
    alGetError();
    alSourcePause(sources_[size_t(source)]);
    return alGetError();
}

int OpenAlAudioDevice::Resume(int source) {
    alGetError();
    alSourcePlay(sources_[size_t(source)]);
    return alGetError();
}

void OpenAlAudioDevice::Stop(int source) {
    const ALuint id = sources_[size_t(source)];
    alSourceStop(id);
    alSourcei(id, AL_LOOPING, AL_FALSE);
    alSourcei(id, AL_BUFFER, 0);
    alSourceRewind(id); // back to the initial state, as a source that never played
}

SourceState OpenAlAudioDevice::State(int source) {
    ALint state = AL_INITIAL;
    alGetSourcei(sources_[size_t(source)], AL_SOURCE_STATE, &state);
    return FromAl(state);
}

int OpenAlAudioDevice::Queue(int source, AudioBufferId buffer) {
    alGetError();
    const ALuint id = buffer;
    alSourceQueueBuffers(sources_[size_t(source)], 1, &id);
    return alGetError();
}

int OpenAlAudioDevice::ProcessedBuffers(int source) {
    ALint processed = 0;
    alGetSourcei(sources_[size_t(source)], AL_BUFFERS_PROCESSED, &processed);
    return processed;
}

AudioBufferId OpenAlAudioDevice::Unqueue(int source) {
    ALuint buffer = 0;
    alGetError();
    alSourceUnqueueBuffers(sources_[size_t(source)], 1, &buffer);
    return alGetError() == AL_NO_ERROR ? buffer : 0;
}

double OpenAlAudioDevice::PlayedSeconds(int source) {
    ALfloat seconds = 0;
    alGetSourcef(sources_[size_t(source)], AL_SEC_OFFSET, &seconds);
    return seconds;
}
